// time-to-window TITLE PROGRAM: starts PROGRAM, waits until a top-level window
// titled TITLE is mapped on the X display, prints the milliseconds from the
// start to that moment, asks the window to close and waits for the program
// to end. Used by tools/measure-startup.sh under Xvfb, where no window manager
// reparents the program's windows, so they are mapped as children of the root.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool titled(Display* display, Window window, const char* title) {
    char* name = nullptr;
    bool matches = XFetchName(display, window, &name) && name && std::strcmp(name, title) == 0;
    if (name) {
        XFree(name);
    }
    return matches;
}

void requestClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: time-to-window TITLE PROGRAM\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "time-to-window: no display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(argv[2], argv[2], static_cast<char*>(nullptr));
        _exit(127);
    }
    while (true) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && titled(display, event.xmap.window, argv[1])) {
            const std::chrono::duration<double, std::milli> elapsed =
                std::chrono::steady_clock::now() - start;
            std::printf("%.1f\n", elapsed.count());
            std::fflush(stdout);
            requestClose(display, event.xmap.window);
            break;
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(display);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
