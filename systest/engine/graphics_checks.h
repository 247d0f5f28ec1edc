// The gate and checks 6 to 9 of the check sequence: the run of the diagnostic
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

// Checks 6 to 9, about the primary adapter.
struct AdapterRows {
    CheckResult memory;          // check 6: the adapter's memory
    CheckResult card;            // check 7: the graphics card row
    CheckResult driver;          // and the driver row
    CheckResult adaptersDiffer;  // check 8: whether the active adapters differ
    // Check 9: a discrete GPU that drives no screen beside the judged one,
    // which programs run on unless told otherwise.
    CheckResult hybridGraphics;
};

// What one run of the diagnostic and the adapter query found.
struct GraphicsFindings {
    DiagnosticOutcome diagnostic;
    GraphicsFacts facts;
    // The diagnostic's own row: a warning when it could not be started or did
    // not finish, else none.
    CheckResult diagnosticRow;
    // None when the adapter query failed: checks 6 to 9 do not run then.
    std::optional<AdapterRows> adapterRows;
};

class GraphicsChecks {
  public:
    virtual ~GraphicsChecks() = default;
    // Starts the diagnostic, waits for it, queries the primary adapter and
    // judges it.
    virtual GraphicsFindings RunDiagnostic() = 0;
};
