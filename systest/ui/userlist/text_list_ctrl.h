// A general-purpose list: a UserListCtrl whose rows are TextRows, kept with
// every value the user commits (edits, dates, check clicks).
//
//   TextListCtrl list;
//   list.Create(parent, id, rect);
//   list.AddColumn(column);               // per column
//   list.AddItem(TextRow({u"a", u"1"}));  // per row
#pragma once

#include "systest/ui/userlist/stored_list_ctrl.h"
#include "systest/ui/userlist/text_row_store.h"

class TextListCtrl final : public StoredListCtrl<TextRowStore> {};
