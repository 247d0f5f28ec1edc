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

#include "systest/engine/check_result.h"
#include "systest/ui/userlist/result_row_store.h"
#include "systest/ui/userlist/user_list_ctrl.h"

class ResultsListCtrl final : public UserListCtrl {
  public:
    ResultsListCtrl() = default;
    ~ResultsListCtrl() override { Detach(); }  // before rows_ goes

    // Appends a row and returns its index; -1 only when memory runs out.
    int32_t AddItem(ResultRow row);
    const ResultRowStore& Store() const { return rows_; }

  protected:
    ListRowStore& Rows() override { return rows_; }
    const ListRowStore& Rows() const override { return rows_; }

  private:
    ResultRowStore rows_;
};
