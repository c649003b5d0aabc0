// Keyboard focus of the choice dialog: the list, the text field and the
// buttons form a ring walked with Tab and Shift+Tab; the focused member is
// shown by a highlight-coloured border (list, field) or ring (buttons).
#pragma once

#include <X11/Intrinsic.h>

#include <functional>
#include <vector>

#include "app.h"

namespace xpicker {

class FocusRing {
public:
    FocusRing(Widget shell, const Colours& colours) : shell_(shell), colours_(colours) {}
    FocusRing(const FocusRing&) = delete;
    FocusRing& operator=(const FocusRing&) = delete;

    // Members in ring order. For the list, borderOwner is the widget whose
    // border shows the focus (its viewport when it scrolls).
    void addList(Widget list, Widget borderOwner);
    void addText(Widget text);
    void addButton(Widget button);

    // Installs the Tab, click, configure and pointer handlers on the members.
    void installHandlers();

    void focus(Widget member);
    void focusNext();
    void focusPrevious();
    // Repaints borders and rings after the focus changed.
    void applyHighlight();

    // Keys other than Tab pressed in the list, and button releases in it.
    std::function<void(XKeyEvent&)> onListKey;
    std::function<void()> onListClick;

private:
    enum class Kind { List, Text, Button };
    struct Member {
        Widget widget;
        Widget borderOwner;
        Kind kind;
    };

    int indexOf(Widget w) const;
    const Member* focusedMember() const;
    static void onKey(Widget w, XtPointer self, XEvent* event, Boolean* dispatch);
    static void onClick(Widget w, XtPointer self, XEvent* event, Boolean* dispatch);
    static void onListStructure(Widget w, XtPointer self, XEvent* event, Boolean* dispatch);
    static void onCrossing(Widget w, XtPointer self, XEvent* event, Boolean* dispatch);

    Widget shell_;
    Colours colours_;
    std::vector<Member> members_;
    int current_ = 0;
};

}  // namespace xpicker
