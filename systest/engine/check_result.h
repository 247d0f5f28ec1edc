// What a check delivers and what the results list shows of it.
#pragma once

#include <cstdint>
#include <string>

// The verdict of one check. The overall verdict is the lowest level of all
// checks that produced a row; NoRows when none did.
enum class CheckLevel : int32_t {
    NoResult = 0,  // nothing to show: no row
    Failed = 1,    // the minimum requirement is not met
    Warning = 2,   // the minimum is met but not the recommendation, or not judged exactly
    Passed = 3,
    PassedWithMargin = 4,
    NoRows = 5,  // overall level only: no check produced a row
};

struct CheckResult {
    CheckLevel level = CheckLevel::NoResult;
    std::u16string displayText;  // shown in the results list
    std::u16string reportText;   // written to the report; most checks repeat displayText
};

// Indexes of the status image strip (bitmap 103).
enum StatusImage : int32_t {
    kStatusImageNone = -1,
    kStatusImageFailed = 0,
    kStatusImageWarning = 1,
    kStatusImagePassed = 2,
};

// One row of the results list, in the order the list stores it.
struct ResultRow {
    int32_t image = kStatusImageNone;  // StatusImage index
    std::u16string text;               // the check's description, sub-item 1
    std::u16string status;             // the status word, sub-item 0
};
