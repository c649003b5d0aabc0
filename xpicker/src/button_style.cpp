#include "button_style.h"

#include <X11/Shell.h>
#include <X11/StringDefs.h>
#include <X11/Xaw/Command.h>

namespace xpicker {

const char kButtonTranslations[] =
    "<Key>Return:  set() notify() unset()\n<KeyUp>Tab: highlight()\n<KeyDown>Tab: unhighlight() ";
const char kLogOkTranslations[] = "<Key>Return:  set() notify() unset()\n";

void showArmed(Widget button) {
    XtVaSetValues(button, XtNhighlightThickness, 2, nullptr);
    if (!XtIsRealized(button)) return;
    XEvent event{};
    XCrossingEvent& enter = event.xcrossing;
    enter.type = EnterNotify;
    enter.display = XtDisplay(button);
    enter.window = XtWindow(button);
    enter.root = RootWindowOfScreen(XtScreen(button));
    enter.time = CurrentTime;
    enter.x = 1;
    enter.y = 1;
    enter.mode = NotifyNormal;
    enter.detail = NotifyAncestor;
    enter.same_screen = True;
    XSendEvent(enter.display, enter.window, True, EnterWindowMask, &event);
}

void fixShellSize(const App& app, Widget shell, int w, int h, bool centre) {
    XtVaSetValues(shell,
                  XtNtitle, app.options.title.c_str(),
                  XtNminWidth, w, XtNmaxWidth, w,
                  XtNminHeight, h, XtNmaxHeight, h,
                  nullptr);
    if (app.options.geometry) {
        XtVaSetValues(shell, XtNgeometry, app.options.geometry->c_str(), nullptr);
    } else if (centre) {
        Screen* screen = XtScreen(shell);
        const Position x = static_cast<Position>((WidthOfScreen(screen) - w) / 2);
        const Position y = static_cast<Position>((HeightOfScreen(screen) - h) / 2);
        XtVaSetValues(shell, XtNx, x, XtNy, y, nullptr);
    }
}

}  // namespace xpicker
