#include "list_nav.h"

#include <algorithm>

namespace xpicker {

int rowsPerColumn(int count, int columns) {
    if (columns < 1) columns = 1;
    return (count + columns - 1) / columns;
}

int stepUp(int index, int count) {
    if (count <= 0) return kNoSelection;
    if (index == kNoSelection) return 0;
    return index > 0 ? index - 1 : 0;
}

int stepDown(int index, int count) {
    if (count <= 0) return kNoSelection;
    if (index == kNoSelection) return 0;
    return index < count - 1 ? index + 1 : count - 1;
}

int stepLeft(int index, int count, int columns) {
    if (count <= 0) return kNoSelection;
    if (index == kNoSelection) return 0;
    const int rows = rowsPerColumn(count, columns);
    int next = index - rows;
    if (next < 0) next += columns * rows;
    // With more columns than needed the wrap can land in empty columns;
    // step back until a real item is reached.
    while (next > count - 1) next -= rows;
    return next < 0 ? 0 : next;
}

int stepRight(int index, int count, int columns) {
    if (count <= 0) return kNoSelection;
    if (index == kNoSelection) return 0;
    const int rows = rowsPerColumn(count, columns);
    int next = index + rows;
    if (next > count - 1) next -= columns * rows;
    while (next < 0) next += rows;
    return next > count - 1 ? count - 1 : next;
}

int viewportOffsetForRow(int row, int lines, int viewportHeight) {
    if (lines < 1 || row + 1 <= lines) return 0;
    const double y = (static_cast<double>(row) / lines) * (viewportHeight - 4) - 4;
    return static_cast<int>(y);
}

int offsetShowingRow(int offset, int rowTop, int rowHeight, int viewportHeight, int maxOffset) {
    if (rowTop < offset) offset = rowTop;
    if (rowTop + rowHeight > offset + viewportHeight) offset = rowTop + rowHeight - viewportHeight;
    return std::clamp(offset, 0, std::max(0, maxOffset));
}

}  // namespace xpicker
