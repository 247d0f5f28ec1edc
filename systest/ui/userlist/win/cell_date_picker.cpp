#include "systest/ui/userlist/win/cell_date_picker.h"

#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include <commctrl.h>

#include <string>

namespace {

// The picker sits this far inside the cell.
constexpr int kDateInsetX = 3;
constexpr int kDateInsetY = 2;
// The locale's date and time patterns are read into this many characters.
constexpr int kPatternSize = 32;

std::wstring LocalePattern(LCTYPE type) {
    wchar_t pattern[kPatternSize] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, pattern, kPatternSize) == 0) {
        return {};
    }
    return pattern;
}

// The picker's display format: the user's short date, time, or both.
std::wstring DisplayFormat(uint32_t columnFlags) {
    const std::wstring date = LocalePattern(LOCALE_SSHORTDATE);
    const std::wstring time = LocalePattern(LOCALE_STIMEFORMAT);
    if (columnFlags & DateOnly) {
        return date;
    }
    if (columnFlags & TimeOnly) {
        return time;
    }
    return date + L" " + time;
}

// The picker shows seconds at most; the day of the week follows the date.
bool SameMoment(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

}  // namespace

MessageTable<SubclassedWindow> CellDatePicker::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        Handle<WM_GETDLGCODE, &CellDatePicker::OnGetDlgCode>(),
        Handle<WM_CHAR, &CellDatePicker::OnChar>(),
        Handle<kReflectedNotify, &CellDatePicker::OnReflectedNotify>(),
        Handle<WM_KILLFOCUS, &CellDatePicker::OnKillFocus>(),
    };
    return kMessages;
}

CellDatePicker::~CellDatePicker() {
    Destroy();  // here, while the window's messages still reach this class
}

bool CellDatePicker::Open(HWND list, int32_t row, int32_t column, uint32_t columnFlags,
                          const RECT& cell, const SYSTEMTIME& value) {
    Begin(list, row, column, columnFlags);

    DWORD style = WS_CHILD | WS_CLIPCHILDREN;
    if (columnFlags & DateAllowNone) {
        style |= DTS_SHOWNONE;
    }
    if (columnFlags & TimeOnly) {
        style |= DTS_UPDOWN;  // spin buttons instead of a calendar
    }
    const RECT area{cell.left + kDateInsetX, cell.top + kDateInsetY, cell.right - kDateInsetX,
                    cell.bottom - kDateInsetY};
    HWND window =
        SubclassedWindow::Create(0, DATETIMEPICK_CLASSW, nullptr, style, area, list, kCellEditorId);
    if (window == nullptr) {
        return false;
    }
    // The picker draws its own frame; in a cell it stays flat.
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HFONT font = CopyMessageFont();
    if (font == nullptr) {
        return false;
    }
    SendMessageW(window, DTM_SETMCFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const std::wstring format = DisplayFormat(columnFlags);
    SendMessageW(window, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));

    SYSTEMTIME time = value;
    if (columnFlags & TimeOnly) {
        // A time alone is shown on the picker's own date.
        SYSTEMTIME today{};
        if (SendMessageW(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&today)) ==
            GDT_VALID) {
            time.wYear = today.wYear;
            time.wMonth = today.wMonth;
            time.wDay = today.wDay;
        }
    }
    const WPARAM kind = (columnFlags & TimeOnly) || value.wYear != 0 ? GDT_VALID : GDT_NONE;
    SendMessageW(window, DTM_SETSYSTEMTIME, kind, reinterpret_cast<LPARAM>(&time));
    openedChosen_ = ReadValue(openedValue_);
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    return true;
}

std::optional<LRESULT> CellDatePicker::OnChar(UINT character) {
    if (!EndEditWithKey(character)) {
        return std::nullopt;
    }
    return 0;
}

LRESULT CellDatePicker::OnReflectedNotify(const NMHDR* header) {
    if (header != nullptr && header->code == static_cast<UINT>(DTN_CLOSEUP)) {
        // The calendar had the focus; the edit goes on in the picker.
        SetFocus(Window());
    }
    return CallPrevious();
}

bool CellDatePicker::OwnsFocus(HWND focus) const {
    HWND window = Window();
    if (focus == nullptr) {
        return false;
    }
    if (focus == window || IsChild(window, focus)) {
        return true;
    }
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(window, DTM_GETMONTHCAL, 0, 0));
    return calendar != nullptr && (focus == calendar || IsChild(calendar, focus));
}

bool CellDatePicker::ReadValue(SYSTEMTIME& value) const {
    value = SYSTEMTIME{};
    return SendMessageW(Window(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)) ==
           GDT_VALID;
}

LRESULT CellDatePicker::OnKillFocus(HWND next) {
    HWND window = Window();
    const LRESULT result = CallPrevious();
    if (OwnsFocus(next)) {
        return result;  // the calendar dropped down: the edit goes on
    }
    if (HWND calendar = reinterpret_cast<HWND>(SendMessageW(window, DTM_GETMONTHCAL, 0, 0))) {
        ShowWindow(calendar, SW_HIDE);
    }
    SYSTEMTIME value{};
    const bool chosen = ReadValue(value);
    if (chosen == openedChosen_ && (!chosen || SameMoment(value, openedValue_))) {
        FinishEdit(window, nullptr, nullptr);  // nothing changed: nothing to commit
        return result;
    }
    if (!chosen) {
        value = SYSTEMTIME{};
    } else if (ColumnFlags() & DateOnly) {
        value.wHour = value.wMinute = value.wSecond = value.wMilliseconds = 0;
    } else if (ColumnFlags() & TimeOnly) {
        value.wYear = value.wMonth = value.wDayOfWeek = value.wDay = 0;
    }
    // The text tells the list whether the picker holds a value at all.
    FinishEdit(window, chosen ? L"1" : L"0", &value);
    return result;
}
