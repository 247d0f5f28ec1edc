#include "systest/engine/run_facts.h"

#include "common/win/wide.h"
#include "systest/engine/build_date.h"

#include <windows.h>

namespace {

constexpr DWORD kComputerNameUnits = 64;

}  // namespace

RunFacts ReadRunFacts() {
    RunFacts facts;
    wchar_t name[kComputerNameUnits];
    DWORD length = kComputerNameUnits;
    if (GetComputerNameW(name, &length)) {
        facts.computerName = FromWide(std::wstring_view(name, length));
    }
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    facts.today = {now.wDay, now.wMonth, now.wYear};
    facts.buildDateText = kBuildDateText;
    return facts;
}
