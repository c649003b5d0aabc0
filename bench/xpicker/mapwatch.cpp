// Starts a program and reports how long it took until its first top-level
// window was mapped (no window manager: the map shows on the root window).
// Usage: mapwatch TIMEOUT_SECONDS PROGRAM ARGS...
// Prints "<milliseconds> <pid>" and leaves the program running.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const double timeout = std::atof(argv[1]);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program outlives this watcher: keep it off our output pipe.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                const double ms =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
                std::printf("%.2f %d\n", ms, static_cast<int>(pid));
                return 0;
            }
        }
        const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (waited > timeout) {
            std::printf("timeout %d\n", static_cast<int>(pid));
            return 1;
        }
        pollfd p{ConnectionNumber(display), POLLIN, 0};
        poll(&p, 1, 10);
    }
}
