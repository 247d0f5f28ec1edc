// RunChecks: the checks of QuarvelSysTest in their fixed order, and the one
// record of the run (CheckRun) from which the main dialog, the report and the
// unattended run's console lines (report_file.h) and the results file
// (results_json.h) are all made. Everything
// it needs reaches it through the small interfaces below, so it runs without
// any window.
#pragma once

#include "common/windows_version.h"
#include "systest/engine/check_result.h"
#include "systest/engine/graphics_checks.h"
#include "systest/engine/meta_line.h"
#include "systest/engine/os_identification.h"
#include "systest/engine/string_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the operating system check read: the description and the verdict of
// GetOSDisplayString.
struct OSReading {
    std::u16string description;
    OSVerdict verdict;
};

struct OperatingSystemCheck {
    CheckResult result;
    std::optional<OSReading> reading;  // none when the version cannot be read
};

// Checks 1 to 5: the operating system and the machine probes.
class SystemChecks {
  public:
    virtual ~SystemChecks() = default;
    virtual OperatingSystemCheck CheckOperatingSystem() = 0;
    virtual CheckResult CheckProcessor() = 0;
    virtual CheckResult CheckMemory() = 0;
    virtual CheckResult CheckDiskSpace() = 0;
    virtual CheckResult CheckScreen() = 0;
};

// Which check a verdict comes from. Its name (CheckKeyName) is a stable English
// key for machine-readable results; it never changes with the language.
enum class CheckKey {
    OperatingSystem,  // "os"
    Processor,        // "processor"
    Memory,           // "memory"
    Disk,             // "disk"
    Screen,           // "screen"
    Diagnostic,       // "diagnostic": the run of the diagnostic program itself
    GraphicsMemory,   // "graphics-memory"
    GraphicsCard,     // "graphics-card"
    GraphicsDriver,   // "graphics-driver"
    Adapters,         // "adapters": whether the active adapters differ
    HybridGraphics,   // "hybrid-graphics": a discrete GPU beside the judged one
};

std::string_view CheckKeyName(CheckKey key);

// One check of a run that gave a verdict (a level of 1 or more): the check,
// its level, the status word in full, the text the results list shows and the
// text of the report and the results file, and whether the check measured
// anything (one that could not be made here says why, as a warning).
struct CheckVerdict {
    CheckKey key = CheckKey::OperatingSystem;
    CheckLevel level = CheckLevel::NoResult;
    std::u16string status;
    std::u16string displayText;
    std::u16string reportText;
    bool measured = true;
    std::optional<size_t> adapter;  // of the graphics checks: the one judged (GraphicsFacts)

    friend bool operator==(const CheckVerdict&, const CheckVerdict&) = default;
};

// The local time of day of a run, and how far local time is ahead of UTC.
struct TimeOfDay {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t utcOffsetMinutes = 0;
};

// What the meta line is made of, read once per run, when the run began, and
// whether it runs where the user works.
struct RunFacts {
    std::u16string computerName;  // empty when it cannot be read
    CalendarDate today;
    std::u16string buildDateText;  // the build stamp, e.g. "Feb 20 2012"
    TimeOfDay time;
    // False where the process does not run on the desktop the user sees (a
    // service's or a deployment agent's, in session 0): its screen is a
    // virtual one and its OpenGL a software renderer, so the screen and the
    // graphics cannot be judged there (IsInteractiveDesktop).
    bool interactiveDesktop = true;
};

// What tells whether the process runs on the desktop the user sees.
struct DesktopFacts {
    // The window station is the interactive one (WSF_VISIBLE), or could not
    // be asked, as every station counted as one before the question was asked.
    bool visibleWindowStation = true;
    std::optional<uint32_t> session;  // ProcessIdToSessionId's, where it answers
    WindowsVersion windows;
};

// Not in a window station that is not interactive, nor from Windows Vista on
// in session 0, which only services use: its window station is WinSta0 and
// carries WSF_VISIBLE, but no user sees it (a service allowed to interact
// with the desktop, or a tool started into session 0). On Windows XP and
// Server 2003 session 0 is the console user's.
bool IsInteractiveDesktop(const DesktopFacts& facts);

// The overall verdict.
struct CheckSummary {
    CheckLevel overallLevel = CheckLevel::NoRows;
    std::u16string status;  // the status word, in full
    std::u16string text;    // string 970, 971 or 972 with the product name
};

// The record of one run. Every text of it is in the user's language already,
// so each output is made from the record alone.
struct CheckRun {
    RunFacts facts;
    std::vector<CheckVerdict> verdicts;  // in the order the checks ran
    CheckSummary summary;
    std::u16string metaLine;         // without a line break
    std::u16string adaptersHeading;  // of the report's list of the adapters
    std::optional<OSReading> os;     // none when the version cannot be read
    DiagnosticOutcome diagnostic;
    GraphicsFacts graphics;  // empty when the graphics were not checked
};

// Runs every check once, in order. The gate RunDiagnostic gives a verdict of
// its own after the screen check when the diagnostic could not be started or
// did not finish; the graphics checks 6 to 9 run only when the adapter query
// found the adapter.
// Without an interactive desktop neither the screen check nor the graphics
// run: a warning that is not measured stands for each (keys "screen" and
// "graphics-card").
CheckRun RunChecks(SystemChecks& system, GraphicsChecks& graphics, const StringSource& strings,
                   const RunFacts& facts);

// The status word identifier of a level; every level other than 1 to 4 reads
// as "no result".
int StatusWordId(CheckLevel level);
// The summary text identifier of an overall level.
int SummaryTextId(CheckLevel overallLevel);
