# One-command set-up: `make run` and `make test` install what is missing, build and go.
BUILD    ?= build
JOBS     ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

# Debian packages the build, the tests and the screenshots need.
PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev \
            xvfb xauth xdotool x11-utils imagemagick dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0 fonts-dejavu-core fonts-droid-fallback \
            clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# The sanitizer build: the Qt-free layers and their tests under ASan and
# UBSan, with clang, plus the libFuzzer targets of fuzz/. `make test` runs its
# tests and each fuzzer for FUZZ_TEST_SECONDS; `make fuzz` runs each fuzzer for
# FUZZ_SECONDS and keeps the grown corpora in $(SANITIZE_BUILD)/fuzz-corpus.
# FUZZ_JOBS fuzzers run at a time.
SANITIZE_BUILD    ?= $(BUILD)/sanitize
# -O1 with line tables only: a fifth less build time than -O2 -g, the same
# test and fuzzing speed, and reports that still name files and lines.
SANITIZE_FLAGS    ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                     -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
                     -DCHECKGRID_WITH_QT=OFF -DCHECKGRID_WITH_BENCH=OFF \
                     -DCHECKGRID_SANITIZE=ON -DCHECKGRID_FUZZ=ON
FUZZ_SECONDS      ?= 300
FUZZ_TEST_SECONDS ?= 15
FUZZ_JOBS         ?= $(JOBS)

.PHONY: all deps configure build run test bench clean sanitize-build sanitize fuzz

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
	@$(MAKE) --no-print-directory sanitize
	FUZZ_JOBS=$(FUZZ_JOBS) tools/run-fuzz.sh $(SANITIZE_BUILD) $(FUZZ_TEST_SECONDS)

$(SANITIZE_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_BUILD) $(SANITIZE_FLAGS)

sanitize-build: deps $(SANITIZE_BUILD)/CMakeCache.txt
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)

# The Qt-free tests under ASan and UBSan, and every committed fuzz seed once.
sanitize: sanitize-build
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j$(JOBS)

fuzz: sanitize-build
	FUZZ_JOBS=$(FUZZ_JOBS) FUZZ_CORPUS=$(abspath $(SANITIZE_BUILD))/fuzz-corpus \
	    tools/run-fuzz.sh $(SANITIZE_BUILD) $(FUZZ_SECONDS)

bench: build
	@tools/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
