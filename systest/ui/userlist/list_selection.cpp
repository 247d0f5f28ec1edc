#include "systest/ui/userlist/list_selection.h"

#include <algorithm>

FocusedCell ListSelection::Focus(bool focusCell) const {
    FocusedCell focus;
    if (IsSelected(focusItem_)) {
        focus.row = focusItem_;
    } else if (!rows_.empty()) {
        focus.row = *rows_.begin();
    }
    focus.column = focusCell ? focusColumn_ : -1;
    focus.valid = focus.row != -1;
    return focus;
}

void ListSelection::SetFocus(int32_t row, int32_t column) {
    focusItem_ = row;
    focusColumn_ = rows_.size() <= 1 ? column : -1;
}

SelectionChange ListSelection::Select(int32_t row, int32_t column, uint32_t keys, bool singleSelect,
                                      int32_t rowCount) {
    SelectionChange change;
    if (row < 0 || row >= rowCount) {
        return change;
    }
    const bool shift = (keys & SelectShift) != 0;
    const bool control = (keys & SelectControl) != 0;

    if (control && (singleSelect || !shift)) {
        if (singleSelect) {
            rows_.clear();
        }
        const bool wasSelected = IsSelected(row);
        if (wasSelected) {
            rows_.erase(row);
        } else {
            rows_.insert(row);
        }
        anchor_ = row;
        SetFocus(row, column);
        change.selected = !wasSelected;
    } else if (rows_.size() == 1 && IsSelected(row)) {
        anchor_ = row;
        focusItem_ = row;
        focusColumn_ = column;
        return change;
    } else {
        rows_.clear();
        if (shift && !singleSelect) {
            if (anchor_ == -1) {
                anchor_ = row;
            }
            // An anchor left over from a longer list stops at the last row.
            const int32_t from = std::min(anchor_, row);
            const int32_t to = std::min(std::max(anchor_, row), rowCount - 1);
            for (int32_t r = from; r <= to; ++r) {
                rows_.insert(r);
            }
        } else {
            anchor_ = row;
            rows_.insert(row);
        }
        SetFocus(row, column);
        change.selected = true;
    }
    change.row = focusItem_;
    change.column = focusColumn_;
    return change;
}

bool ListSelection::SelectAccessible(int32_t row, uint32_t flags, bool singleSelect) {
    const bool take = (flags & AccessibleTakeSelection) != 0;
    const bool extend = (flags & AccessibleExtendSelection) != 0;
    const bool add = (flags & AccessibleAddSelection) != 0;
    const bool remove = (flags & AccessibleRemoveSelection) != 0;
    if ((add && remove) || (take && (extend || add || remove))) {
        return false;
    }
    if (take || (singleSelect && (add || extend) && !remove)) {
        rows_ = {row};
    } else if (extend) {
        // The rows from the anchor take the state asked for, else the anchor's.
        const int32_t anchor = anchor_ == -1 ? row : anchor_;
        const bool selected = add || (!remove && IsSelected(anchor));
        for (int32_t r = std::min(anchor, row); r <= std::max(anchor, row); ++r) {
            if (selected) {
                rows_.insert(r);
            } else {
                rows_.erase(r);
            }
        }
    } else if (add) {
        rows_.insert(row);
    } else if (remove) {
        rows_.erase(row);
    }
    if (flags & AccessibleTakeFocus) {
        anchor_ = row;
        SetFocus(row, focusColumn_);
    }
    return true;
}

void ListSelection::Clear() {
    rows_.clear();
    anchor_ = -1;
    focusItem_ = -1;
    focusColumn_ = -1;
}

void ListSelection::MoveFocus(int32_t row, int32_t column) {
    focusItem_ = row;
    focusColumn_ = column;
}

void ListSelection::SelectAll(int32_t rowCount) {
    for (int32_t row = 0; row < rowCount; ++row) {
        rows_.insert(row);
    }
    if (rows_.size() > 1) {
        focusColumn_ = -1;
    }
}

void ListSelection::SelectBand(int32_t first, int32_t last) {
    rows_.clear();
    if (last < first) {
        anchor_ = -1;
        return;
    }
    for (int32_t row = first; row <= last; ++row) {
        rows_.insert(row);
    }
    anchor_ = first;
    focusItem_ = last;
    focusColumn_ = -1;
}
