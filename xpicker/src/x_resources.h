// Colours, fonts and text metrics looked up through the toolkit.
#pragma once

#include <X11/Intrinsic.h>
#include <X11/Xlib.h>

#include <string>

#include "app.h"

namespace xpicker {

Colours lookupColours(Widget shell);
Fonts lookupFonts(Widget shell);

int textWidth(XFontStruct* font, const std::string& text);
// Height of a text row: ascent + descent measured on a sample with an
// accent above and descenders below.
int sampleTextHeight(XFontStruct* font);
// Ascent + descent of the font as a whole.
int fontHeight(XFontStruct* font);

}  // namespace xpicker
