// The gate and checks 6 to 9 of the check sequence: QuarvelSysTest starts its
// diagnostic program, queries the primary video adapter while it runs, waits
// for its exit code, and turns both into the graphics rows.
#pragma once

#include "adapters/card_list_search.h"
#include "adapters/primary_video_adapter.h"
#include "adapters/verbose_video.h"
#include "systest/engine/card_list_check.h"
#include "systest/engine/graphics_checks.h"
#include "systest/engine/string_source.h"

#include <cstdint>
#include <memory>
#include <string_view>

struct DiagnosticRun {
    DiagnosticEnd end = DiagnosticEnd::NotStarted;
    int32_t exitCode = 0;        // when it exited: its verdict 0 to 4, or the code of a crash
    std::u16string logFileName;  // the log it wrote in the program's folder; empty when none
};

// What the graphics checks need of the system.
class DiagnosticPlatform {
  public:
    virtual ~DiagnosticPlatform() = default;
    // Starts "Vexmira.exe" of the program's folder hidden in a console of its
    // own, in that folder.
    virtual void StartDiagnosticProgram() = 0;
    // Waits for the program of the last start, up to a time limit counted
    // from its start; NotStarted when it could not be started.
    virtual DiagnosticRun WaitForDiagnosticProgram() = 0;
    // The adapter query of adapter discovery, with its results.
    virtual int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) = 0;
    // "GraphicsCardGBList.txt" in the current directory; null when it cannot
    // be opened.
    virtual std::unique_ptr<CardListLines> OpenCardList() = 0;
};

// A time limit in milliseconds written as decimal digits, when it is shorter
// than limitMs and not 0; limitMs for any other text. Tests shorten the wait
// for the diagnostic with it; nothing can lengthen it.
uint32_t ShorterTimeLimit(std::u16string_view text, uint32_t limitMs);

class DiagnosticLauncher final : public GraphicsChecks {
  public:
    // All three must outlive the launcher.
    DiagnosticLauncher(DiagnosticPlatform& platform, const StringSource& strings,
                       VerboseVideo& verbose)
        : platform_(platform), strings_(strings), verbose_(verbose) {}

    // The adapter query runs while the diagnostic does: it needs nothing of
    // it, and the verdict comes as soon as the slower of the two is done. A
    // diagnostic that could not be started gives a warning row of its own
    // and no card row (exit code -1). One that ran past its time limit or
    // crashed (an exit code other than 0 to 4) counts as exit code 0, a
    // failed graphics test, and gives the warning row. The adapter rows
    // follow unless the adapter query failed; an adapter without a readable
    // driver version gives only its warning row. The boxes of
    // "-verbosevideo" come in the order of a run that queries after the
    // diagnostic: its return value first, then the query's, then the card
    // list's.
    GraphicsFindings RunDiagnostic() override;
    // Starts the diagnostic ahead of RunDiagnostic, so that it runs while the
    // caller still prepares (the main dialog is being made); RunDiagnostic
    // then waits for this run instead of starting another.
    void StartDiagnostic();

  private:
    // Checks 6 to 9 of an adapter whose driver version could be read.
    AdapterRows JudgeAdapter(const PrimaryVideoAdapter& adapter, int32_t exitCode);

    DiagnosticPlatform& platform_;
    const StringSource& strings_;
    VerboseVideo& verbose_;
    bool started_ = false;  // a run waits for RunDiagnostic
};
