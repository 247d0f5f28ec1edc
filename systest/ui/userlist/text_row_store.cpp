#include "systest/ui/userlist/text_row_store.h"

#include <algorithm>

int32_t TextRowStore::Add(TextRow row) {
    rows_.push_back(std::move(row));
    return static_cast<int32_t>(rows_.size()) - 1;
}

const TextRow* TextRowStore::Row(int32_t row) const {
    if (row < 0 || row >= ItemCount()) {
        return nullptr;
    }
    return &rows_[static_cast<size_t>(row)];
}

std::u16string TextRowStore::ItemText(int32_t row, int32_t subItem) const {
    const TextRow* r = Row(row);
    if (r == nullptr || subItem < 0 || static_cast<size_t>(subItem) >= r->cells.size()) {
        return {};
    }
    return r->cells[static_cast<size_t>(subItem)];
}

int32_t TextRowStore::ItemImage(int32_t row, int32_t subItem) const {
    const TextRow* r = Row(row);
    return r != nullptr && subItem == 0 ? r->image : -1;
}

std::u16string TextRowStore::ItemToolTip(int32_t row) const {
    const TextRow* r = Row(row);
    return r != nullptr ? r->toolTip : std::u16string();
}

void TextRowStore::SetItemValue(int32_t row, int32_t subItem, const std::u16string& value) {
    if (Row(row) == nullptr || subItem < 0) {
        return;
    }
    std::vector<std::u16string>& cells = rows_[static_cast<size_t>(row)].cells;
    if (static_cast<size_t>(subItem) >= cells.size()) {
        cells.resize(static_cast<size_t>(subItem) + 1);
    }
    cells[static_cast<size_t>(subItem)] = value;
}

void TextRowStore::SortItems(int32_t subItem, bool ascending) {
    const auto text = [subItem](const TextRow& row) -> std::u16string_view {
        if (subItem < 0 || static_cast<size_t>(subItem) >= row.cells.size()) {
            return {};
        }
        return row.cells[static_cast<size_t>(subItem)];
    };
    std::stable_sort(rows_.begin(), rows_.end(), [&](const TextRow& a, const TextRow& b) {
        return ascending ? text(a) < text(b) : text(b) < text(a);
    });
}

void TextRowStore::ReverseItems() {
    std::reverse(rows_.begin(), rows_.end());
}
