// A general-purpose row store: rows of cell texts, an image in sub-item 0 and
// an item tool tip per row. Values committed by the editors and clicks on
// check cells are kept in their text forms (dates as CellDateText).
#pragma once

#include "systest/ui/userlist/row_store.h"

#include <string>
#include <utility>
#include <vector>

struct TextRow {
    TextRow(std::vector<std::u16string> rowCells, int32_t rowImage = kNoRowImage,
            std::u16string rowToolTip = {})
        : cells(std::move(rowCells)), image(rowImage), toolTip(std::move(rowToolTip)) {}

    std::vector<std::u16string> cells;  // by sub-item
    int32_t image = kNoRowImage;        // row image in sub-item 0
    std::u16string toolTip;
};

class TextRowStore final : public ListRowStore {
  public:
    // Appends a row and returns its index; -1 only when memory runs out.
    int32_t Add(TextRow row);

    int32_t ItemCount() const override { return static_cast<int32_t>(rows_.size()); }
    std::u16string ItemText(int32_t row, int32_t subItem) const override;
    int32_t ItemImage(int32_t row, int32_t subItem) const override;
    std::u16string ItemToolTip(int32_t row) const override;
    // Keeps the value; a sub-item the row has no cell for yet is added.
    void SetItemValue(int32_t row, int32_t subItem, const std::u16string& value) override;
    // By UTF-16 code units; rows with equal texts keep their order.
    void SortItems(int32_t subItem, bool ascending) override;
    void ReverseItems() override;

  private:
    // Null for a row out of range.
    const TextRow* Find(int32_t row) const;

    std::vector<TextRow> rows_;  // in the order the list shows them
};
