// The selected rows of the list, the range anchor and the focused cell, and
// the rules by which a click or a key changes them.
#pragma once

#include <cstdint>
#include <set>

// The modifier bits SelectItem reads (the MK_SHIFT and MK_CONTROL values of
// mouse messages).
enum SelectKeys : uint32_t {
    SelectShift = 0x4,
    SelectControl = 0x8,
};

struct FocusedCell {
    bool valid = false;
    int32_t row = -1;
    int32_t column = -1;
};

// What a screen reader may ask of a row (the SELFLAG_ bits of accSelect).
enum AccessibleSelectFlags : uint32_t {
    AccessibleTakeFocus = 0x01,        // focus the row and make it the anchor
    AccessibleTakeSelection = 0x02,    // select the row alone
    AccessibleExtendSelection = 0x04,  // give the rows from the anchor the anchor's state
    AccessibleAddSelection = 0x08,
    AccessibleRemoveSelection = 0x10,
};

// What a selection changed that the parent is told about.
struct SelectionChange {
    bool selected = false;  // a row was added: ULN_SELECTED for (row, column)
    int32_t row = -1;
    int32_t column = -1;
};

class ListSelection {
  public:
    bool IsSelected(int32_t row) const { return rows_.contains(row); }
    const std::set<int32_t>& Rows() const { return rows_; }
    int32_t Anchor() const { return anchor_; }
    int32_t FocusItem() const { return focusItem_; }
    int32_t FocusColumn() const { return focusColumn_; }

    // The focused row if it is still selected, else the lowest selected row.
    // The column only counts in focusCell mode.
    FocusedCell Focus(bool focusCell) const;

    // A click or key on (row, column) with the SelectKeys held. Ctrl toggles
    // the row; Shift (not in single-select mode) selects the range from the
    // anchor; otherwise the row alone. Rows outside 0..rowCount-1 change nothing.
    SelectionChange Select(int32_t row, int32_t column, uint32_t keys, bool singleSelect,
                           int32_t rowCount);
    // A screen reader's request for a row in range, with AccessibleSelectFlags.
    // False, changing nothing, for flags that contradict each other.
    bool SelectAccessible(int32_t row, uint32_t flags, bool singleSelect);
    // Empties the selection and forgets anchor and focus.
    void Clear();

    // Where the next Shift selection starts; -1 for the row it reaches.
    void SetAnchor(int32_t row) { anchor_ = row; }
    // Moves the focus without touching the selection (Ctrl and the arrow keys).
    void MoveFocus(int32_t row, int32_t column);
    // Every row; anchor and focused row stay.
    void SelectAll(int32_t rowCount);
    // Exactly the rows first..last, as a rubber band selects them: the first
    // becomes the anchor, the last the focused row. An empty range leaves no
    // anchor.
    void SelectBand(int32_t first, int32_t last);

  private:
    // The focused column stays only while at most one row is selected.
    void SetFocus(int32_t row, int32_t column);

    std::set<int32_t> rows_;
    int32_t anchor_ = -1;
    int32_t focusItem_ = -1;
    int32_t focusColumn_ = -1;  // -1 while several rows are selected
};
