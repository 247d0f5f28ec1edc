#include "systest/ui/userlist/win/cell_edit_box.h"

#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/number_filter.h"

#include "common/win/wide.h"
#include "common/win/window_text.h"

#include <algorithm>

namespace {

// The edit box sits this far inside the cell ...
constexpr int kEditInsetLeft = 2;
constexpr int kEditInsetTop = 3;
constexpr int kEditInsetRight = 3;
constexpr int kEditInsetBottom = 2;
// ... with this much room beside its text.
constexpr int kEditMargin = 5;

}  // namespace

MessageTable<SubclassedWindow> CellEditBox::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        Handle<WM_GETDLGCODE, &CellEditBox::OnGetDlgCode>(),
        Handle<WM_CHAR, &CellEditBox::OnChar>(),
        Handle<WM_KILLFOCUS, &CellEditBox::OnKillFocus>(),
    };
    return kMessages;
}

CellEditBox::~CellEditBox() {
    Destroy();  // here, while the window's messages still reach this class
}

bool CellEditBox::Open(HWND list, int32_t row, int32_t column, uint32_t columnFlags,
                       const RECT& cell, const std::wstring& text) {
    Begin(list, row, column, columnFlags);

    DWORD style = WS_CHILD | ES_AUTOHSCROLL;
    if (columnFlags & (Integer | Decimal)) {
        style |= ES_RIGHT;
    }
    if (columnFlags & Uppercase) {
        style |= ES_UPPERCASE;
    }
    const RECT area{cell.left + kEditInsetLeft, cell.top + kEditInsetTop,
                    cell.right - kEditInsetRight, cell.bottom - kEditInsetBottom};
    HWND window = SubclassedWindow::Create(0, L"EDIT", nullptr, style, area, list, kCellEditorId);
    if (window == nullptr) {
        return false;
    }
    const HFONT font = CopyMessageFont();
    if (font == nullptr) {
        return false;
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(kEditMargin, kEditMargin));
    SetWindowTextW(window, text.c_str());
    // As the box shows it (an upper-case box raises the letters).
    openedText_ = WindowText(window);
    ShowWindow(window, SW_SHOW);
    SendMessageW(window, EM_SETSEL, 0, -1);
    SendMessageW(window, EM_SCROLLCARET, 0, 0);
    SetFocus(window);
    return true;
}

std::optional<LRESULT> CellEditBox::OnChar(UINT character) {
    if (EndEditWithKey(character)) {
        return 0;
    }
    const auto c = static_cast<char16_t>(character);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    switch (FilterTypedChar(ColumnFlags(), c, FromWide(WindowText(Window())), start, end)) {
        case TypedCharVerdict::Accept:
            return std::nullopt;  // the edit box inserts it
        case TypedCharVerdict::Negate:
            Negate();
            return 0;
        case TypedCharVerdict::Reject:
        default:
            return 0;
    }
}

void CellEditBox::Negate() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const Negation negation =
        NegateNumberText(FromWide(WindowText(Window())), (ColumnFlags() & Decimal) != 0);
    SetWindowTextW(Window(), ToWide(negation.text).c_str());
    const auto shift = [&](DWORD position) {
        return static_cast<LPARAM>(std::max<int64_t>(int64_t{position} + negation.caretShift, 0));
    };
    SendMessageW(Window(), EM_SETSEL, static_cast<WPARAM>(shift(start)), shift(end));
    SendMessageW(Window(), EM_SCROLLCARET, 0, 0);
}

LRESULT CellEditBox::OnKillFocus(HWND) {
    HWND window = Window();
    CallPrevious();
    const std::wstring text = WindowText(window);
    FinishEdit(window, text == openedText_ ? nullptr : text.c_str(), nullptr);
    return 0;
}
