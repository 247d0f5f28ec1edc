// The main dialog: the results list with one row per check, the verdict with
// its icon, the "Meta data" line and the report button. All checks run while
// it initialises, before it is shown, so the user never sees a partial list.
#pragma once

#include "common/win/accessible.h"
#include "common/win/gdi.h"
#include "systest/engine/check_sequence.h"
#include "systest/ui/app_module.h"
#include "systest/ui/dialog.h"
#include "systest/ui/program_strings.h"
#include "systest/ui/userlist/results_list_ctrl.h"
#include "systest/ui/window_icons.h"

#include <string>

// The checks the dialog runs.
struct MainDialogChecks {
    SystemChecks& system;      // checks 1 to 5
    GraphicsChecks& graphics;  // the diagnostic and checks 6 to 8
};

class MainDialog final : public Dialog, private RowSink {
  public:
    MainDialog(AppModule& module, MainDialogChecks checks)
        : module_(module), checks_(checks), strings_(module) {}

    // Creates the dialog hidden, from the template of the current resource
    // module, and runs the checks.
    bool Create();

    const std::u16string& ReportText() const { return reportText_; }
    const ResultsListCtrl& Results() const { return results_; }

  private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnInitDialog(WPARAM wParam, LPARAM lParam, INT_PTR& result);
    bool OnCommand(WPARAM wParam, LPARAM lParam, INT_PTR& result);
    bool OnDestroy(WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void AddRow(const ResultRow& row) override;
    void FitColumn(int column) override;

    void SetLanguageTexts() const;
    void AddColumns();
    void ShowSummary(const CheckSummary& summary);

    static const DialogMessageHandler<MainDialog> kMessageHandlers[];

    AppModule& module_;
    MainDialogChecks checks_;
    ProgramStrings strings_;
    ResultsListCtrl results_;
    bool resultsAttached_ = false;
    HWND description_ = nullptr;
    std::u16string reportText_;
    WindowIcons icons_;
    UniqueBitmap logo_;
    UniqueImageList statusImages_;  // from the program, never from the language library
    UniqueIcon summaryIcon_;
    AccessibleName summaryIconName_;  // the status word, for screen readers
};
