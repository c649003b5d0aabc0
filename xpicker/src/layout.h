// Width of the choice dialog and of its buttons, from measured text widths.
#pragma once

#include <vector>

namespace xpicker {

struct ChoiceLayoutInput {
    int titleWidth = 0;                  // banner font
    std::vector<int> questionLineWidths; // banner font, one per line
    std::vector<int> choiceLabelWidths;  // list font
    std::vector<int> buttonLabelWidths;  // button font, one per button (1..3)
    int columns = 1;
    int lines = 10;
};

struct ChoiceLayout {
    int width = 0;        // W: banner and question width
    int buttonWidth = 0;  // B
};

ChoiceLayout computeChoiceLayout(const ChoiceLayoutInput& in);

// The list is put into a scrolling viewport when it has more rows than lines.
bool choiceListNeedsViewport(int choiceCount, int columns, int lines);

}  // namespace xpicker
