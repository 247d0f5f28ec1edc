// The list's context menu and the clipboard: Copy and Select all, from the
// right mouse button, Shift+F10 and the Menu key, and the selected rows as
// text for other programs.
#include "systest/ui/userlist/user_list_ctrl.h"

#include "common/win/clipboard.h"
#include "common/win/handles.h"
#include "common/win/wide.h"
#include "systest/ui/userlist/cell_date_format.h"
#include "systest/ui/userlist/list_copy.h"

#include <algorithm>

namespace {

// The commands of the menu, as TrackPopupMenu returns them; 0 is none.
constexpr UINT kCopyCommand = 1;
constexpr UINT kSelectAllCommand = 2;

}  // namespace

std::u16string UserListCtrl::ShownText(int32_t row, const ListColumn& column) const {
    const ListRowStore& rows = Rows();
    const std::u16string text = rows.ItemText(row, column.subItem);
    switch (column.format) {
        case FormatDate: {
            CellDate date;
            return !text.empty() && rows.ItemDate(row, column.subItem, date)
                       ? FromWide(FormatCellDate(date, column.flags))
                       : u"";
        }
        case FormatCheck:
        case FormatTriState:
            return u"";  // a mark; a screen reader hears the row's default action
        case FormatProgress:
            return FromWide(std::to_wstring(static_cast<int>(CellProgress(text))) + L" %");
        default:
            return text;
    }
}

bool UserListCtrl::CopySelection() {
    const std::u16string text = CopiedRowsText(
        columns_, selection_.Rows(), Rows().ItemCount(),
        [&](int32_t row, const ListColumn& column) { return ShownText(row, column); });
    return !text.empty() && PutTextOnClipboard(Window(), ToWide(text));
}

void UserListCtrl::SelectAll() {
    if (options_.singleSelect) {
        return;
    }
    const ListSelection before = selection_;
    selection_.SelectAll(Rows().ItemCount());
    Invalidate();
    AnnounceSelection(before);
}

POINT UserListCtrl::KeyboardMenuPoint() const {
    const ListGeometry geometry = Geometry();
    POINT point{0, geometry.RowsTop()};
    int32_t row = -1;
    int32_t column = -1;
    RECT rect{};
    if (GetFocusItem(row, column) && GetRowRect(row, rect) && rect.bottom > geometry.RowsTop() &&
        rect.bottom <= geometry.clientHeight) {
        point = {std::max<LONG>(rect.left, 0), rect.bottom};
    }
    ClientToScreen(Window(), &point);
    return point;
}

std::optional<LRESULT> UserListCtrl::OnContextMenu(HWND, POINT screen) {
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    if (menuTexts_.copy.empty() || menuTexts_.selectAll.empty()) {
        return std::nullopt;  // the parent may have a menu
    }
    if (!fromKeyboard) {
        // Over the scroll bars the system offers its own scrolling menu.
        POINT client = screen;
        ScreenToClient(Window(), &client);
        RECT area{};
        GetClientRect(Window(), &area);
        if (!PtInRect(&area, client)) {
            return std::nullopt;
        }
    }
    StopScrollAnimation();
    CloseTitleTip();
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return 0;
    }
    const bool anySelected = !selection_.Rows().empty();
    const bool anyRow = Rows().ItemCount() > 0 && !options_.singleSelect;
    AppendMenuW(menu.get(), MF_STRING | (anySelected ? MF_ENABLED : MF_GRAYED), kCopyCommand,
                WideCStr(menuTexts_.copy));
    AppendMenuW(menu.get(), MF_STRING | (anyRow ? MF_ENABLED : MF_GRAYED), kSelectAllCommand,
                WideCStr(menuTexts_.selectAll));
    const POINT at = fromKeyboard ? KeyboardMenuPoint() : screen;
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         at.x, at.y, 0, Window(), nullptr));
    if (command == kCopyCommand) {
        CopySelection();
    } else if (command == kSelectAllCommand) {
        SelectAll();
    }
    return 0;
}
