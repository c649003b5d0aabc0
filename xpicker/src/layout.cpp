#include "layout.h"

#include <algorithm>

namespace xpicker {

ChoiceLayout computeChoiceLayout(const ChoiceLayoutInput& in) {
    const int columns = std::max(1, in.columns);
    const int choices = static_cast<int>(in.choiceLabelWidths.size());

    int w = in.titleWidth;
    for (int lineWidth : in.questionLineWidths) w = std::max(w, lineWidth);

    for (int t : in.choiceLabelWidths) {
        if (columns == 1)
            w = std::max(w, t + 2);
        else if ((t + 8) * columns > w)
            w = (t + 6) * columns;
    }

    if (in.lines <= (choices + 1) / columns) w += 14;  // room for the scroll bar
    w += 10;

    const int buttons = std::max(1, static_cast<int>(in.buttonLabelWidths.size()));
    int widestButton = 0;
    for (int b : in.buttonLabelWidths) widestButton = std::max(widestButton, b);
    if (w < (widestButton + 16) * buttons) w = (widestButton + 16) * buttons;

    // Extra per button so that the buttons with their spacing fill the row.
    static const int kButtonExtra[] = {15, 6, 3};  // one, two, three buttons
    const int per = (w - 14) / buttons;
    w += 2;
    return ChoiceLayout{w, per + kButtonExtra[std::min(buttons, 3) - 1]};
}

bool choiceListNeedsViewport(int choiceCount, int columns, int lines) {
    return choiceCount > 0 && lines < choiceCount / std::max(1, columns);
}

}  // namespace xpicker
