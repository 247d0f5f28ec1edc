#include "systest/ui/userlist/result_row_store.h"

#include <algorithm>

int32_t ResultRowStore::Add(ResultRow row) {
    rows_.push_back(std::move(row));
    return static_cast<int32_t>(rows_.size()) - 1;
}

const ResultRow* ResultRowStore::Row(int32_t row) const {
    if (row < 0 || row >= ItemCount()) {
        return nullptr;
    }
    return &rows_[static_cast<size_t>(row)];
}

std::u16string ResultRowStore::ItemText(int32_t row, int32_t subItem) const {
    const ResultRow* r = Row(row);
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
    const ResultRow* r = Row(row);
    return r != nullptr && subItem == kStatusSubItem ? r->image : kStatusImageNone;
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
