// Prints the PRIMARY selection of the display as a string (test helper).
// Exits 1 when nobody owns it or it cannot be converted in time.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <ctime>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = XInternAtom(display, "XPICKER_TEST_SELECTION", False);
    if (XGetSelectionOwner(display, XA_PRIMARY) == None) return 1;
    XConvertSelection(display, XA_PRIMARY, XA_STRING, property, window, CurrentTime);
    const time_t deadline = time(nullptr) + 5;
    for (;;) {
        XEvent event;
        if (XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
            if (event.xselection.property == None) return 1;
            break;
        }
        if (time(nullptr) > deadline) return 1;
        struct timespec pause{0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    long offset = 0;
    for (;;) {
        Atom type;
        int format;
        unsigned long count, remaining;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, offset, 1 << 20, False, AnyPropertyType, &type, &format,
                               &count, &remaining, &data) != Success)
            return 1;
        fwrite(data, 1, count, stdout);
        offset += static_cast<long>(count / 4);
        XFree(data);
        if (remaining == 0) break;
    }
    XCloseDisplay(display);
    return 0;
}
