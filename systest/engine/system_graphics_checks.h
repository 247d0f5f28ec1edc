// The graphics checks of QuarvelSysTest on the real system: the diagnostic
// program, WMI, the display devices, the registry and the card list file.
#pragma once

#include "systest/engine/launcher.h"
#include "systest/engine/process.h"

#include <memory>

class Win32DiagnosticPlatform final : public DiagnosticPlatform {
  public:
    // A warning box tells the user when the diagnostic cannot be started.
    Win32DiagnosticPlatform() = default;
    // startFailure is told instead; it must outlive the platform.
    explicit Win32DiagnosticPlatform(StartFailureNotice& startFailure)
        : startFailure_(&startFailure) {}
    Win32DiagnosticPlatform(const Win32DiagnosticPlatform&) = delete;
    Win32DiagnosticPlatform& operator=(const Win32DiagnosticPlatform&) = delete;

    int32_t RunDiagnosticProgram() override;
    // COM must be initialized on the calling thread.
    int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) override;
    // Read with TextFileReader; a read error ends the file where it occurs.
    std::unique_ptr<CardListLines> OpenCardList() override;

  private:
    StartFailureBox box_;
    StartFailureNotice* startFailure_ = &box_;
};

// The launcher over the real system.
class SystemGraphicsChecks final : public GraphicsChecks {
  public:
    // With the diagnostic message boxes when the command line holds
    // "-verbosevideo", and a warning box when the diagnostic cannot be
    // started. strings must outlive the checks.
    explicit SystemGraphicsChecks(const StringSource& strings);
    // The diagnostic values and a failed start go to verbose and startFailure
    // instead of boxes; all three must outlive the checks.
    SystemGraphicsChecks(const StringSource& strings, VerboseVideo& verbose,
                         StartFailureNotice& startFailure);

    // The diagnostic program's exit code, once RunDiagnostic has run;
    // kDiagnosticNotStarted when it could not be started.
    int32_t DiagnosticExitCode() const { return launcher_.ExitCode(); }

    bool RunDiagnostic() override { return launcher_.RunDiagnostic(); }
    CheckResult EvaluateAdapterMemory() override { return launcher_.EvaluateAdapterMemory(); }
    void EvaluateCardList(CheckResult& card, CheckResult& driver) override {
        launcher_.EvaluateCardList(card, driver);
    }
    CheckResult EvaluateAdaptersDiffer() override { return launcher_.EvaluateAdaptersDiffer(); }

  private:
    std::unique_ptr<VerboseVideo> boxes_;  // of "-verbosevideo", when the checks show boxes
    Win32DiagnosticPlatform platform_;
    DiagnosticLauncher launcher_;
};
