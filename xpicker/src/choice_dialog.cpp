#include "choice_dialog.h"

#include <X11/StringDefs.h>
#include <X11/Xaw/AsciiText.h>
#include <X11/Xaw/Command.h>
#include <X11/Xaw/Form.h>
#include <X11/Xaw/Label.h>
#include <X11/Xaw/List.h>
#include <X11/Xaw/Viewport.h>
#include <X11/keysym.h>

#include <algorithm>

#include "answer.h"
#include "button_style.h"
#include "layout.h"
#include "list_nav.h"
#include "text_util.h"
#include "x_resources.h"

namespace xpicker {

namespace {

// Return, Tab and (for -input) the space bar insert nothing in the field.
const char kInputTranslations[] = "<Key>Return: \n<Key>Tab: \n<Key>\\ : ";
const char kInputWithSpaceTranslations[] = "<Key>Return: \n<Key>Tab: ";

// The list widget keeps sizes and positions in 16-bit fields; pages of this
// many pixels stay well inside them whatever the row spacing.
constexpr int kMaxListPixels = 16000;

}  // namespace

ChoiceDialog::ChoiceDialog(App& app)
    : app_(app),
      columns_(app.options.listColumns()),
      lines_(app.options.listLines()),
      ring_(app.shell, app.colours),
      help_(app) {}

Widget ChoiceDialog::buildList(Widget form, Widget above, int width) {
    const auto& choices = app_.options.choices;
    const int count = static_cast<int>(choices.size());
    const int rowHeight = sampleTextHeight(app_.fonts.normal) + 3;
    Widget parent = form;
    if (choiceListNeedsViewport(count, columns_, lines_)) {
        viewport_ = XtVaCreateManagedWidget("vp", viewportWidgetClass, form,
                                            XtNwidth, width - 2, XtNheight, rowHeight * lines_,
                                            XtNallowVert, True, XtNuseRight, True, XtNfromVert, above,
                                            XtNresizable, True, nullptr);
        parent = viewport_;
    }
    pager_ = std::make_unique<ListPager>(count, columns_, kMaxListPixels / std::max(1, fontHeight(app_.fonts.normal)));
    shownLabels_.assign(static_cast<size_t>(pager_->shownCount()), "");
    list_ = XtVaCreateManagedWidget("list", listWidgetClass, parent,
                                    XtNwidth, width - 2, XtNdefaultColumns, columns_, XtNforceColumns, True,
                                    XtNverticalList, True, XtNbackground, app_.colours.field,
                                    XtNresizable, True, XtNfont, app_.fonts.normal, XtNfromVert, above,
                                    nullptr);
    showShownItems();
    return viewport_ ? viewport_ : list_;
}

void ChoiceDialog::showShownItems() {
    const auto& choices = app_.options.choices;
    for (size_t shown = 0; shown < shownLabels_.size(); ++shown) {
        const int real = pager_->realIndex(static_cast<int>(shown));
        shownLabels_[shown] = real >= 0 ? choices[static_cast<size_t>(real)].label.c_str() : "";
    }
    XawListChange(list_, shownLabels_.data(), static_cast<int>(shownLabels_.size()), 0, False);
}

Widget ChoiceDialog::buildText(Widget form, Widget above, int width) {
    text_ = XtVaCreateManagedWidget("text", asciiTextWidgetClass, form,
                                    XtNfromVert, above, XtNwidth, width - 2,
                                    XtNbackground, app_.colours.field, XtNresize, XawtextResizeNever,
                                    XtNfont, app_.fonts.normal, XtNresizable, True, XtNeditType, XawtextEdit,
                                    nullptr);
    const char* table = app_.options.inputSpace ? kInputWithSpaceTranslations : kInputTranslations;
    XtOverrideTranslations(text_, XtParseTranslationTable(table));
    return text_;
}

Widget ChoiceDialog::addButton(Widget form, const char* name, const std::string& label, Widget left,
                               Widget above, int width, XtCallbackProc callback) {
    Widget button = XtVaCreateManagedWidget(name, commandWidgetClass, form,
                                            XtNfromVert, above, XtNfromHoriz, left,
                                            XtNlabel, label.c_str(), XtNwidth, width,
                                            XtNresizable, True, XtNresize, False,
                                            XtNbackground, app_.colours.background,
                                            XtNfont, app_.fonts.normal, nullptr);
    XtOverrideTranslations(button, XtParseTranslationTable(kButtonTranslations));
    XtAddCallback(button, XtNcallback, callback, this);
    return button;
}

void ChoiceDialog::build() {
    const Options& o = app_.options;
    const std::string& question = *o.question;

    // Buttons in row order: name, label, action.
    struct Button {
        const char* name;
        const std::string* label;
        XtCallbackProc callback;
    };
    std::vector<Button> buttons;
    if (o.cancelLabel) buttons.push_back({"cancel", &*o.cancelLabel, onCancel});
    if (o.helpLabel) buttons.push_back({"help", &*o.helpLabel, onHelp});
    buttons.push_back({"ok", &o.okLabel, onOk});

    ChoiceLayoutInput in;
    in.titleWidth = textWidth(app_.fonts.banner, o.title);
    for (const std::string& line : splitLines(question))
        in.questionLineWidths.push_back(textWidth(app_.fonts.banner, line));
    for (const Choice& c : o.choices) in.choiceLabelWidths.push_back(textWidth(app_.fonts.normal, c.label));
    for (const Button& b : buttons) in.buttonLabelWidths.push_back(textWidth(app_.fonts.normal, *b.label));
    in.columns = columns_;
    in.lines = lines_;
    const ChoiceLayout layout = computeChoiceLayout(in);
    const int w = layout.width;

    Widget form = XtVaCreateManagedWidget("mainForm", formWidgetClass, app_.shell,
                                          XtNbackground, app_.colours.background, nullptr);
    Widget banner = XtVaCreateManagedWidget("Label", labelWidgetClass, form,
                                            XtNwidth, w, XtNborderWidth, 0,
                                            XtNbackground, app_.colours.field,
                                            XtNforeground, app_.colours.highlight,
                                            XtNfont, app_.fonts.banner, XtNlabel, o.title.c_str(),
                                            XtNresizable, True, XtNresize, False, nullptr);
    Widget last = XtVaCreateManagedWidget("question", labelWidgetClass, form,
                                          XtNfont, app_.fonts.banner, XtNwidth, w, XtNborderWidth, 0,
                                          XtNfromVert, banner, XtNjustify, XtJustifyLeft,
                                          XtNlabel, question.c_str(), XtNresizable, True, XtNresize, False,
                                          XtNbackground, app_.colours.background, nullptr);
    if (!o.choices.empty()) {
        last = buildList(form, last, w);
        ring_.addList(list_, viewport_ ? viewport_ : list_);
    }
    if (o.input) {
        last = buildText(form, last, w);
        ring_.addText(text_);
    }
    Widget left = nullptr;
    for (const Button& b : buttons) {
        left = addButton(form, b.name, *b.label, left, last, layout.buttonWidth, b.callback);
        ring_.addButton(left);
    }
    ring_.onListKey = [this](XKeyEvent& key) { handleListKey(key); };
    ring_.onListClick = [this] { handleListClick(); };
    ring_.installHandlers();

    XtRealizeWidget(app_.shell);
    XtUnrealizeWidget(app_.shell);
    // The form adds its margins around the W-wide rows; fixing the shell at
    // W would cut off the right edge, so it is fixed at the form's size.
    Dimension formWidth = 0, formHeight = 0;
    XtVaGetValues(form, XtNwidth, &formWidth, XtNheight, &formHeight, nullptr);
    fixShellSize(app_, app_.shell, formWidth, formHeight, true);
    XtRealizeWidget(app_.shell);
}

int ChoiceDialog::initialChoice() const {
    const Options& o = app_.options;
    if (!o.defaultChoice) return 0;
    int found = 0;  // the first choice when no label matches
    for (size_t i = 0; i < o.choices.size(); ++i)
        if (o.choices[i].label == *o.defaultChoice) found = static_cast<int>(i);
    return found;
}

void ChoiceDialog::afterMap() {
    if (list_) {
        if (!app_.options.noReturn) select(initialChoice());
        ring_.focus(list_);
    } else if (text_) {
        ring_.focus(text_);
    } else {
        ring_.focusNext();  // a question alone: Return answers at once
    }
}

int ChoiceDialog::selectedChoice() const {
    if (!list_) return -1;
    const XawListReturnStruct* current = XawListShowCurrent(list_);
    const int shown = current ? current->list_index : XAW_LIST_NONE;
    return shown == XAW_LIST_NONE ? -1 : pager_->realIndex(shown);
}

void ChoiceDialog::select(int index) {
    selected_ = index;
    if (index < 0) {
        XawListUnhighlight(list_);
        return;
    }
    if (pager_->bringIntoPage(index)) showShownItems();
    const int shown = pager_->shownIndex(index);
    XawListHighlight(list_, shown);
    scrollToSelection(shown);
}

void ChoiceDialog::scrollToSelection(int shown) {
    if (!viewport_ || shown < 0) return;
    Dimension listHeight = 0, internalHeight = 0, viewportHeight = 0;
    XtVaGetValues(list_, XtNheight, &listHeight, XtNinternalHeight, &internalHeight, nullptr);
    XtVaGetValues(viewport_, XtNheight, &viewportHeight, nullptr);
    if (listHeight <= viewportHeight) return;

    const int rows = pager_->pageRows();
    const int row = shown % rows;
    int y = viewportOffsetForRow(row, lines_, viewportHeight);
    // Row spacing of the list may differ from the estimate; never leave the
    // selected row outside the visible part.
    const int rowHeight = (listHeight - 2 * internalHeight) / std::max(1, rows);
    y = offsetShowingRow(y, internalHeight + row * rowHeight, rowHeight, viewportHeight,
                         listHeight - viewportHeight);
    XawViewportSetCoordinates(viewport_, 0, static_cast<Position>(y));
}

void ChoiceDialog::handleListKey(XKeyEvent& key) {
    const int count = static_cast<int>(app_.options.choices.size());
    const int current = selectedChoice();
    int next = current;
    switch (XLookupKeysym(&key, 0)) {
        case XK_Up: case XK_KP_Up: next = stepUp(current, count); break;
        case XK_Down: case XK_KP_Down: next = stepDown(current, count); break;
        case XK_Left: case XK_KP_Left: if (columns_ > 1) next = stepLeft(current, count, columns_); break;
        case XK_Right: case XK_KP_Right: if (columns_ > 1) next = stepRight(current, count, columns_); break;
        default: return;
    }
    select(next);
    ring_.focus(list_);
}

void ChoiceDialog::handleListClick() {
    const int clicked = selectedChoice();
    if (clicked >= 0)
        selected_ = clicked;
    else if (selected_ >= 0)
        select(selected_);  // padding of a paged list: keep the selection
}

std::string ChoiceDialog::typedText() const {
    if (!text_) return {};
    Widget source = XawTextGetSource(text_);
    const XawTextPosition end = XawTextSourceScan(source, 0, XawstAll, XawsdRight, 1, True);
    std::string text;
    for (XawTextPosition pos = 0; pos < end;) {
        XawTextBlock block{};
        pos = XawTextSourceRead(source, pos, &block, static_cast<int>(end - pos));
        if (block.length <= 0) break;
        text.append(block.ptr, static_cast<size_t>(block.length));
    }
    return text;
}

void ChoiceDialog::onOk(Widget, XtPointer self, XtPointer) {
    auto* dialog = static_cast<ChoiceDialog*>(self);
    const Options& o = dialog->app_.options;
    const int chosen = dialog->selectedChoice();
    OkContext context;
    context.noReturn = o.noReturn;
    context.hasList = dialog->list_ != nullptr;
    context.hasInput = dialog->text_ != nullptr;
    context.both = o.both;
    context.typedText = dialog->typedText();
    context.selectedValue = chosen >= 0 ? &o.choices[static_cast<size_t>(chosen)].value : nullptr;
    context.denied = o.deny;
    const OkOutcome outcome = decideOk(context);
    if (outcome.refused) {
        XBell(dialog->app_.display, 100);
        return;
    }
    if (outcome.printLine) printAnswer(outcome.line);
    finish(kExitAnswered);
}

void ChoiceDialog::onCancel(Widget, XtPointer self, XtPointer) {
    const OkOutcome outcome = decideCancel(static_cast<ChoiceDialog*>(self)->app_.options.cancelAnswer);
    if (outcome.printLine) printAnswer(outcome.line);
    finish(kExitCancel);
}

void ChoiceDialog::onHelp(Widget, XtPointer self, XtPointer) { static_cast<ChoiceDialog*>(self)->help_.show(); }

}  // namespace xpicker
