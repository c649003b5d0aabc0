// The log window: a banner, the file's text (shown once or followed) and an
// OK button.
#pragma once

#include <X11/Intrinsic.h>

#include <memory>

#include "app.h"
#include "log_reader.h"

namespace xpicker {

class LogWindow {
public:
    explicit LogWindow(App& app) : app_(app) {}
    void build();
    // Focus, then the file's content, then the armed look of OK.
    void afterMap();

private:
    void append(const char* data, size_t length, bool moveToEnd);
    void setEditable(bool appendable);
    void addScrollBarsWhenNeeded(const char* data, size_t length);
    static void onOk(Widget, XtPointer self, XtPointer);

    App& app_;
    Widget text_ = nullptr;
    Widget ok_ = nullptr;
    std::unique_ptr<LogReader> reader_;
    // What has been shown so far, to add scroll bars once they are needed.
    size_t lineCount_ = 1;
    size_t currentLineLength_ = 0;
    size_t longestLine_ = 0;
    bool verticalBar_ = false;
    bool horizontalBar_ = false;
};

}  // namespace xpicker
