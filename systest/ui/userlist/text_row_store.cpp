#include "systest/ui/userlist/text_row_store.h"

#include <algorithm>
#include <new>

namespace {

// The text of a sub-item; "" for one the row has no cell for.
std::u16string_view CellText(const TextRow& row, int32_t subItem) {
    if (subItem < 0 || static_cast<size_t>(subItem) >= row.cells.size()) {
        return {};
    }
    return row.cells[static_cast<size_t>(subItem)];
}

}  // namespace

int32_t TextRowStore::Add(TextRow row) {
    try {
        rows_.push_back(std::move(row));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return ItemCount() - 1;
}

const TextRow* TextRowStore::Find(int32_t row) const {
    return row >= 0 && row < ItemCount() ? &rows_[static_cast<size_t>(row)] : nullptr;
}

std::u16string TextRowStore::ItemText(int32_t row, int32_t subItem) const {
    const TextRow* r = Find(row);
    return r != nullptr ? std::u16string(CellText(*r, subItem)) : std::u16string();
}

int32_t TextRowStore::ItemImage(int32_t row, int32_t subItem) const {
    const TextRow* r = Find(row);
    return r != nullptr && subItem == 0 ? r->image : kNoRowImage;
}

std::u16string TextRowStore::ItemToolTip(int32_t row) const {
    const TextRow* r = Find(row);
    return r != nullptr ? r->toolTip : std::u16string();
}

void TextRowStore::SetItemValue(int32_t row, int32_t subItem, const std::u16string& value) {
    if (Find(row) == nullptr || subItem < 0) {
        return;
    }
    std::vector<std::u16string>& cells = rows_[static_cast<size_t>(row)].cells;
    if (static_cast<size_t>(subItem) >= cells.size()) {
        cells.resize(static_cast<size_t>(subItem) + 1);
    }
    cells[static_cast<size_t>(subItem)] = value;
}

void TextRowStore::SortItems(int32_t subItem, bool ascending) {
    std::stable_sort(rows_.begin(), rows_.end(), [&](const TextRow& a, const TextRow& b) {
        return ascending ? CellText(a, subItem) < CellText(b, subItem)
                         : CellText(b, subItem) < CellText(a, subItem);
    });
}

void TextRowStore::ReverseItems() {
    std::reverse(rows_.begin(), rows_.end());
}
