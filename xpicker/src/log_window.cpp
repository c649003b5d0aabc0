#include "log_window.h"

#include <X11/StringDefs.h>
#include <X11/Xaw/AsciiText.h>
#include <X11/Xaw/Command.h>
#include <X11/Xaw/Form.h>
#include <X11/Xaw/Label.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "button_style.h"
#include "x_resources.h"

namespace xpicker {

namespace {

// The text source walks its pieces from the start on every access; big
// pieces keep a log of many megabytes quick to fill and to scroll.
constexpr int kTextPieceSize = 1024 * 1024;

Widget createBanner(const App& app, Widget form, int width) {
    return XtVaCreateManagedWidget("Label", labelWidgetClass, form,
                                   XtNwidth, width, XtNborderWidth, 0,
                                   XtNbackground, app.colours.field, XtNforeground, app.colours.highlight,
                                   XtNfont, app.fonts.banner, XtNlabel, app.options.title.c_str(),
                                   XtNresizable, True, XtNresize, False, nullptr);
}

}  // namespace

void LogWindow::build() {
    const Options& o = app_.options;
    XFontStruct* font = app_.fonts.normal;
    const int textWidth_ = textWidth(font, std::string(static_cast<size_t>(o.logColumns()), 'W'));
    const int height = fontHeight(font) * o.logLines();
    const int width = std::max(textWidth_, textWidth(app_.fonts.banner, o.title));

    Widget form = XtVaCreateManagedWidget("mainForm", formWidgetClass, app_.shell,
                                          XtNbackground, app_.colours.background, nullptr);
    Widget banner = createBanner(app_, form, width);
    text_ = XtVaCreateManagedWidget("text", asciiTextWidgetClass, form,
                                    XtNfromVert, banner, XtNwidth, width - 2, XtNheight, height,
                                    XtNbackground, app_.colours.field, XtNresize, XawtextResizeNever,
                                    XtNfont, font, XtNresizable, True, XtNeditType, XawtextAppend,
                                    XtNpieceSize, kTextPieceSize, nullptr);
    ok_ = XtVaCreateManagedWidget("ok", commandWidgetClass, form,
                                  XtNfromVert, text_, XtNlabel, o.okLabel.c_str(), XtNwidth, width,
                                  XtNresizable, True, XtNresize, False,
                                  XtNbackground, app_.colours.background, XtNfont, font, nullptr);
    XtOverrideTranslations(ok_, XtParseTranslationTable(kLogOkTranslations));
    XtAddCallback(ok_, XtNcallback, onOk, this);

    XtRealizeWidget(app_.shell);
    XtUnrealizeWidget(app_.shell);
    // Fixed at the form's size: the form's margins come on top of W.
    Dimension formWidth = 0, formHeight = 0;
    XtVaGetValues(form, XtNwidth, &formWidth, XtNheight, &formHeight, nullptr);
    fixShellSize(app_, app_.shell, formWidth, formHeight, true);
    XtRealizeWidget(app_.shell);
}

void LogWindow::setEditable(bool appendable) {
    XtVaSetValues(text_, XtNeditType, appendable ? XawtextAppend : XawtextRead, nullptr);
}

// The text widget of this toolkit no longer adds scroll bars by itself when
// the text outgrows it, so they are switched on here once needed.
void LogWindow::addScrollBarsWhenNeeded(const char* data, size_t length) {
    for (const char* end = data + length; data < end;) {
        const char* newline = static_cast<const char*>(std::memchr(data, '\n', static_cast<size_t>(end - data)));
        const char* stop = newline ? newline : end;
        currentLineLength_ += static_cast<size_t>(stop - data);
        longestLine_ = std::max(longestLine_, currentLineLength_);
        if (newline) {
            ++lineCount_;
            currentLineLength_ = 0;
        }
        data = newline ? newline + 1 : end;
    }
    const Options& o = app_.options;
    if (!verticalBar_ && lineCount_ > static_cast<size_t>(o.logLines())) {
        verticalBar_ = true;
        XtVaSetValues(text_, XtNscrollVertical, XawtextScrollAlways, nullptr);
    }
    Dimension width = 0;
    XtVaGetValues(text_, XtNwidth, &width, nullptr);
    const size_t widest = longestLine_ * static_cast<size_t>(std::max<short>(1, app_.fonts.normal->max_bounds.width));
    if (!horizontalBar_ && widest + 4 > width) {
        horizontalBar_ = true;
        XtVaSetValues(text_, XtNscrollHorizontal, XawtextScrollAlways, nullptr);
    }
}

void LogWindow::append(const char* data, size_t length, bool moveToEnd) {
    XawTextDisableRedisplay(text_);
    addScrollBarsWhenNeeded(data, length);
    setEditable(true);
    while (length > 0) {
        const size_t part = std::min(length, static_cast<size_t>(INT_MAX / 2));
        const XawTextPosition end = XawTextLastPosition(text_);
        XawTextBlock block{};
        block.firstPos = 0;
        block.length = static_cast<int>(part);
        block.ptr = const_cast<char*>(data);
        block.format = XawFmt8Bit;
        XawTextReplace(text_, end, end, &block);
        data += part;
        length -= part;
    }
    if (moveToEnd) XawTextSetInsertionPoint(text_, XawTextLastPosition(text_));
    setEditable(false);
    XawTextEnableRedisplay(text_);
}

void LogWindow::afterMap() {
    XtSetKeyboardFocus(app_.shell, ok_);
    XFlush(app_.display);

    const Options& o = app_.options;
    const std::string name = o.textSource.value_or(std::string());
    if (name.empty()) {
        std::fputs("no file given\n", stderr);
        finish(kExitUnknownOrNoMode);
    }
    const bool following = o.tailMarker;
    reader_ = std::make_unique<LogReader>(app_.context, [this, following](const char* data, size_t length) {
        append(data, length, following);
    });
    if (const int error = reader_->open(name)) {
        std::fprintf(stderr, "can\xB4t open file %s, error %d\n", name.c_str(), error);
        finish(kExitUnknownOrNoMode);
    }
    if (following) {
        reader_->follow();
    } else {
        setEditable(false);
        reader_->readOnce([this] { setEditable(false); });
    }
    showArmed(ok_);
}

void LogWindow::onOk(Widget, XtPointer, XtPointer) {
    // No list and no field: OK prints nothing.
    finish(kExitAnswered);
}

}  // namespace xpicker
