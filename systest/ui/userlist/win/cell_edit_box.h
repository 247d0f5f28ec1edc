// The edit box of FormatEdit cells; see cell_editor.h for how the editors
// live.
#pragma once

#include "systest/ui/userlist/win/cell_editor.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// A child "EDIT" window taken over from its creation.
class CellEditBox final : public CellEditor {
  public:
    CellEditBox() = default;
    ~CellEditBox() override;

    // Opens over the cell rectangle (client coordinates of the list) with the
    // cell's text selected; columnFlags choose the number filter, right
    // alignment and upper case. False when the window or its font cannot be
    // created.
    bool Open(HWND list, int32_t row, int32_t column, uint32_t columnFlags, const RECT& cell,
              const std::wstring& text);

  private:
    MessageTable<SubclassedWindow> Messages() const override;

    // Tab, Enter and Escape end the edit; the number filter rules the rest.
    std::optional<LRESULT> OnChar(UINT character);
    // The edit ends, committing a changed text.
    LRESULT OnKillFocus(HWND next);

    // "-" in a column of signed numbers: the value changes sign in place.
    void Negate();

    std::wstring openedText_;  // the text the edit began with
};
