# One-command set-up: `make run` and `make test` install what is missing, build and go.
BUILD    ?= build
JOBS     ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Debian packages the build, the tests and the screenshots need.
PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev \
            xvfb xauth xdotool x11-utils imagemagick dbus-x11 at-spi2-core fonts-dejavu-core \
            clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench clean

all: build

# Installs only the packages that are not there yet; does nothing when all are.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing: $$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@tools/run-window.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@tools/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
