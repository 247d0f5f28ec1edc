// The in-place editors of the list: an edit box for FormatEdit cells and a
// date-time picker for FormatDate cells. Each opens over a cell, keeps the
// focus while the user edits, and when it loses the focus tells the list how
// the edit ended (ULN_ENDEDIT with the key that ended it: Tab, Enter, Escape
// or none) and hides. It is destroyed at the next opening or with the list.
#pragma once

#include "common/win/gdi.h"
#include "common/win/window_object.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Both editors are children of the list with this id.
inline constexpr UINT kCellEditorId = 1;

// The edit box: a child "EDIT" window taken over from its creation.
class CellEditWnd final : public SubclassedWindow {
  public:
    CellEditWnd() = default;
    ~CellEditWnd() override;

    // Opens over the cell rectangle (client coordinates of the list) with the
    // cell's text selected; columnFlags choose the number filter, right
    // alignment and upper case. False when the window or its font cannot be
    // created.
    bool Open(HWND list, int32_t row, int32_t column, uint32_t columnFlags, const RECT& cell,
              const std::wstring& text);
    void Destroy();

  protected:
    LRESULT HandleMessage(const WindowMessage& message) override;

  private:
    static const MessageRoute<CellEditWnd> kMessageRoutes[];

    bool OnGetDlgCode(const WindowMessage& message, LRESULT& result);
    bool OnChar(const WindowMessage& message, LRESULT& result);
    bool OnKillFocus(const WindowMessage& message, LRESULT& result);

    // "-" in a column of signed numbers: the value changes sign in place.
    void Negate();

    HWND list_ = nullptr;
    int32_t row_ = -1;
    int32_t column_ = -1;
    uint32_t flags_ = 0;
    uint16_t key_ = 0;  // the key that ended the edit
    UniqueFont font_;
};
