#include "list_pager.h"

#include <algorithm>

#include "list_nav.h"

namespace xpicker {

ListPager::ListPager(int count, int columns, int maxPageRows)
    : count_(count),
      columns_(columns < 1 ? 1 : columns),
      rows_(rowsPerColumn(count, columns_)),
      pageRows_(std::min(rows_, std::max(1, maxPageRows))) {}

int ListPager::shownCount() const { return paged() ? pageRows_ * columns_ : count_; }

int ListPager::realIndex(int shown) const {
    if (!paged()) return shown >= 0 && shown < count_ ? shown : -1;
    const int column = shown / pageRows_;
    const int row = firstRow_ + shown % pageRows_;
    const int index = column * rows_ + row;
    return row < rows_ && index < count_ ? index : -1;
}

int ListPager::shownIndex(int index) const {
    if (index < 0 || index >= count_) return -1;
    if (!paged()) return index;
    const int row = index % rows_;
    if (row < firstRow_ || row >= firstRow_ + pageRows_) return -1;
    return (index / rows_) * pageRows_ + (row - firstRow_);
}

bool ListPager::bringIntoPage(int index) {
    if (!paged() || index < 0 || shownIndex(index) >= 0) return false;
    const int row = index % rows_;
    firstRow_ = std::clamp(row - pageRows_ / 2, 0, rows_ - pageRows_);
    return true;
}

}  // namespace xpicker
