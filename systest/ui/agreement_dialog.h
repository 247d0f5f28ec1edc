// The agreement page: the licence text in a list box, a box the user ticks to
// accept it, and the buttons to go on or to stop. Declining destroys it;
// accepting turns it into the sign that the checks run (its box and buttons
// greyed, a line that says so, the wait cursor over it) and leaves it to the
// start-up to destroy once the main dialog is ready.
#pragma once

#include "common/win/accessible.h"
#include "systest/ui/app_module.h"
#include "systest/ui/dialog.h"
#include "systest/ui/language_files.h"
#include "systest/ui/window_icons.h"

#include <optional>
#include <string>

class AgreementDialog final : public Dialog {
  public:
    // Both must outlive the page.
    AgreementDialog(AppModule& module, const LanguageResources& language)
        : module_(module), language_(language) {}

    // Creates the page hidden, from the program's template.
    bool Create();

  private:
    MessageTable<Dialog> Messages() const override;
    LRESULT OnInitDialog();
    // The acceptance box, whatever its notification.
    void UpdateAcceptButton() const;
    void OnAccept();
    void OnDecline();
    std::optional<LRESULT> OnSetCursor() const;
    // The page as it stays while the checks run: nothing on it takes input.
    void ShowChecking();

    void FillAgreementText() const;
    void SetLanguageTexts() const;

    AppModule& module_;
    const LanguageResources& language_;
    WindowIcons icons_;
    ListBoxCaretEvents textCaret_;  // screen readers read the line under the caret
    bool checking_ = false;         // accepted: the checks run
};
