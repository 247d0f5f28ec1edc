// A results file of QuarvelSysTest (-json FILE) as the tool reads it back:
// the checks' levels and texts, the overall verdict, and the graphics facts
// behind them (every adapter Windows reported, the one judged). Files of the
// earlier version, written before the graphics facts, have none of them.
#pragma once

#include "cardlist/explain.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The version of the results this tool reads.
inline constexpr int64_t kResultsSchemaVersion = 1;

// An adapter as Windows reported it; absent texts are WMI's own absences.
struct ResultsAdapter {
    std::u16string caption;  // empty when WMI gave none
    std::u16string pnpDeviceId;
    std::optional<std::u16string> driverVersion;  // WMI's
    std::optional<std::u16string> driverDate;     // WMI's CIM datetime
    std::optional<std::u16string> registryDriverVersion;
    std::u16string comparedVersion;              // as QuarvelSysTest compares it
    std::optional<std::u16string> comparedDate;  // yyyy-mm-dd
    std::optional<int64_t> memoryBytes;
    bool rendersOpenGL = true;
    bool drivesScreen = false;
    bool primary = false;
};

struct ResultsCheck {
    std::string key;
    int level = 0;  // 1 failed, 2 warning, 3 passed, 4 passed with margin
    bool measured = true;
    std::u16string status;
    std::u16string text;
};

struct ResultsFile {
    std::u16string computerName;
    std::u16string tested;   // ISO 8601 with the offset from UTC
    std::u16string windows;  // the operating system's description
    std::vector<ResultsCheck> checks;
    int diagnosticExitCode = 0;
    int overallLevel = 0;
    std::u16string overallStatus;
    // The graphics facts; false for a file of the earlier version.
    bool hasGraphics = false;
    std::vector<ResultsAdapter> adapters;
    std::optional<size_t> judgedAdapter;
    std::u16string diagnosticLog;

    const ResultsCheck* Check(std::string_view key) const;
    const ResultsAdapter* Judged() const {
        return judgedAdapter ? &adapters[*judgedAdapter] : nullptr;
    }
};

struct ResultsReading {
    std::optional<ResultsFile> results;
    // Why the file cannot be read as results: not JSON, not a results file,
    // another version, or what is missing or wrong in it.
    std::string problem;
};

ResultsReading ReadResultsFile(std::string_view bytes);

// The machine the file describes, as both programs would read it again: each
// adapter a WMI row; one that drives a screen a display device (its hardware
// id the PNP id up to its second backslash, named by the caption) with a
// driver key holding the registry's version; a remote session when Vexmira
// found one.
MachineFacts MachineOfResults(const ResultsFile& results);

// What Windows reported of an adapter, as explain takes it typed by hand: the
// version WMI gave (or else the registry's) and the date's yyyymmdd.
AdapterFacts FactsOfAdapter(const ResultsAdapter& adapter);

// The explanation of a results file for people: the file's adapters, the one
// judged, the OpenGL version taken, what each program decides, and the exit
// code the file records when the list and that OpenGL give another.
std::u16string ResultsExplanationText(const Explanation& explanation, const ResultsFile& results,
                                      std::u16string_view file, const OpenGLFacts& gl,
                                      bool openGLAssumed);
