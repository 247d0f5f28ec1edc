// The gate and checks 6 to 8 of the check sequence: the run of the diagnostic
// program and the graphics adapter checks that follow it.
#pragma once

#include "systest/engine/check_result.h"

class GraphicsChecks {
  public:
    virtual ~GraphicsChecks() = default;
    // Starts the diagnostic, waits for it and queries the primary adapter.
    // diagnostic is the run's own row: a warning when the diagnostic did not
    // finish, else none. False when the adapter query failed and checks 6 to
    // 8 must not run.
    virtual bool RunDiagnostic(CheckResult& diagnostic) = 0;
    // Check 6: the adapter's memory.
    virtual CheckResult EvaluateAdapterMemory() = 0;
    // Check 7: the graphics card row and the driver row.
    virtual void EvaluateCardList(CheckResult& card, CheckResult& driver) = 0;
    // Check 8: whether the active adapters differ.
    virtual CheckResult EvaluateAdaptersDiffer() = 0;
};
