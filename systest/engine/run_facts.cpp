#include "systest/engine/run_facts.h"

#include "common/win/computer_name.h"
#include "systest/engine/build_date.h"

#include <windows.h>

RunFacts ReadRunFacts() {
    RunFacts facts;
    facts.computerName = ReadComputerName();
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    facts.today = {now.wDay, now.wMonth, now.wYear};
    facts.buildDateText = kBuildDateText;
    return facts;
}
