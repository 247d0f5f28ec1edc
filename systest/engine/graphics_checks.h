// The gate and checks 6 to 8 of the check sequence: the run of the diagnostic
// program and the graphics adapter checks that follow it.
#pragma once

#include "adapters/primary_video_adapter.h"
#include "systest/engine/card_list_check.h"
#include "systest/engine/check_result.h"

#include <optional>
#include <string>
#include <vector>

// How a run of the diagnostic program ended.
enum class DiagnosticEnd {
    NotStarted,  // it could not be started
    Exited,      // it ended by itself
    TimedOut,    // it was still running at the time limit and has been ended
};

// The diagnostic's part of a check run.
struct DiagnosticOutcome {
    DiagnosticEnd end = DiagnosticEnd::NotStarted;
    // Its exit code as the graphics rows count it: 0 also after a crash or a
    // run past the time limit; kDiagnosticNotStarted when it did not start.
    int32_t exitCode = kDiagnosticNotStarted;
};

// What the graphics checks found out about the machine: the facts behind
// their rows, for the results file and the report.
struct GraphicsFacts {
    std::vector<ReportedAdapter> adapters;  // every adapter Windows reported
    std::optional<size_t> judged;           // the one the graphics rows are about
    std::u16string diagnosticLog;           // the log the diagnostic wrote; empty when none
};

class GraphicsChecks {
  public:
    virtual ~GraphicsChecks() = default;
    // Starts the diagnostic, waits for it and queries the primary adapter.
    // diagnostic is the run's own row: a warning when the diagnostic could
    // not be started or did not finish, else none. False when the adapter
    // query failed and checks 6 to 8 must not run.
    virtual bool RunDiagnostic(CheckResult& diagnostic) = 0;
    // Check 6: the adapter's memory.
    virtual CheckResult EvaluateAdapterMemory() = 0;
    // Check 7: the graphics card row and the driver row.
    virtual void EvaluateCardList(CheckResult& card, CheckResult& driver) = 0;
    // Check 8: whether the active adapters differ.
    virtual CheckResult EvaluateAdaptersDiffer() = 0;
    // Check 9: a discrete GPU that drives no screen beside the judged one,
    // which programs run on unless told otherwise. None where nothing is known.
    virtual CheckResult EvaluateHybridGraphics() { return {}; }
    // What the last RunDiagnostic found; nothing where nothing is known.
    virtual GraphicsFacts Facts() const { return {}; }
    // How the diagnostic of the last RunDiagnostic ended.
    virtual DiagnosticOutcome Diagnostic() const = 0;
};
