#include "x_resources.h"

#include <X11/StringDefs.h>
#include <X11/Xaw/Label.h>

#include <initializer_list>

namespace xpicker {

namespace {

bool convertColour(Widget w, const char* name, Pixel& out) {
    XrmValue from{static_cast<unsigned>(std::char_traits<char>::length(name)) + 1,
                  const_cast<XPointer>(name)};
    XrmValue to{sizeof(Pixel), reinterpret_cast<XPointer>(&out)};
    return XtConvertAndStore(w, XtRString, &from, XtRPixel, &to);
}

Pixel firstColour(Widget w, std::initializer_list<const char*> names, Pixel lastResort) {
    for (const char* name : names) {
        Pixel pixel = 0;
        if (convertColour(w, name, pixel)) return pixel;
    }
    return lastResort;
}

const char kBannerFontPattern[] = "*lucida*-bold-*-14-*";

// Loads the banner font only when the server knows a match, so that a
// missing font gives a quiet fall-back instead of a toolkit warning. Among
// the matches a Latin-1 font is preferred: the texts are Latin-1, and a
// Unicode font's metrics take far longer to load.
XFontStruct* bannerFont(Widget w) {
    int count = 0;
    char** names = XListFonts(XtDisplay(w), kBannerFontPattern, 64, &count);
    if (!names) return nullptr;
    std::string chosen = names[0];
    for (int i = 0; i < count; ++i) {
        const std::string name = names[i];
        if (name.size() >= 9 && name.compare(name.size() - 9, 9, "iso8859-1") == 0) {
            chosen = name;
            break;
        }
    }
    XFreeFontNames(names);
    XFontStruct* font = nullptr;
    XrmValue from{static_cast<unsigned>(chosen.size() + 1), const_cast<char*>(chosen.c_str())};
    XrmValue to{sizeof font, reinterpret_cast<XPointer>(&font)};
    return XtConvertAndStore(w, XtRString, &from, XtRFontStruct, &to) ? font : nullptr;
}

// The font a label gets by default (including any user resources).
XFontStruct* defaultLabelFont(Widget shell) {
    Widget probe = XtCreateWidget("tmp", labelWidgetClass, shell, nullptr, 0);
    XFontStruct* font = nullptr;
    XtVaGetValues(probe, XtNfont, &font, nullptr);
    XtDestroyWidget(probe);
    return font;
}

}  // namespace

Colours lookupColours(Widget shell) {
    Screen* screen = XtScreen(shell);
    const Pixel black = BlackPixelOfScreen(screen);
    const Pixel white = WhitePixelOfScreen(screen);
    Colours c;
    c.highlight = firstColour(shell, {"#0000cf", "blue"}, black);
    c.background = firstColour(shell, {"#cfcfcf", "#cccccc"}, white);
    c.error = firstColour(shell, {"#ff0000"}, black);
    c.field = firstColour(shell, {"white"}, white);
    return c;
}

Fonts lookupFonts(Widget shell) {
    Fonts f;
    f.normal = defaultLabelFont(shell);
    f.banner = bannerFont(shell);
    if (!f.banner) f.banner = f.normal;  // no lucida on this server
    return f;
}

int textWidth(XFontStruct* font, const std::string& text) {
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

int sampleTextHeight(XFontStruct* font) {
    static const char kSample[] = "\xC4pMq";  // Latin-1 A-umlaut, p, M, q
    int direction = 0, ascent = 0, descent = 0;
    XCharStruct overall{};
    XTextExtents(font, kSample, 4, &direction, &ascent, &descent, &overall);
    return overall.ascent + overall.descent;
}

int fontHeight(XFontStruct* font) { return font->ascent + font->descent; }

}  // namespace xpicker
