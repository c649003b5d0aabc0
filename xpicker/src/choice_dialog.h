// The choice dialog: banner, question, optional list (scrolled when long)
// and input field, and the Cancel / Help / OK buttons.
#pragma once

#include <X11/Intrinsic.h>

#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "focus_ring.h"
#include "help_window.h"
#include "list_pager.h"

namespace xpicker {

class ChoiceDialog {
public:
    explicit ChoiceDialog(App& app);
    void build();
    // Initial selection, scroll position and focus, once the window is mapped.
    void afterMap();

private:
    Widget buildList(Widget form, Widget above, int width);
    Widget buildText(Widget form, Widget above, int width);
    Widget addButton(Widget form, const char* name, const std::string& label, Widget left, Widget above,
                     int width, XtCallbackProc callback);

    int initialChoice() const;
    int selectedChoice() const;
    void select(int index);
    void showShownItems();
    void scrollToSelection(int shownIndex);
    void handleListKey(XKeyEvent& key);
    void handleListClick();
    std::string typedText() const;

    static void onOk(Widget, XtPointer self, XtPointer);
    static void onCancel(Widget, XtPointer self, XtPointer);
    static void onHelp(Widget, XtPointer self, XtPointer);

    App& app_;
    int columns_;
    int lines_;
    Widget list_ = nullptr;
    Widget viewport_ = nullptr;
    Widget text_ = nullptr;
    std::unique_ptr<ListPager> pager_;
    std::vector<const char*> shownLabels_;  // items handed to the list widget
    int selected_ = -1;                     // real index of the selection
    FocusRing ring_;
    HelpWindow help_;
};

}  // namespace xpicker
