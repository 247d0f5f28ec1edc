#include "systest/ui/userlist/text_row_store.h"

namespace {

// The text of a sub-item; "" for one the row has no cell for.
std::u16string_view CellText(const TextRow& row, int32_t subItem) {
    if (subItem < 0 || static_cast<size_t>(subItem) >= row.cells.size()) {
        return {};
    }
    return row.cells[static_cast<size_t>(subItem)];
}

}  // namespace

std::u16string TextRowStore::ItemText(int32_t row, int32_t subItem) const {
    const TextRow* r = Find(row);
    return r != nullptr ? std::u16string(CellText(*r, subItem)) : std::u16string();
}

int32_t TextRowStore::ItemImage(int32_t row, int32_t subItem) const {
    const TextRow* r = Find(row);
    return r != nullptr && subItem == 0 ? r->image : -1;
}

std::u16string TextRowStore::ItemToolTip(int32_t row) const {
    const TextRow* r = Find(row);
    return r != nullptr ? r->toolTip : std::u16string();
}

void TextRowStore::SetItemValue(int32_t row, int32_t subItem, const std::u16string& value) {
    TextRow* r = Find(row);
    if (r == nullptr || subItem < 0) {
        return;
    }
    if (static_cast<size_t>(subItem) >= r->cells.size()) {
        r->cells.resize(static_cast<size_t>(subItem) + 1);
    }
    r->cells[static_cast<size_t>(subItem)] = value;
}

void TextRowStore::SortItems(int32_t subItem, bool ascending) {
    StableSortBy([subItem](const TextRow& row) { return CellText(row, subItem); }, ascending);
}
