// The in-place editors of the list: an edit box for FormatEdit cells
// (CellEditBox) and a date-time picker for FormatDate cells (CellDatePicker).
// Each opens over a cell, keeps the focus while the user edits, and when it
// loses the focus tells the list how the edit ended (ULN_ENDEDIT with the key
// that ended it: Tab, Enter, Escape or none) and hides. It is destroyed at the
// next opening or with the list.
#pragma once

#include "common/win/gdi.h"
#include "common/win/window_object.h"

#include <windows.h>

#include <cstdint>

// Both editors are children of the list with this id.
inline constexpr UINT kCellEditorId = 1;

// What the two editors share: the cell they edit, the key that ended the
// edit, their copy of the message font and the end-of-edit record.
class CellEditor : public SubclassedWindow {
  public:
    void Destroy();

  protected:
    // Remembers the cell of a new edit and destroys the previous window.
    void Begin(HWND list, int32_t row, int32_t column, uint32_t columnFlags);
    // A copy of the message font for the editor's window, which the editor
    // owns; null when it cannot be made.
    HFONT CopyMessageFont();
    uint32_t ColumnFlags() const { return flags_; }

    // WM_GETDLGCODE: Tab, Enter and Escape end the edit, not the dialog.
    LRESULT OnGetDlgCode(const MSG* key);
    // Tab, Enter and Escape end the edit: the key is kept and the focus goes
    // to the list, which makes the editor commit. False for other characters.
    bool EndEditWithKey(UINT character);
    // Sends the list ULN_ENDEDIT from the editor's window with the edit's
    // text and, from the date picker, its value; then hides that window. Both
    // are null when the user changed nothing: the cell then stays as it was.
    void FinishEdit(HWND window, const wchar_t* text, const SYSTEMTIME* value);

  private:
    HWND list_ = nullptr;
    int32_t row_ = -1;
    int32_t column_ = -1;
    uint32_t flags_ = 0;
    uint16_t key_ = 0;  // the key that ended the edit
    UniqueFont font_;
};
