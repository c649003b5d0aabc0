// The help window of the choice dialog: made on the first press of "help",
// unmapped by its "end" button and mapped again, unchanged, by later presses.
#pragma once

#include <X11/Intrinsic.h>

#include "app.h"
#include "message_body.h"

namespace xpicker {

class HelpWindow {
public:
    explicit HelpWindow(App& app) : app_(app) {}
    void show();

private:
    void create();
    static void onEnd(Widget, XtPointer self, XtPointer);

    App& app_;
    Widget shell_ = nullptr;
    MessageBody body_;
};

}  // namespace xpicker
