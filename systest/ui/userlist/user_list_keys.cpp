// The list under the keyboard: the focus moves by rows, pages and cells, the
// selection follows (or extends with Shift), Space toggles check cells, Ctrl+A
// selects every row, Ctrl+C and Ctrl+Insert copy the selected ones, and
// letters search the rows.
#include "systest/ui/userlist/user_list_ctrl.h"

#include "systest/ui/userlist/list_keys.h"

namespace {

ListKey ToListKey(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_TAB:
            return ListKey::Tab;
        case VK_PRIOR:
            return ListKey::PageUp;
        case VK_NEXT:
            return ListKey::PageDown;
        case VK_END:
            return ListKey::End;
        case VK_HOME:
            return ListKey::Home;
        case VK_LEFT:
            return ListKey::Left;
        case VK_UP:
            return ListKey::Up;
        case VK_RIGHT:
            return ListKey::Right;
        case VK_DOWN:
            return ListKey::Down;
        case VK_SPACE:
            return ListKey::Space;
        case VK_INSERT:
            return ListKey::Insert;
        default:
            // The virtual-key codes of the letters are their upper-case characters.
            return virtualKey >= 'A' && virtualKey <= 'Z' ? ListKey::Letter : ListKey::Other;
    }
}

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

}  // namespace

std::optional<LRESULT> UserListCtrl::OnKeyDown(UINT key) {
    StopScrollAnimation();
    KeyState state;
    state.key = ToListKey(key);
    state.letter = static_cast<char16_t>(key);
    state.control = IsDown(VK_CONTROL);
    state.shift = IsDown(VK_SHIFT);
    GetFocusItem(state.focusItem, state.focusColumn);
    state.rowCount = Rows().ItemCount();
    state.columns = columns_;
    const ListGeometry geometry = Geometry();
    state.fullRows = geometry.rowHeight > 0
                         ? (geometry.clientHeight - geometry.RowsTop()) / geometry.rowHeight
                         : 0;
    state.focusCell = options_.focusCell;
    state.singleSelect = options_.singleSelect;
    state.scrollX = geometry.scrollX;
    state.totalWidth = totalWidth_;

    const KeyPlan plan = PlanKey(state);
    if (SendMessageW(Window(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) {
        // The keyboard is in use: the focus rectangle shows from now on.
        SendMessageW(Window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    const ListSelection before = selection_;
    switch (plan.action) {
        case KeyAction::MoveFocus:
            selection_.MoveFocus(plan.row, plan.column);
            EnsureItemVisible(plan.row, plan.column);
            break;
        case KeyAction::ScrollHorizontally:
            SetScrollPos(Window(), SB_HORZ, plan.scrollX, TRUE);
            Invalidate();
            break;
        case KeyAction::ToggleCheck:
            ToggleCheck(plan.row, plan.column);
            break;
        case KeyAction::SelectAll:
            SelectAll();
            break;
        case KeyAction::Copy:
            CopySelection();
            break;
        case KeyAction::TypeAhead:
            TypeAhead(state.letter, state.focusItem, state.focusColumn);
            break;
        case KeyAction::None:
            break;
    }
    if (plan.action == KeyAction::MoveFocus) {
        AnnounceSelection(before);  // the other selections tell their own
    }
    if (plan.select) {
        SelectItem(plan.row, plan.column, plan.extend ? MK_SHIFT : 0);
    }
    if (plan.action == KeyAction::None && !plan.select) {
        return std::nullopt;  // not a key of the list: the previous procedure has it
    }
    return 0;
}

void UserListCtrl::TypeAhead(char16_t letter, int32_t focusItem, int32_t focusColumn) {
    // The sorted column, or the first before any sort.
    const int32_t subItem = GetColumnSubItem(sortSubItem_ >= 0 ? sortSubItem_ : 0);
    const int32_t row = typeAhead_.Type(letter, GetTickCount(), focusItem, Rows(), subItem);
    if (row >= 0) {
        SelectItem(row, focusColumn, MK_LBUTTON);
        EnsureItemVisible(row, focusColumn);
    }
}
