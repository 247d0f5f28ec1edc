// What the list control asks of the rows it shows. The control keeps no row
// data of its own: every text, image and date comes through this interface,
// and sorting is done by the store.
#pragma once

#include "systest/ui/userlist/cell_value.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ListRowStore {
  public:
    virtual ~ListRowStore() = default;

    virtual int32_t ItemCount() const = 0;
    // Out-of-range rows and sub-items give "" and -1.
    virtual std::u16string ItemText(int32_t row, int32_t subItem) const = 0;
    virtual int32_t ItemImage(int32_t row, int32_t subItem) const = 0;
    // The item tool tip of a row; empty shows none.
    virtual std::u16string ItemToolTip(int32_t row) const = 0;
    // The date of a date cell, read from its text; false for an empty text.
    virtual bool ItemDate(int32_t row, int32_t subItem, CellDate& date) const {
        return ParseCellDate(ItemText(row, subItem), date);
    }
    // A value committed by an editor or a click on a check cell, in its text
    // form (dates as CellDateText). A store may keep it or drop it.
    virtual void SetItemValue(int32_t row, int32_t subItem, const std::u16string& value) = 0;
    // Orders the rows by a sub-item.
    virtual void SortItems(int32_t subItem, bool ascending) = 0;
    // Turns the current order around: the first row becomes the last.
    virtual void ReverseItems() = 0;
};

// A store that keeps its rows in a vector, in the order the list shows them.
template <typename RowType>
class VectorRowStore : public ListRowStore {
  public:
    using Row = RowType;

    // Returns the index of the new row.
    int32_t Add(Row row) {
        rows_.push_back(std::move(row));
        return static_cast<int32_t>(rows_.size()) - 1;
    }
    const std::vector<Row>& Rows() const { return rows_; }

    int32_t ItemCount() const override { return static_cast<int32_t>(rows_.size()); }
    void ReverseItems() override { std::reverse(rows_.begin(), rows_.end()); }

  protected:
    // Null for a row out of range.
    const Row* Find(int32_t row) const {
        return row >= 0 && row < ItemCount() ? &rows_[static_cast<size_t>(row)] : nullptr;
    }
    Row* Find(int32_t row) {
        return row >= 0 && row < ItemCount() ? &rows_[static_cast<size_t>(row)] : nullptr;
    }
    // Orders the rows by key(row); rows with equal keys keep their order.
    template <typename Key>
    void StableSortBy(Key key, bool ascending) {
        std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
            return ascending ? key(a) < key(b) : key(b) < key(a);
        });
    }

  private:
    std::vector<Row> rows_;
};
