#include "systest/ui/userlist/cell_date_wnd.h"

#include "systest/ui/userlist/cell_edit_wnd.h"
#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/list_visuals.h"
#include "systest/ui/userlist/user_list_notify.h"

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

}  // namespace

const MessageRoute<CellDateWnd> CellDateWnd::kMessageRoutes[] = {
    {WM_GETDLGCODE, WM_GETDLGCODE, &CellDateWnd::OnGetDlgCode},
    {WM_CHAR, WM_CHAR, &CellDateWnd::OnChar},
    {WM_NOTIFY + kReflectedMessageOffset, WM_NOTIFY + kReflectedMessageOffset,
     &CellDateWnd::OnReflectedNotify},
    {WM_KILLFOCUS, WM_KILLFOCUS, &CellDateWnd::OnKillFocus},
};

CellDateWnd::~CellDateWnd() {
    Destroy();
}

void CellDateWnd::Destroy() {
    if (HWND window = Window()) {
        DestroyWindow(window);
    }
}

bool CellDateWnd::Open(HWND list, int32_t row, int32_t column, uint32_t columnFlags,
                       const RECT& cell, const SYSTEMTIME& value) {
    list_ = list;
    row_ = row;
    column_ = column;
    flags_ = columnFlags;
    key_ = 0;
    Destroy();

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

    LOGFONTW logFont{};
    if (!ReadMessageFont(logFont)) {
        return false;
    }
    font_.reset(CreateFontIndirectW(&logFont));
    if (!font_) {
        return false;
    }
    SendMessageW(window, DTM_SETMCFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
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
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    return true;
}

LRESULT CellDateWnd::HandleMessage(const WindowMessage& message) {
    LRESULT result = 0;
    if (RouteMessage<CellDateWnd>(*this, kMessageRoutes, message, result)) {
        return result;
    }
    return CallPrevious(message);
}

bool CellDateWnd::OnGetDlgCode(const WindowMessage&, LRESULT& result) {
    result = DLGC_WANTALLKEYS;
    return true;
}

bool CellDateWnd::OnChar(const WindowMessage& message, LRESULT& result) {
    const auto c = static_cast<uint16_t>(message.wParam);
    if (c != VK_TAB && c != VK_RETURN && c != VK_ESCAPE) {
        return false;
    }
    key_ = c;
    SetFocus(list_);
    result = 0;
    return true;
}

bool CellDateWnd::OnReflectedNotify(const WindowMessage& message, LRESULT& result) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
    if (header != nullptr && header->code == static_cast<UINT>(DTN_CLOSEUP)) {
        // The calendar had the focus; the edit goes on in the picker.
        SetFocus(Window());
    }
    result = CallPrevious(message);
    return true;
}

bool CellDateWnd::OwnsFocus(HWND focus) const {
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

bool CellDateWnd::OnKillFocus(const WindowMessage& message, LRESULT& result) {
    HWND window = Window();
    result = CallPrevious(message);
    if (OwnsFocus(reinterpret_cast<HWND>(message.wParam))) {
        return true;  // the calendar dropped down: the edit goes on
    }
    if (HWND calendar = reinterpret_cast<HWND>(SendMessageW(window, DTM_GETMONTHCAL, 0, 0))) {
        ShowWindow(calendar, SW_HIDE);
    }
    if (list_ != nullptr && IsWindow(list_)) {
        SYSTEMTIME value{};
        const bool chosen = SendMessageW(window, DTM_GETSYSTEMTIME, 0,
                                         reinterpret_cast<LPARAM>(&value)) == GDT_VALID;
        if (!chosen) {
            value = SYSTEMTIME{};
        } else if (flags_ & DateOnly) {
            value.wHour = value.wMinute = value.wSecond = value.wMilliseconds = 0;
        } else if (flags_ & TimeOnly) {
            value.wYear = value.wMonth = value.wDayOfWeek = value.wDay = 0;
        }
        UserListNotify record{};
        record.hdr.hwndFrom = window;
        record.hdr.idFrom = kCellEditorId;
        record.hdr.code = ULN_ENDEDIT;
        record.item = row_;
        record.subItem = column_;
        record.key = key_;
        record.text = chosen ? L"1" : L"0";
        record.value = &value;
        SendMessageW(list_, WM_NOTIFY, kCellEditorId, reinterpret_cast<LPARAM>(&record));
    }
    if (IsWindow(window)) {
        ShowWindow(window, SW_HIDE);
    }
    return true;
}
