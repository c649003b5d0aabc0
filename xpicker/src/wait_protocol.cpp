#include "wait_protocol.h"

namespace xpicker {

namespace {

const char kSelectionName[] = "xpicker";

void closeWaitWindow(Display* display, Window owner) {
    XEvent event{};
    XClientMessageEvent& message = event.xclient;
    message.type = ClientMessage;
    message.display = display;
    message.window = owner;
    message.message_type = None;
    message.format = 8;
    XSendEvent(display, owner, True, NoEventMask, &event);
    XFlush(display);
}

}  // namespace

WaitOutcome runWaitProtocol(Widget shell, bool isWaitWindow) {
    Display* display = XtDisplay(shell);
    const Atom selection = XInternAtom(display, kSelectionName, isWaitWindow ? False : True);
    if (selection == None) return WaitOutcome::Continue;

    const Window owner = XGetSelectionOwner(display, selection);
    if (owner == None) {
        if (isWaitWindow) XSetSelectionOwner(display, selection, XtWindow(shell), CurrentTime);
        return WaitOutcome::Continue;
    }
    if (!isWaitWindow) {
        closeWaitWindow(display, owner);
        return WaitOutcome::Continue;
    }
    return owner == XtWindow(shell) ? WaitOutcome::Continue : WaitOutcome::AnotherWaitIsShowing;
}

}  // namespace xpicker
