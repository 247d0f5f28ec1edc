#include "adapters/diagnostic_contract.h"

#include "common/format.h"

std::u16string LogFileName(std::u16string_view computerName, const LocalTime& time) {
    return FormatString(u"vexmira_%s_%d-%d-%d_%02d%02d.txt",
                        {computerName, time.year, time.month, time.day, time.hour, time.minute});
}
