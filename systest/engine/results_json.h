// The results of a check run as JSON, for the tools that collect them from
// many computers: UTF-8 without a byte order mark, CR LF line ends. The format
// is described by docs/results.schema.json; every key is stable English, the
// texts are those of the report, in the user's language.
#pragma once

#include "systest/engine/check_sequence.h"

#include <cstdint>
#include <string>
#include <string_view>

std::string FormatResultsJson(const CheckRun& run);

// The text as a JSON string in UTF-8, quotes included. A surrogate without its
// partner, which Windows strings may hold, becomes U+FFFD.
std::string JsonString(std::u16string_view text);

// ISO 8601 local time with its offset from UTC: "2026-12-06T14:05:09+01:00".
std::string FormatLocalTimestamp(const CalendarDate& date, const TimeOfDay& time);
