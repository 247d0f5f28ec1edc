#include "systest/ui/result_rows.h"

#include <algorithm>
#include <new>
#include <utility>

int32_t ResultRowStore::Add(ResultRow row) {
    try {
        rows_.push_back(std::move(row));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return ItemCount() - 1;
}

std::u16string ResultRowStore::ItemText(int32_t row, int32_t subItem) const {
    if (row < 0 || row >= ItemCount()) {
        return {};
    }
    const ResultRow& r = rows_[static_cast<size_t>(row)];
    switch (subItem) {
        case kStatusSubItem:
            return r.status;
        case kTextSubItem:
            return r.text;
        default:
            return {};
    }
}

int32_t ResultRowStore::ItemImage(int32_t row, int32_t subItem) const {
    return row >= 0 && row < ItemCount() && subItem == kStatusSubItem
               ? rows_[static_cast<size_t>(row)].image
               : kNoRowImage;
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
    std::stable_sort(rows_.begin(), rows_.end(), [&](const ResultRow& a, const ResultRow& b) {
        return ascending ? a.*field < b.*field : b.*field < a.*field;
    });
}

void ResultRowStore::ReverseItems() {
    std::reverse(rows_.begin(), rows_.end());
}
