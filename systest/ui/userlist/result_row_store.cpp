#include "systest/ui/userlist/result_row_store.h"

std::u16string ResultRowStore::ItemText(int32_t row, int32_t subItem) const {
    const ResultRow* r = Find(row);
    if (r == nullptr) {
        return {};
    }
    switch (subItem) {
        case kStatusSubItem:
            return r->status;
        case kTextSubItem:
            return r->text;
        default:
            return {};
    }
}

int32_t ResultRowStore::ItemImage(int32_t row, int32_t subItem) const {
    const ResultRow* r = Find(row);
    return r != nullptr && subItem == kStatusSubItem ? r->image : kNoRowImage;
}

void ResultRowStore::SortItems(int32_t subItem, bool ascending) {
    std::u16string ResultRow::*field = nullptr;
    if (subItem == kStatusSubItem) {
        field = &ResultRow::status;
    } else if (subItem == kTextSubItem) {
        field = &ResultRow::text;
    } else {
        return;
    }
    // std::u16string compares code unit by code unit, which is the order wanted.
    StableSortBy([field](const ResultRow& row) -> const std::u16string& { return row.*field; },
                 ascending);
}
