#include "systest/ui/userlist/list_geometry.h"

#include <algorithm>
#include <limits>

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t ColumnsTotalWidth(std::span<const ListColumn> columns) {
    int64_t sum = 0;
    for (const ListColumn& column : columns) {
        sum += column.width;
    }
    return ClampToInt32(sum) - 1;
}

int32_t ListGeometry::FirstVisibleRow() const {
    return rowHeight > 0 ? scrollY / rowHeight : 0;
}

int32_t ListGeometry::VisibleRowCount(bool partial) const {
    if (rowHeight <= 0) {
        return 1;
    }
    const int32_t height = clientHeight - RowsTop();
    int32_t count = height / rowHeight;
    if (partial && height % rowHeight > 0) {
        ++count;
    }
    return std::max(count, 1);
}

ListHit ListGeometry::HitTest(int32_t x, int32_t y) const {
    ListHit result;
    if (y < RowsTop() || rowHeight <= 0) {
        return result;
    }
    // Two separate divisions, as the rows are laid out from the first visible one.
    result.row = FirstVisibleRow() + (y - RowsTop()) / rowHeight;
    if (result.row < 0 || result.row >= rowCount) {
        return result;
    }
    int64_t left = 0;
    const int32_t count = static_cast<int32_t>(columns.size());
    for (int32_t i = 0; i < count; ++i) {
        const int32_t width = columns[static_cast<size_t>(i)].width;
        if (x > left - scrollX && x < left + width - scrollX) {
            result.column = i;
            result.hit = true;
            return result;
        }
        left += width;
    }
    result.column = count;
    return result;
}

HeaderHit ListGeometry::HitTestHeader(int32_t x, int32_t y) const {
    HeaderHit result;
    if (!showHeader || y < 0 || y > headerHeight) {
        return result;
    }
    const int32_t count = static_cast<int32_t>(columns.size());
    int64_t right = -int64_t{scrollX};
    for (int32_t i = 0; i < count; ++i) {
        const int32_t width = columns[static_cast<size_t>(i)].width;
        right += width;
        if (x >= right - kDividerGripLeft && x <= right + kDividerGripRight) {
            result.hit = true;
            // Right of a divider that hides zero-width columns, the last of them
            // is the one to drag open again.
            if (x >= right && i + 2 < count) {
                int32_t hidden = i;
                while (hidden + 1 < count && columns[static_cast<size_t>(hidden) + 1].width == 0) {
                    ++hidden;
                }
                result.column = hidden;
                result.flags = HeaderOnDivider | HeaderHiddenColumn;
            } else {
                result.column = i;
                result.flags = HeaderOnDivider | HeaderDividerOwner;
            }
            return result;
        }
        if (x > right - width && x < right) {
            result.hit = true;
            result.column = i;
            return result;
        }
    }
    return result;
}

bool ListGeometry::ColumnRect(int32_t column, ListRect& rect) const {
    if (column < 0 || column >= static_cast<int32_t>(columns.size())) {
        return false;
    }
    int64_t left = -int64_t{scrollX};
    for (int32_t i = 0; i < column; ++i) {
        left += columns[static_cast<size_t>(i)].width;
    }
    rect.left = ClampToInt32(left);
    rect.right = ClampToInt32(left + columns[static_cast<size_t>(column)].width);
    rect.top = 0;
    rect.bottom = headerHeight;
    return true;
}

ListRect ListGeometry::RowRect(int32_t row) const {
    const int32_t top = RowsTop() + (row - FirstVisibleRow()) * rowHeight;
    return {0, top, std::min(clientWidth, totalWidth), top + rowHeight};
}

bool ListGeometry::ItemRect(int32_t row, int32_t column, ListRect& rect) const {
    const int32_t first = FirstVisibleRow();
    if (row < first || row >= rowCount || row >= first + VisibleRowCount(true)) {
        return false;
    }
    rect = RowRect(row);
    if (column != -1) {
        ListRect header;
        if (!ColumnRect(column, header)) {
            return false;
        }
        rect.left = header.left;
        rect.right = header.right;
    }
    return true;
}

bool ListGeometry::IsItemVisible(int32_t row, int32_t column, bool partial, bool focusCell) const {
    const int32_t first = FirstVisibleRow();
    if (row < first || row >= rowCount || row >= first + VisibleRowCount(partial)) {
        return false;
    }
    if (focusCell && column != -1) {
        ListRect header;
        if (!ColumnRect(column, header)) {
            return false;
        }
        return header.left >= 0 && header.right <= clientWidth;
    }
    return true;
}

ScrollPlan ListGeometry::EnsureVisible(int32_t row, int32_t column, bool focusCell) const {
    ScrollPlan plan;
    if (IsItemVisible(row, column, false, focusCell)) {
        plan.visible = true;
        return plan;
    }
    const int32_t first = FirstVisibleRow();
    const int32_t top = RowsTop() + rowHeight * (row - first);
    int32_t newFirst = first;
    if (top >= RowsTop()) {
        if (top + rowHeight > clientHeight) {
            if (clientHeight - RowsTop() >= rowHeight) {
                // The row becomes the last fully visible one.
                newFirst = row + 1 - std::max(VisibleRowCount(false), 1);
            } else {
                newFirst = row;
            }
        }
    } else {
        newFirst = row;
    }
    newFirst = std::max(newFirst, 0);
    if (newFirst != first) {
        plan.setFirstRow = true;
        plan.firstRow = newFirst;
    }
    ListRect cell;
    if (focusCell && column != -1 && ColumnRect(column, cell)) {
        if (cell.Width() > clientWidth || cell.left < 0) {
            plan.setScrollX = true;
            plan.scrollX = ClampToInt32(int64_t{scrollX} + cell.left);
        } else if (cell.right > clientWidth) {
            plan.setScrollX = true;
            plan.scrollX = ClampToInt32(int64_t{scrollX} + cell.right - clientWidth);
        }
    }
    return plan;
}

ScrollRange ListGeometry::VerticalScroll() const {
    ScrollRange range;
    range.maximum = RowsTop() + rowCount * rowHeight;
    range.page = clientHeight - RowsTop();
    if (range.page + RowsTop() >= range.maximum) {
        range.maximum = 0;
    }
    return range;
}

ScrollRange ListGeometry::HorizontalScroll() const {
    ScrollRange range;
    range.maximum = totalWidth;
    range.page = clientWidth;
    if (clientWidth >= range.maximum) {
        range.maximum = 0;
    }
    return range;
}
