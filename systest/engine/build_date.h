// The date the program was built, in the form "Feb 20 2012". The build writes
// it into a generated source (stamp_build_date.cmake) that changes once a day,
// so only that source is compiled again.
#pragma once

extern const char16_t kBuildDateText[];
