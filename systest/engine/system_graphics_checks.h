// The graphics checks of QuarvelSysTest on the real system: the diagnostic
// program, WMI, the display devices, the registry and the card list file.
#pragma once

#include "systest/engine/launcher.h"

#include <memory>

class Win32DiagnosticPlatform final : public DiagnosticPlatform {
  public:
    int32_t RunDiagnosticProgram() override;
    // COM must be initialized on the calling thread.
    int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) override;
    // Read with TextFileReader; a read error ends the file where it occurs.
    std::unique_ptr<CardListLines> OpenCardList() override;
};

// The launcher over the real system, with the diagnostic message boxes when
// the command line holds "-verbosevideo".
class SystemGraphicsChecks final : public GraphicsChecks {
  public:
    // strings must outlive the checks.
    explicit SystemGraphicsChecks(const StringSource& strings);

    bool RunDiagnostic() override { return launcher_.RunDiagnostic(); }
    CheckResult EvaluateAdapterMemory() override { return launcher_.EvaluateAdapterMemory(); }
    void EvaluateCardList(CheckResult& card, CheckResult& driver) override {
        launcher_.EvaluateCardList(card, driver);
    }
    CheckResult EvaluateAdaptersDiffer() override { return launcher_.EvaluateAdaptersDiffer(); }

  private:
    Win32DiagnosticPlatform platform_;
    std::unique_ptr<VerboseVideo> verbose_;
    DiagnosticLauncher launcher_;
};
