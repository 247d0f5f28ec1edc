// What a key press does to the list: which cell the focus moves to, how far
// the view scrolls, and whether the selection follows; and the type-ahead
// search that letters start. The window layer turns virtual-key codes into
// ListKey and carries out the plan.
#pragma once

#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/row_store.h"

#include <cstdint>
#include <span>
#include <string>

enum class ListKey {
    Tab,
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Up,
    Right,
    Down,
    Space,
    Insert,  // with Ctrl: copy
    Letter,  // A to Z: type-ahead, or with Ctrl select all (A) and copy (C)
    Other,
};

struct KeyState {
    ListKey key = ListKey::Other;
    char16_t letter = 0;  // with ListKey::Letter: 'A' to 'Z'
    bool control = false;
    bool shift = false;
    int32_t focusItem = -1;  // the focused cell as GetFocusItem gives it
    int32_t focusColumn = -1;
    int32_t rowCount = 0;
    std::span<const ListColumn> columns;
    int32_t fullRows = 0;  // rows that fit wholly below the header
    bool focusCell = false;
    bool singleSelect = false;
    int32_t scrollX = 0;
    int32_t totalWidth = 0;  // GetTotalWidth
};

enum class KeyAction {
    None,
    MoveFocus,           // to (row, column), made visible
    ScrollHorizontally,  // to scrollX
    ToggleCheck,         // as a click on the check cell (row, column)
    SelectAll,
    Copy,  // the selected rows to the clipboard
    TypeAhead,
};

struct KeyPlan {
    KeyAction action = KeyAction::None;
    int32_t row = -1;
    int32_t column = -1;
    int32_t scrollX = 0;
    // Afterwards SelectItem on the focused cell, extending from the anchor
    // when extend is set.
    bool select = false;
    bool extend = false;
};

// Horizontal steps of the arrow keys outside focusCell mode.
inline constexpr int32_t kKeyScrollStep = 5;
inline constexpr int32_t kKeyScrollStepControl = 50;

KeyPlan PlanKey(const KeyState& state);

// Whether the list keeps a Tab press (key Tab) from the dialog: only in
// focusCell mode while the focus can still move along the row. Anywhere else
// Tab moves on to the next control, or a keyboard user could not leave the list.
bool KeepsTab(const KeyState& state);

// Type-ahead search: typing letters over the list selects the next row whose
// text in the search column begins with them.
// Letters typed within this many milliseconds of the previous one extend the
// search; after a longer pause a new search begins.
inline constexpr uint32_t kTypeAheadPause = 800;

class TypeAheadSearch {
  public:
    // The row to select after typing `letter` (an upper-case A-Z) at tick
    // count `now`, with the focus on focusItem (-1 for none); -1 selects
    // nothing. Texts are those of sub-item `subItem`, compared without case.
    // Repeating one letter walks through the rows that begin with it.
    int32_t Type(char16_t letter, uint32_t now, int32_t focusItem, const ListRowStore& rows,
                 int32_t subItem);

    const std::u16string& Text() const { return text_; }

  private:
    std::u16string text_;  // the letters of the current search
    uint32_t time_ = 0;    // tick count of its last letter
};
