// The agreement page: the licence text in a list box, a box the user ticks to
// accept it, and the buttons to go on or to stop. Declining destroys it;
// accepting disables it and leaves it to the start-up to destroy once the
// main dialog is ready.
#pragma once

#include "common/win/accessible.h"
#include "systest/ui/app_module.h"
#include "systest/ui/dialog.h"
#include "systest/ui/window_icons.h"

#include <string>

class AgreementDialog final : public Dialog {
  public:
    AgreementDialog(AppModule& module, std::u16string agreementPath)
        : module_(module), agreementPath_(std::move(agreementPath)) {}

    // Creates the page hidden, from the template of the current resource module.
    bool Create();

  private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnInitDialog(WPARAM wParam, LPARAM lParam, INT_PTR& result);
    bool OnCommand(WPARAM wParam, LPARAM lParam, INT_PTR& result);
    bool OnDestroy(WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void FillAgreementText() const;
    void SetLanguageTexts() const;
    void UpdateAcceptButton() const;

    static const DialogMessageHandler<AgreementDialog> kMessageHandlers[];

    AppModule& module_;
    std::u16string agreementPath_;
    WindowIcons icons_;
    ListBoxCaretEvents textCaret_;  // screen readers read the line under the caret
};
