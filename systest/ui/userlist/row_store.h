// The model of the list control: what the list asks of the rows it shows. The
// list keeps no row data of its own: every text, image and date comes through
// this interface, and sorting is done by the store. Whoever shows a list
// keeps its store (UserList's constructor) and tells the list of new rows
// (UserList::RowsAdded).
#pragma once

#include "systest/ui/userlist/cell_value.h"

#include <cstdint>
#include <string>

// An ItemImage that shows no image.
inline constexpr int32_t kNoRowImage = -1;

class ListRowStore {
  public:
    virtual ~ListRowStore() = default;

    virtual int32_t ItemCount() const = 0;
    // Out-of-range rows and sub-items give "" and kNoRowImage.
    virtual std::u16string ItemText(int32_t row, int32_t subItem) const = 0;
    // An index into the row images the list was given (UserList::SetRowImages).
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
