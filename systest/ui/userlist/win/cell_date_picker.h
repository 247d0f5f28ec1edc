// The date picker of FormatDate cells; see cell_editor.h for how the editors
// live. Dropping its calendar down keeps the edit open.
#pragma once

#include "systest/ui/userlist/win/cell_editor.h"

#include <windows.h>

#include <optional>

#include <cstdint>

// A child "SysDateTimePick32" window taken over from its creation.
class CellDatePicker final : public CellEditor {
  public:
    CellDatePicker() = default;
    ~CellDatePicker() override;

    // Opens over the cell rectangle (client coordinates of the list) in the
    // user's date and time formats; DateOnly and TimeOnly choose the part,
    // DateAllowNone offers an empty value. A value with year 0 opens empty.
    bool Open(HWND list, int32_t row, int32_t column, uint32_t columnFlags, const RECT& cell,
              const SYSTEMTIME& value);

  private:
    MessageTable<SubclassedWindow> Messages() const override;

    // Tab, Enter and Escape end the edit.
    std::optional<LRESULT> OnChar(UINT character);
    // The picker's own notifications, which the list sends back to it.
    LRESULT OnReflectedNotify(const NMHDR* header);
    // The edit ends, unless the focus went to the picker's calendar.
    LRESULT OnKillFocus(HWND next);

    // Whether the focus went to a part of the picker: itself, a child of it,
    // or its drop-down calendar.
    bool OwnsFocus(HWND focus) const;
    // The picker's value as DTM_GETSYSTEMTIME reads it; false for none.
    bool ReadValue(SYSTEMTIME& value) const;

    // What the picker showed when the edit began: a cell without a value
    // shows today in a picker that offers no empty value.
    bool openedChosen_ = false;
    SYSTEMTIME openedValue_{};
};
