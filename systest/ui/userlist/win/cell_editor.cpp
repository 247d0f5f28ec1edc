#include "systest/ui/userlist/win/cell_editor.h"

#include "systest/ui/userlist/win/list_visuals.h"
#include "systest/ui/userlist/win/user_list_notify.h"

void CellEditor::Destroy() {
    if (HWND window = Window()) {
        DestroyWindow(window);
    }
}

void CellEditor::Begin(HWND list, int32_t row, int32_t column, uint32_t columnFlags) {
    list_ = list;
    row_ = row;
    column_ = column;
    flags_ = columnFlags;
    key_ = 0;
    Destroy();
}

HFONT CellEditor::CopyMessageFont() {
    font_ = CreateMessageFont();
    return font_.get();
}

LRESULT CellEditor::OnGetDlgCode(const MSG*) {
    return DLGC_WANTALLKEYS;
}

bool CellEditor::EndEditWithKey(UINT character) {
    if (character != VK_TAB && character != VK_RETURN && character != VK_ESCAPE) {
        return false;
    }
    key_ = static_cast<uint16_t>(character);
    SetFocus(list_);  // the edit ends when the focus goes
    return true;
}

void CellEditor::FinishEdit(HWND window, const wchar_t* text, const SYSTEMTIME* value) {
    if (list_ != nullptr && IsWindow(list_)) {
        UserListNotify record{};
        record.hdr.hwndFrom = window;
        record.hdr.idFrom = kCellEditorId;
        record.hdr.code = ULN_ENDEDIT;
        record.item = row_;
        record.subItem = column_;
        record.key = key_;
        record.text = text;
        record.value = value;
        SendMessageW(list_, WM_NOTIFY, kCellEditorId, reinterpret_cast<LPARAM>(&record));
    }
    // The list may have opened a new editor meanwhile; hide only this one.
    if (IsWindow(window)) {
        ShowWindow(window, SW_HIDE);
    }
}
