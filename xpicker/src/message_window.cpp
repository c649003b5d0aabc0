#include "message_window.h"

#include "button_style.h"

namespace xpicker {

namespace {

void onEnd(Widget, XtPointer, XtPointer) { finish(kExitAnswered); }

const std::string& buttonLabel(const Options& o) {
    if (o.errorLabel) return *o.errorLabel;
    if (o.messageLabel) return *o.messageLabel;
    return *o.waitLabel;
}

}  // namespace

void MessageWindow::build() {
    const Options& o = app_.options;
    MessageBodyDesc desc{"HelpM", &app_.messageText, &buttonLabel(o), o.errorLabel.has_value(),
                         true, "tmp", onEnd, nullptr};
    body_ = buildMessageBody(app_, app_.shell, desc);
    fixShellSize(app_, app_.shell, body_.width, body_.height, true);
    XtRealizeWidget(app_.shell);
}

void MessageWindow::afterMap() {
    XtSetKeyboardFocus(app_.shell, body_.end);
    showArmed(body_.end);
}

}  // namespace xpicker
