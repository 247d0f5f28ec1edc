// A UserListCtrl with a row store of its own: the list shows what the store
// holds and hands it what the user commits.
#pragma once

#include "systest/ui/userlist/user_list_ctrl.h"

#include <new>
#include <utility>

template <typename RowStore>
class StoredListCtrl : public UserListCtrl {
  public:
    ~StoredListCtrl() override { Detach(); }  // before rows_ goes

    // Appends a row and returns its index; -1 only when memory runs out.
    int32_t AddItem(typename RowStore::Row row) {
        int32_t index = -1;
        try {
            index = rows_.Add(std::move(row));
        } catch (const std::bad_alloc&) {
            return -1;
        }
        RowAdded(index);
        return index;
    }
    const RowStore& Store() const { return rows_; }

  protected:
    ListRowStore& Rows() override { return rows_; }
    const ListRowStore& Rows() const override { return rows_; }

  private:
    RowStore rows_;
};
