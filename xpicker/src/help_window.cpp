#include "help_window.h"

#include <X11/Shell.h>
#include <X11/StringDefs.h>

#include "button_style.h"

namespace xpicker {

void HelpWindow::create() {
    const Options& o = app_.options;
    Arg args[3];
    Cardinal n = 0;
    XtSetArg(args[n], XtNtransientFor, app_.shell); ++n;
    XtSetArg(args[n], XtNinput, True); ++n;
    if (o.geometry) {
        XtSetArg(args[n], XtNgeometry, o.geometry->c_str()); ++n;
    }
    shell_ = XtCreatePopupShell("help", transientShellWidgetClass, app_.shell, args, n);
    XtVaSetValues(shell_, XtNtitle, o.title.c_str(), nullptr);

    MessageBodyDesc desc{"Help", &o.helpText, &o.helpButtonLabel, false, false, "end", onEnd, this};
    body_ = buildMessageBody(app_, shell_, desc);
    fixShellSize(app_, shell_, body_.width, body_.height, false);
}

void HelpWindow::show() {
    if (!shell_) create();
    if (!XtIsRealized(shell_)) {
        XtRealizeWidget(shell_);
        // The window's class names it for window managers and resources.
        XClassHint hint{const_cast<char*>("help"), const_cast<char*>("Help")};
        XSetClassHint(XtDisplay(shell_), XtWindow(shell_), &hint);
    }
    XtPopup(shell_, XtGrabNone);
    XtSetKeyboardFocus(shell_, body_.end);
    showArmed(body_.end);
}

void HelpWindow::onEnd(Widget, XtPointer self, XtPointer) {
    XtPopdown(static_cast<HelpWindow*>(self)->shell_);
}

}  // namespace xpicker
