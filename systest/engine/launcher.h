// The gate and checks 6 to 8 of the check sequence: QuarvelSysTest starts its
// diagnostic program, waits for its exit code, queries the primary video
// adapter, and turns both into the graphics rows.
#pragma once

#include "adapters/card_list_search.h"
#include "adapters/primary_video_adapter.h"
#include "adapters/verbose_video.h"
#include "systest/engine/card_list_check.h"
#include "systest/engine/graphics_checks.h"
#include "systest/engine/string_source.h"

#include <cstdint>
#include <memory>

// What the graphics checks need of the system.
class DiagnosticPlatform {
  public:
    virtual ~DiagnosticPlatform() = default;
    // Runs "Vexmira.exe" hidden in a console of its own and waits for it
    // without a time limit. Its exit code, or kDiagnosticNotStarted when it
    // cannot be started (the user has been told then).
    virtual int32_t RunDiagnosticProgram() = 0;
    // The adapter query of adapter discovery, with its results.
    virtual int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) = 0;
    // "GraphicsCardGBList.txt" in the current directory; null when it cannot
    // be opened.
    virtual std::unique_ptr<CardListLines> OpenCardList() = 0;
};

class DiagnosticLauncher final : public GraphicsChecks {
  public:
    // All three must outlive the launcher.
    DiagnosticLauncher(DiagnosticPlatform& platform, const StringSource& strings,
                       VerboseVideo& verbose)
        : platform_(platform), strings_(strings), verbose_(verbose) {}

    // True unless the adapter query failed; an adapter without a readable
    // driver version still gives true, and only its warning row follows.
    bool RunDiagnostic() override;
    CheckResult EvaluateAdapterMemory() override;
    void EvaluateCardList(CheckResult& card, CheckResult& driver) override;
    CheckResult EvaluateAdaptersDiffer() override;

    int32_t ExitCode() const { return exitCode_; }
    bool DriverVersionUnreadable() const { return driverVersionUnreadable_; }

  private:
    DiagnosticPlatform& platform_;
    const StringSource& strings_;
    VerboseVideo& verbose_;

    int32_t exitCode_ = kDiagnosticNotStarted;  // of the diagnostic program
    bool driverVersionUnreadable_ = false;      // the adapter query returned -2
    PrimaryVideoAdapter adapter_;               // what the adapter query left
};
