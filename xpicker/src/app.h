// The application-wide state of one xpicker run: the toolkit handles, the
// settings from the command line and the colours and fonts looked up once.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

#include "options.h"

namespace xpicker {

struct Colours {
    Pixel highlight = 0;   // banner text, border of the focused list or field
    Pixel background = 0;  // forms, labels and buttons
    Pixel error = 0;       // text of an error message
    Pixel field = 0;       // banner background, list, text fields
};

struct Fonts {
    XFontStruct* banner = nullptr;  // banner and question
    XFontStruct* normal = nullptr;  // everything else
};

struct App {
    XtAppContext context = nullptr;
    Display* display = nullptr;
    Widget shell = nullptr;
    Options options;
    std::string messageText;  // resolved text of a message, error or wait window
    Colours colours;
    Fonts fonts;
};

// Flushes standard output and ends the program with the given status.
[[noreturn]] void finish(int status);

// Writes one answer line on standard output.
void printAnswer(const std::string& line);

}  // namespace xpicker
