// The diagnostic's log file name from any computer name and any time fields.
// Input: the computer name, then year, month, day, hour and minute as numbers.
#include "fuzz/fuzz_lines.h"

#include "adapters/diagnostic_contract.h"

namespace {

constexpr size_t kComputerNameLength = 15;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    // GetComputerNameW gives at most 15 characters.
    const std::u16string computer = input.Next().substr(0, kComputerNameLength);
    LocalTime time;
    time.year = input.NextNumber();
    time.month = input.NextNumber();
    time.day = input.NextNumber();
    time.hour = input.NextNumber();
    time.minute = input.NextNumber();
    const std::u16string name = LogFileName(computer, time);
    FUZZ_CHECK(name.starts_with(u"vexmira_"));
    FUZZ_CHECK(name.ends_with(u".txt"));
    return 0;
}
