#include "systest/ui/userlist/text_list_ctrl.h"

#include <new>

int32_t TextListCtrl::AddItem(TextRow row) {
    int32_t index = -1;
    try {
        index = rows_.Add(std::move(row));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    RowsChanged();
    return index;
}
