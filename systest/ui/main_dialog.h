// The main dialog: the results list with one row per check, the verdict with
// its icon, the "Meta data" line and the report button. All checks run while
// it initialises, before it is shown, so the user never sees a partial list.
#pragma once

#include "common/win/accessible.h"
#include "common/win/gdi.h"
#include "systest/engine/check_sequence.h"
#include "systest/ui/app_module.h"
#include "systest/ui/dialog.h"
#include "systest/ui/language_files.h"
#include "systest/ui/result_rows.h"
#include "systest/ui/userlist/win/user_list.h"
#include "systest/ui/window_icons.h"

#include <optional>
#include <string>

// The checks the dialog runs.
struct MainDialogChecks {
    SystemChecks& system;      // checks 1 to 5
    GraphicsChecks& graphics;  // the diagnostic and checks 6 to 9
};

class MainDialog final : public Dialog {
  public:
    // All must outlive the dialog.
    MainDialog(AppModule& module, const LanguageResources& language, MainDialogChecks checks)
        : module_(module), strings_(language), checks_(checks) {}

    // Creates the dialog hidden, from the program's template, and runs the
    // checks.
    bool Create();

    // The record of the run the dialog shows.
    const CheckRun& Run() const { return run_; }
    const UserList& Results() const { return results_; }
    const ResultRowStore& ResultRows() const { return resultRows_; }

  private:
    MessageTable<Dialog> Messages() const override;
    LRESULT OnInitDialog();
    void OnOk();
    void OnCancel();
    std::optional<LRESULT> OnReportButton(UINT notifyCode);

    // The dialog's texts and the results list's menu.
    void SetLanguageTexts();
    // One row per verdict, the columns fitted to them.
    void ShowVerdicts();
    void ShowSummary();

    AppModule& module_;
    const LanguageResources& strings_;
    MainDialogChecks checks_;
    ResultRowStore resultRows_;
    UserList results_{resultRows_};  // shows resultRows_
    bool resultsAttached_ = false;
    HWND description_ = nullptr;
    CheckRun run_;
    WindowIcons icons_;
    UniqueBitmap logo_;
    UniqueImageList statusImages_;  // from the program, never from the language library
    UniqueIcon summaryIcon_;
    AccessibleName summaryIconName_;  // the status word, for screen readers
};
