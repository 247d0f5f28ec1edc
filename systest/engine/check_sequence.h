// RunChecks: the checks of QuarvelSysTest in their fixed order, one result row
// and one report line per verdict, and the overall verdict folded from them.
// Everything it needs reaches it through the small interfaces below, so it runs
// without any window.
#pragma once

#include "systest/engine/check_result.h"
#include "systest/engine/graphics_checks.h"
#include "systest/engine/meta_line.h"
#include "systest/engine/string_source.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where the rows go; the main dialog binds it to its results list.
class RowSink {
  public:
    virtual ~RowSink() = default;
    // Appends the row as the last row of the list.
    virtual void AddRow(const ResultRow& row) = 0;
    // Fits the width of a column (0 status, 1 check) to its contents.
    virtual void FitColumn(int column) = 0;
};

// Checks 1 to 5: the operating system and the machine probes.
class SystemChecks {
  public:
    virtual ~SystemChecks() = default;
    virtual CheckResult CheckOperatingSystem() = 0;
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
};

std::string_view CheckKeyName(CheckKey key);

// One row of a run as the report has it: the check, its level, the status word
// in full and the report text.
struct CheckVerdict {
    CheckKey key = CheckKey::OperatingSystem;
    int32_t level = 0;
    std::u16string status;
    std::u16string text;

    friend bool operator==(const CheckVerdict&, const CheckVerdict&) = default;
};

// The local time of day of a run, and how far local time is ahead of UTC.
struct TimeOfDay {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t utcOffsetMinutes = 0;
};

// What the meta line is made of, read once per run, and when the run began.
struct RunFacts {
    std::u16string computerName;  // empty when it cannot be read
    CalendarDate today;
    std::u16string buildDateText;  // the build stamp, e.g. "Feb 20 2012"
    TimeOfDay time;
};

// What the main dialog shows below the list.
struct CheckSummary {
    int32_t overallLevel = static_cast<int32_t>(CheckLevel::NoRows);
    int32_t image = kStatusImageFailed;  // the icon of this status image
    std::u16string status;               // the status word, in full
    std::u16string text;                 // string 970, 971 or 972 with the product name
};

struct CheckRun {
    CheckSummary summary;
    std::u16string metaLine;             // without a line break
    std::u16string reportText;           // every line ends with "\r\n"
    std::vector<CheckVerdict> verdicts;  // one per row, in order
};

// Runs every check once, in order; hands each row to the sink as it comes and
// asks it to fit columns 0 and 1 at the end. The gate RunDiagnostic gives a
// row of its own after the screen check when the diagnostic did not finish;
// the graphics checks 6 to 8 run only when it returns true.
CheckRun RunChecks(SystemChecks& system, GraphicsChecks& graphics, const StringSource& strings,
                   RowSink& rows, const RunFacts& facts);

// The status word identifier and status image of a level; every level other
// than 1 to 4 reads as "no result" with the red cross.
int StatusWordId(int32_t level);
int32_t StatusImageOf(int32_t level);
// The summary text identifier of an overall level.
int SummaryTextId(int32_t overallLevel);
