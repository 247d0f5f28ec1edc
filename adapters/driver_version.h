// Driver versions and dates, as both programs read them from the system and
// from the graphics card list, and the rules that judge a driver as current.
#pragma once

#include "adapters/dialect.h"

#include <cstdint>
#include <string>
#include <string_view>

// Four parts in the order of the dotted text: 8.17.12.9573 is part1 8 ... part4
// 9573. A part the text does not supply is 0; all four 0 means "not known".
struct DriverVersionNumber {
    int32_t part1 = 0;
    int32_t part2 = 0;
    int32_t part3 = 0;
    int32_t part4 = 0;

    friend bool operator==(const DriverVersionNumber&, const DriverVersionNumber&) = default;
};

// year * 10000 + month * 100 + day; 0 means "not known". Plain number order is
// calendar order.
using DriverDateNumber = uint32_t;

// Where a version text comes from. The system test reads a registry value
// differently (part 2 below 100 is scaled by 10); the diagnostic ignores this.
enum class VersionSource { Text, Registry };

struct ParsedDriverVersion {
    DriverVersionNumber version;
    // False when the text has fewer than two parts. The parts found so far stay
    // set; only the diagnostic's list-line parser rejects such a text.
    bool ok = false;
};

ParsedDriverVersion ParseDriverVersion(std::u16string_view text, Dialect dialect,
                                       VersionSource source = VersionSource::Text);

struct ParsedDriverDate {
    DriverDateNumber number = 0;  // the number of the text; 0 when not 8 characters
    bool valid = false;           // 2000-3000, month 1-12, day 1-31
};

ParsedDriverDate ParseDriverDate(std::u16string_view text);

// The adapter's date from a CIM datetime such as 20110512000000.000000-000 (its
// first 8 characters). The system test keeps only a valid date; the diagnostic
// keeps any 8-character number.
DriverDateNumber AdapterDriverDate(std::u16string_view cimDateTime, Dialect dialect);

// NVIDIA drivers are compared in their short form: 8.17.12.9573 becomes
// 295.73.0.0. Applies when the caption names NVIDIA in any letter case.
void ApplyNvidiaVersionRule(std::u16string_view caption, DriverVersionNumber& version);

struct DriverVersionComparison {
    bool versionOk = false;  // adapter >= list, part by part
    std::string trace;       // the steps taken, e.g. "GC:iv1==v1-iv2<v2|"
};

// A version as the list and the texts write it: 295.73, 8.911.3,
// 8.15.10.2653; the parts after the second are left out from the last one
// that is not 0.
std::u16string DriverVersionText(const DriverVersionNumber& version);
// A date as the texts write it, yyyy-mm-dd: 2011-07-12.
std::u16string DriverDateText(DriverDateNumber date);

// The system test's comparison of the adapter's version with the list's.
DriverVersionComparison CompareDriverVersion(const DriverVersionNumber& adapter,
                                             const DriverVersionNumber& list);

// Whether the adapter's driver is at least as new as the list requires. An
// unknown adapter date (0) counts as current in the system test only.
bool IsDriverDateCurrent(DriverDateNumber adapterDate, DriverDateNumber listDate, Dialect dialect);
