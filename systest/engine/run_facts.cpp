#include "systest/engine/run_facts.h"

#include "common/win/computer_name.h"
#include "common/win/handles.h"
#include "common/win/windows_version.h"
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

// Whether the process runs on the desktop the user sees (IsInteractiveDesktop).
bool HasInteractiveDesktop() {
    DesktopFacts facts;
    USEROBJECTFLAGS flags{};
    if (GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                  nullptr)) {
        facts.visibleWindowStation = (flags.dwFlags & WSF_VISIBLE) != 0;
    }
    // Windows XP's kernel32 has it; Microsoft documents it from Vista on.
    const auto processIdToSessionId =
        ResolveFunction<BOOL(DWORD, DWORD*)>(L"kernel32.dll", "ProcessIdToSessionId");
    DWORD session = 0;
    if (processIdToSessionId != nullptr && processIdToSessionId(GetCurrentProcessId(), &session)) {
        facts.session = session;
    }
    facts.windows = RunningWindowsVersion();
    return IsInteractiveDesktop(facts);
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
