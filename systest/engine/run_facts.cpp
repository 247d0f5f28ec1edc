#include "systest/engine/run_facts.h"

#include "common/win/computer_name.h"
#include "systest/engine/build_date.h"

#include <windows.h>

namespace {

constexpr int64_t kFileTimeUnitsPerMinute = 60LL * 10'000'000LL;

int64_t FileTimeUnits(const SYSTEMTIME& time) {
    FILETIME fileTime = {};
    SystemTimeToFileTime(&time, &fileTime);
    return static_cast<int64_t>((static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) |
                                fileTime.dwLowDateTime);
}

// Local time less UTC. The two clocks are read one after the other, so the
// difference is rounded to whole minutes, which every time zone keeps to.
int32_t UtcOffsetMinutes(const SYSTEMTIME& local, const SYSTEMTIME& utc) {
    const int64_t difference = FileTimeUnits(local) - FileTimeUnits(utc);
    const int64_t half =
        difference < 0 ? -kFileTimeUnitsPerMinute / 2 : kFileTimeUnitsPerMinute / 2;
    return static_cast<int32_t>((difference + half) / kFileTimeUnitsPerMinute);
}

}  // namespace

bool HasInteractiveDesktop() {
    USEROBJECTFLAGS flags{};
    if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                   nullptr)) {
        return true;
    }
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

RunFacts ReadRunFacts() {
    RunFacts facts;
    facts.computerName = ReadComputerName();
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    SYSTEMTIME utc = {};
    GetSystemTime(&utc);
    facts.today = {now.wDay, now.wMonth, now.wYear};
    facts.time = {now.wHour, now.wMinute, now.wSecond, UtcOffsetMinutes(now, utc)};
    facts.buildDateText = kBuildDateText;
    facts.interactiveDesktop = HasInteractiveDesktop();
    return facts;
}
