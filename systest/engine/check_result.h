// What a check delivers.
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
