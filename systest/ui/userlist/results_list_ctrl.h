// The results list of the main dialog: a UserListCtrl whose rows are the
// ResultRows of the checks, status word and image in column 0, description in
// column 1.
//
//   results.Attach(GetDlgItem(dialog, IDC_RESULTS_LIST));
//   results.Initialise();
//   results.AddColumn(column);  // twice: status, description
//   results.AddItem(row);       // per check
//   results.AutoSizeColumn(0);
//   results.AutoSizeColumn(1);
#pragma once

#include "systest/ui/userlist/result_row_store.h"
#include "systest/ui/userlist/stored_list_ctrl.h"

class ResultsListCtrl final : public StoredListCtrl<ResultRowStore> {};
