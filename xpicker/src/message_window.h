// The message window (also the error and the wait window): a text and one
// button that ends the program with status 0.
#pragma once

#include "app.h"
#include "message_body.h"

namespace xpicker {

class MessageWindow {
public:
    explicit MessageWindow(App& app) : app_(app) {}
    // Builds and realises the window (not yet mapped).
    void build();
    // Focus and armed look of the button, once the window is mapped.
    void afterMap();

private:
    App& app_;
    MessageBody body_;
};

}  // namespace xpicker
