#include "systest/ui/userlist/results_list_ctrl.h"

#include <new>

int32_t ResultsListCtrl::AddItem(ResultRow row) {
    int32_t index = -1;
    try {
        index = rows_.Add(std::move(row));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    RowsChanged();
    return index;
}
