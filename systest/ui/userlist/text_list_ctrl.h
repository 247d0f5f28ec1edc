// A general-purpose list: a UserListCtrl whose rows are TextRows, kept with
// every value the user commits (edits, dates, check clicks).
//
//   TextListCtrl list;
//   list.Create(parent, id, rect);
//   list.AddColumn(column);            // per column
//   list.AddItem(TextRow({u"a", u"1"}));  // per row
#pragma once

#include "systest/ui/userlist/text_row_store.h"
#include "systest/ui/userlist/user_list_ctrl.h"

class TextListCtrl final : public UserListCtrl {
  public:
    TextListCtrl() = default;
    ~TextListCtrl() override { Detach(); }  // before rows_ goes

    // Appends a row and returns its index; -1 when memory runs out.
    int32_t AddItem(TextRow row);
    const TextRowStore& Store() const { return rows_; }

  protected:
    ListRowStore& Rows() override { return rows_; }
    const ListRowStore& Rows() const override { return rows_; }

  private:
    TextRowStore rows_;
};
