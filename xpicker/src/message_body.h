// The body shared by the message window and the help window: a form
// "Help" holding a text label and an "end" button as wide as the form.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

#include "app.h"

namespace xpicker {

struct MessageBody {
    Widget form = nullptr;
    Widget label = nullptr;
    Widget end = nullptr;
    int width = 0;   // laid-out size of the form
    int height = 0;
};

struct MessageBodyDesc {
    const char* labelName;     // "HelpM" or "Help"
    const std::string* text;
    const std::string* buttonLabel;
    bool errorColour;          // text in the error colour
    bool greyLabelBorder;      // border of the label painted like the form
    const char* standInName;   // name of the button used while laying out
    XtCallbackProc onEnd;
    XtPointer closure;
};

// Builds the body in shell and lets the form lay it out (the shell is
// realised and unrealised on the way). The shell is left unrealised.
MessageBody buildMessageBody(const App& app, Widget shell, const MessageBodyDesc& desc);

}  // namespace xpicker
