// Keyboard movement in the choice list and the matching viewport offset.
// The list is laid out column by column: item i sits in column i / rows,
// row i % rows, with rows = ceil(count / columns).
#pragma once

namespace xpicker {

constexpr int kNoSelection = -1;

int rowsPerColumn(int count, int columns);

int stepUp(int index, int count);
int stepDown(int index, int count);
// Left/Right move a whole column and wrap around; used with several columns.
int stepLeft(int index, int count, int columns);
int stepRight(int index, int count, int columns);

// Vertical offset of the viewport that shows `row` of a list with `lines`
// visible rows in a viewport `viewportHeight` pixels high.
int viewportOffsetForRow(int row, int lines, int viewportHeight);

// Moves offset as little as needed so that the row spanning
// [rowTop, rowTop + rowHeight) is inside [offset, offset + viewportHeight),
// and keeps it within [0, maxOffset].
int offsetShowingRow(int offset, int rowTop, int rowHeight, int viewportHeight, int maxOffset);

}  // namespace xpicker
