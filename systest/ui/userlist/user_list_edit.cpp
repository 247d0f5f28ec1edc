// In-place editing and title tips: the list opens an editor over an editable
// cell and takes its value back when the edit ends, and offers a title tip
// over a cell whose text it had to clip.
#include "systest/ui/userlist/user_list_ctrl.h"

#include "systest/ui/userlist/cell_date_format.h"
#include "systest/ui/userlist/title_tip_layout.h"
#include "systest/ui/userlist/user_list_notify.h"

#include "common/text.h"
#include "common/win/wide.h"

#include <algorithm>

bool UserListCtrl::OpenEditor(int32_t row, int32_t column, const RECT& cell) {
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    if (record.format == FormatEdit) {
        return cellEdit_.Open(Window(), row, column, record.flags, cell,
                              ToWide(Rows().ItemText(row, record.subItem)));
    }
    CellDate date;  // all zero for an empty cell
    Rows().ItemDate(row, record.subItem, date);
    return cellDate_.Open(Window(), row, column, record.flags, cell, ToSystemTime(date));
}

void UserListCtrl::EndEdit() {
    if (editing_ && Window() != nullptr) {
        SetFocus(Window());  // the editor commits when it loses the focus
    }
}

std::optional<LRESULT> UserListCtrl::OnNotify(const NMHDR* header) {
    if (header == nullptr || header->code != ULN_ENDEDIT) {
        return OnReflect(CurrentMessage());  // other notifications go back to their child
    }
    OnEndEdit(*reinterpret_cast<const UserListNotify*>(header));
    return 0;
}

void UserListCtrl::OnEndEdit(const UserListNotify& notify) {
    // Only the list's own editors end edits.
    if (notify.hdr.hwndFrom == nullptr ||
        (notify.hdr.hwndFrom != cellEdit_.Window() && notify.hdr.hwndFrom != cellDate_.Window())) {
        return;
    }
    editing_ = false;
    const int32_t row = notify.item;
    const int32_t column = notify.subItem;  // the editors send column indexes
    if (row < 0 || row >= Rows().ItemCount() || column < 0 || column >= GetColumnCount()) {
        return;
    }
    // Escape commits nothing; an editor whose value the user did not change
    // sends no text, and the cell stays as it was.
    if (notify.key != VK_ESCAPE && notify.text != nullptr) {
        const int32_t subItem = GetColumnSubItem(column);
        if (notify.value != nullptr) {
            // "1" when the picker has a value, "0" when the user cleared it.
            const bool chosen = ParseLeadingInt(FromWide(notify.text)) != 0;
            StoreCellValue(row, subItem,
                           chosen ? CellDateText(FromSystemTime(*notify.value)) : u"");
        } else {
            StoreCellValue(row, subItem, FromWide(notify.text));
        }
        Notify(ULN_MODIFIED, row, column);
    }
    if (notify.key == VK_TAB) {
        PostMessageW(Window(), WM_KEYDOWN, VK_TAB, 0);  // on to the next cell
    }
    InvalidateItem(row, -1);
}

void UserListCtrl::CloseTitleTip() {
    titleTip_.Close();
}

void UserListCtrl::HideTitleTip() {
    tipItem_ = -1;
    tipColumn_ = -1;
    titleTip_.Close();
}

void UserListCtrl::TryTitleTip(ListPoint mouse, int32_t row, int32_t column) {
    if (editing_ || (row == tipItem_ && column == tipColumn_)) {
        return;
    }
    RECT cell{};
    if (!GetItemRect(row, column, cell)) {
        HideTitleTip();
        return;
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    const bool hasImage = images_.rows && Rows().ItemImage(row, record.subItem) != -1;
    const ListRect text = TitleTipTextRect({cell.left, cell.top, cell.right, cell.bottom}, column,
                                           hasImage, metrics_);
    if (mouse.x < text.left || mouse.x >= text.right || mouse.y < text.top ||
        mouse.y >= text.bottom) {
        return;
    }
    std::wstring tipText;
    const std::u16string value = Rows().ItemText(row, record.subItem);
    switch (record.format) {
        case FormatDate: {
            CellDate date;
            if (!value.empty() && Rows().ItemDate(row, record.subItem, date)) {
                tipText = FormatCellDate(date, record.flags);
            }
            break;
        }
        case FormatCheck:
        case FormatTriState:
        case FormatProgress:
            break;
        default:
            tipText = ToWide(value);
            break;
    }
    // Cells at and right of a cut-off column are not painted: nothing to show.
    const bool painted = std::none_of(columns_.begin(), columns_.begin() + column + 1,
                                      [](const ListColumn& c) { return c.format == FormatCutOff; });
    if (painted && !tipText.empty()) {
        RECT area{text.left, text.top, text.right, text.bottom};
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        if (titleTip_.Show(area, tipText)) {
            tipItem_ = row;
            tipColumn_ = column;
            return;
        }
    }
    HideTitleTip();
}
