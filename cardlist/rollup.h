// A fleet's results in one place: a folder of results files as one CSV table,
// a row per computer, and as one HTML page that shows where the fleet stands.
#pragma once

#include "cardlist/results_file.h"

#include <string>
#include <string_view>
#include <vector>

struct FleetComputer {
    std::u16string file;  // the results file's name
    ResultsFile results;
};

struct SkippedFile {
    std::u16string file;
    std::string problem;
};

struct Fleet {
    std::vector<FleetComputer> computers;  // in the order of their names
    std::vector<SkippedFile> skipped;
};

// Orders the computers by name, letter case aside, then by file.
void SortFleet(Fleet& fleet);

// One row per computer: its name, when it was tested, Windows, the overall
// level, each check's level ("not measured" for one the run could not make,
// empty for one without a result), the judged adapter with its driver's
// version and date as QuarvelSysTest compares them, and the file. UTF-8 with a
// byte order mark and CR LF line ends, fields quoted as RFC 4180 does, as
// Excel reads it with the region's separator.
std::string FleetCsv(const Fleet& fleet, char separator);

// The fleet at a glance, a page of its own (styles and charts inline, no
// script, nothing fetched): how many computers pass, warn and fail, the checks
// that hold the fleet back, the judged adapters and their drivers by count,
// the computers that need attention, each chart's numbers as a table, and the
// files that could not be read.
std::string FleetHtml(const Fleet& fleet, std::u16string_view folder);
