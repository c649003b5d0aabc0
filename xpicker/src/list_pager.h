// Shows a very long choice list a page of rows at a time.
//
// The list widget keeps its size and item positions in 16-bit fields, so a
// list taller than about 32000 pixels wraps around and its lower rows cannot
// be reached. When the rows do not fit, the widget is given one page of rows
// of every column (padded with empty items) and the page follows the
// selection, so that every choice stays reachable.
#pragma once

#include <vector>

namespace xpicker {

class ListPager {
public:
    ListPager(int count, int columns, int maxPageRows);

    bool paged() const { return pageRows_ < rows_; }
    int rows() const { return rows_; }          // rows of the whole list
    int pageRows() const { return pageRows_; }  // rows handed to the widget
    int firstRow() const { return firstRow_; }
    int shownCount() const;                     // items handed to the widget

    // Real index of the item shown at `shown`, or -1 for padding.
    int realIndex(int shown) const;
    // Position of real item `index` in the shown items, or -1 if off the page.
    int shownIndex(int index) const;
    // Moves the page so that `index` is on it; true when the page changed.
    bool bringIntoPage(int index);

private:
    int count_;
    int columns_;
    int rows_;
    int pageRows_;
    int firstRow_ = 0;
};

}  // namespace xpicker
