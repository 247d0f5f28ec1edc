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

// What the meta line is made of, read once per run.
struct RunFacts {
    std::u16string computerName;  // empty when it cannot be read
    CalendarDate today;
    std::u16string buildDateText;  // the build stamp, e.g. "Feb 20 2012"
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
    std::u16string metaLine;    // without a line break
    std::u16string reportText;  // every line ends with "\r\n"
};

// Runs every check once, in order; hands each row to the sink as it comes and
// asks it to fit columns 0 and 1 at the end. The graphics checks 6 to 8 run
// only when the gate RunDiagnostic returns true.
CheckRun RunChecks(SystemChecks& system, GraphicsChecks& graphics, const StringSource& strings,
                   RowSink& rows, const RunFacts& facts);

// The status word identifier and status image of a level; every level other
// than 1 to 4 reads as "no result" with the red cross.
int StatusWordId(int32_t level);
int32_t StatusImageOf(int32_t level);
// The summary text identifier of an overall level.
int SummaryTextId(int32_t overallLevel);
