// What the graphics checks (DiagnosticLauncher) need of the real system: the
// diagnostic program, WMI, the display devices, the registry and the card
// list file.
#pragma once

#include "systest/engine/launcher.h"
#include "systest/engine/process.h"

#include <cstdint>
#include <memory>

// How long QuarvelSysTest waits for the diagnostic: a driver that hangs must
// not keep the user waiting without end.
inline constexpr uint32_t kDiagnosticTimeLimitMs = 120000;

class Win32DiagnosticPlatform final : public DiagnosticPlatform {
  public:
    // A warning box tells the user when the diagnostic cannot be started.
    explicit Win32DiagnosticPlatform(uint32_t timeLimitMs) : timeLimitMs_(timeLimitMs) {}
    // startFailure is told instead; it must outlive the platform.
    Win32DiagnosticPlatform(StartFailureNotice& startFailure, uint32_t timeLimitMs)
        : startFailure_(&startFailure), timeLimitMs_(timeLimitMs) {}
    Win32DiagnosticPlatform(const Win32DiagnosticPlatform&) = delete;
    Win32DiagnosticPlatform& operator=(const Win32DiagnosticPlatform&) = delete;

    // In the program's folder, where the diagnostic finds the card list and
    // the shaders and writes its log, wherever QuarvelSysTest was started.
    void StartDiagnosticProgram() override;
    // Ended at the time limit; the wait paints the thread's windows and
    // throws away the input that comes meanwhile (StartedProcess::Wait).
    DiagnosticRun WaitForDiagnosticProgram() override;
    // COM must be initialized on the calling thread.
    int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) override;
    // The list beside the program, read with TextFileReader; a read error ends
    // the file where it occurs.
    std::unique_ptr<CardListLines> OpenCardList() override;

  private:
    // The name of the log the diagnostic wrote in the program's folder;
    // empty when none is there.
    std::u16string WrittenLog() const;

    StartFailureBox box_;
    StartFailureNotice* startFailure_ = &box_;
    uint32_t timeLimitMs_;
    StartedProcess diagnostic_;  // of the last start
    LocalTime logStart_;         // when it was started, which names its log
};

// The time limit for the diagnostic: kDiagnosticTimeLimitMs, or a shorter
// one that the environment variable QST_DIAGNOSTIC_TIME_LIMIT_MS gives (the
// end-to-end tests set it; it is no setting for users).
uint32_t DiagnosticTimeLimitOfEnvironment();
