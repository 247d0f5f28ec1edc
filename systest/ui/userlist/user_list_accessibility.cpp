// The list for screen readers: it answers WM_GETOBJECT with its accessible
// object (list_accessible.h) and tells them with WinEvents what changed.
#include "systest/ui/userlist/user_list_ctrl.h"

#include "systest/ui/userlist/list_accessibility.h"
#include "systest/ui/userlist/user_list_notify.h"

#include <string>

namespace {

DWORD WinEvent(ListEventKind kind) {
    switch (kind) {
        case ListEventKind::SelectionWithin:
            return EVENT_OBJECT_SELECTIONWITHIN;
        case ListEventKind::Selection:
            return EVENT_OBJECT_SELECTION;
        case ListEventKind::SelectionAdd:
            return EVENT_OBJECT_SELECTIONADD;
        case ListEventKind::SelectionRemove:
            return EVENT_OBJECT_SELECTIONREMOVE;
        case ListEventKind::Focus:
            break;
    }
    return EVENT_OBJECT_FOCUS;
}

}  // namespace

std::optional<LRESULT> UserListCtrl::OnGetObject(WPARAM flags, LONG objectId) {
    if (!AsksForClient(objectId)) {
        return std::nullopt;
    }
    if (!accessible_) {
        accessible_ = ListAccessible::Create(*this);
    }
    LRESULT result = 0;
    if (!accessible_ || !AnswerGetObject(*accessible_.get(), flags, result)) {
        return std::nullopt;
    }
    return result;
}

void UserListCtrl::DisconnectAccessible() {
    if (accessible_) {
        accessible_->Disconnect();
        accessible_.reset();
    }
}

void UserListCtrl::RaiseEvent(DWORD event, int32_t row) {
    if (Window() != nullptr) {
        NotifyWinEvent(event, Window(), OBJID_CLIENT, row < 0 ? CHILDID_SELF : RowChildId(row));
    }
}

void UserListCtrl::AnnounceSelection(const ListSelection& before) {
    for (const ListEvent& event : SelectionEvents(before, selection_, GetFocus() == Window())) {
        RaiseEvent(WinEvent(event.kind), event.row);
    }
}

std::u16string UserListCtrl::GetItemSentence(int32_t row) const {
    return RowSentence(columns_, [&](const ListColumn& column) { return ShownText(row, column); });
}

bool UserListCtrl::GetRowRect(int32_t row, RECT& rect) const {
    if (row < 0 || row >= GetItemCount()) {
        return false;
    }
    const ListRect place = Geometry().RowRect(row);
    rect = {place.left, place.top, place.right, place.bottom};
    return true;
}

bool UserListCtrl::SelectForScreenReader(int32_t row, uint32_t flags) {
    if (row < 0 || row >= GetItemCount()) {
        return false;
    }
    const ListSelection before = selection_;
    if (!selection_.SelectAccessible(row, flags, options_.singleSelect)) {
        return false;
    }
    AnnounceSelection(before);
    if (IsSelected(row) && !before.IsSelected(row)) {
        Notify(ULN_SELECTED, row, selection_.FocusColumn());
    }
    if (flags & AccessibleTakeFocus) {
        EnsureItemVisible(row, -1);
        if (Window() != nullptr && GetFocus() != Window()) {
            SetFocus(Window());  // WM_SETFOCUS tells the focused row
        }
    }
    Invalidate();
    return true;
}

int32_t UserListCtrl::ActionColumn() const {
    for (int32_t i = 0; i < GetColumnCount(); ++i) {
        const ListColumn& column = columns_[static_cast<size_t>(i)];
        const bool clickable = column.format == FormatLink || column.format == FormatCheck ||
                               column.format == FormatTriState;
        if (clickable && column.width > 0 && !(column.flags & ReadOnly)) {
            return i;
        }
    }
    return -1;
}

std::wstring UserListCtrl::GetItemActionName(int32_t row) const {
    const int32_t column = ActionColumn();
    if (column == -1 || row < 0 || row >= GetItemCount()) {
        return {};
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    switch (record.format) {
        case FormatLink:
            return L"Jump";
        case FormatCheck:
            return CellInteger(Rows().ItemText(row, record.subItem)) > 0 ? L"Uncheck" : L"Check";
        default:
            return L"Toggle";
    }
}

bool UserListCtrl::DoItemAction(int32_t row) {
    const int32_t column = ActionColumn();
    if (column == -1 || row < 0 || row >= GetItemCount()) {
        return false;
    }
    if (GetColumnFormat(column) == FormatLink) {
        Notify(ULN_LINKCLICK, row, column);
    } else {
        ToggleCheck(row, column);
    }
    return true;
}
