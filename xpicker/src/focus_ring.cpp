#include "focus_ring.h"

#include <X11/StringDefs.h>
#include <X11/Xaw/Command.h>
#include <X11/keysym.h>

namespace xpicker {

void FocusRing::addList(Widget list, Widget borderOwner) { members_.push_back({list, borderOwner, Kind::List}); }
void FocusRing::addText(Widget text) { members_.push_back({text, text, Kind::Text}); }
void FocusRing::addButton(Widget button) { members_.push_back({button, button, Kind::Button}); }

int FocusRing::indexOf(Widget w) const {
    for (size_t i = 0; i < members_.size(); ++i)
        if (members_[i].widget == w) return static_cast<int>(i);
    return -1;
}

const FocusRing::Member* FocusRing::focusedMember() const {
    return members_.empty() ? nullptr : &members_[current_];
}

void FocusRing::installHandlers() {
    for (const Member& m : members_) {
        XtAddEventHandler(m.widget, KeyPressMask, False, onKey, this);
        const EventMask clicks = m.kind == Kind::Text ? ButtonPressMask | ButtonReleaseMask : ButtonReleaseMask;
        XtAddEventHandler(m.widget, clicks, False, onClick, this);
        if (m.kind == Kind::List)
            XtAddEventHandler(m.widget, StructureNotifyMask, False, onListStructure, this);
        if (m.kind == Kind::Button)
            XtAddEventHandler(m.widget, EnterWindowMask | LeaveWindowMask, False, onCrossing, this);
    }
}

void FocusRing::focus(Widget member) {
    const int index = indexOf(member);
    if (index < 0) return;
    current_ = index;
    XtSetKeyboardFocus(shell_, member);
    applyHighlight();
}

void FocusRing::focusNext() {
    if (members_.empty()) return;
    focus(members_[(current_ + 1) % members_.size()].widget);
}

void FocusRing::focusPrevious() {
    if (members_.empty()) return;
    focus(members_[(current_ + members_.size() - 1) % members_.size()].widget);
}

void FocusRing::applyHighlight() {
    for (size_t i = 0; i < members_.size(); ++i) {
        const Member& m = members_[i];
        const bool focused = static_cast<int>(i) == current_;
        if (m.kind == Kind::Button)
            XtVaSetValues(m.widget, XtNhighlightThickness, focused ? 2 : 0, nullptr);
        else
            XtVaSetValues(m.borderOwner, XtNborderColor, focused ? colours_.highlight : Pixel{0}, nullptr);
    }
}

void FocusRing::onKey(Widget w, XtPointer self, XEvent* event, Boolean*) {
    auto* ring = static_cast<FocusRing*>(self);
    XKeyEvent& key = event->xkey;
    const KeySym sym = XLookupKeysym(&key, (key.state & ShiftMask) ? 1 : 0);
    const KeySym plain = XLookupKeysym(&key, 0);
    if (sym == XK_ISO_Left_Tab || plain == XK_ISO_Left_Tab) {
        ring->focusPrevious();
    } else if (plain == XK_Tab) {
        if (key.state & ShiftMask)
            ring->focusPrevious();
        else
            ring->focusNext();
    } else {
        const int index = ring->indexOf(w);
        if (index >= 0 && ring->members_[index].kind == Kind::List && ring->onListKey) ring->onListKey(key);
    }
}

void FocusRing::onClick(Widget w, XtPointer self, XEvent* event, Boolean*) {
    auto* ring = static_cast<FocusRing*>(self);
    ring->focus(w);
    const int index = ring->indexOf(w);
    if (event->type == ButtonRelease && index >= 0 && ring->members_[index].kind == Kind::List && ring->onListClick)
        ring->onListClick();
}

void FocusRing::onListStructure(Widget w, XtPointer self, XEvent* event, Boolean*) {
    if (event->type == ConfigureNotify) static_cast<FocusRing*>(self)->focus(w);
}

void FocusRing::onCrossing(Widget w, XtPointer self, XEvent* event, Boolean* dispatch) {
    auto* ring = static_cast<FocusRing*>(self);
    const Member* focused = ring->focusedMember();
    const bool focusedIsButton = focused && focused->kind == Kind::Button;
    if (event->type == EnterNotify) {
        XtVaSetValues(w, XtNhighlightThickness, 2, nullptr);
        if (focusedIsButton && focused->widget != w)
            XtVaSetValues(focused->widget, XtNhighlightThickness, 0, nullptr);
        return;
    }
    const bool isFocused = focused && focused->widget == w;
    XtVaSetValues(w, XtNhighlightThickness, isFocused ? 2 : 0, nullptr);
    if (focusedIsButton) XtVaSetValues(focused->widget, XtNhighlightThickness, 2, nullptr);
    *dispatch = False;  // keep the button's look; the ring shows the focus
}

}  // namespace xpicker
