// One line of the graphics card list in both programs' readings, matched
// against an adapter. Input: the list line, the adapter caption, its PNP
// device id.
#include "fuzz/fuzz_lines.h"

#include "adapters/card_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::u16string line = input.Next();
    const std::u16string caption = input.Next();
    const std::u16string pnpDeviceId = input.Next();
    for (const Dialect dialect : {Dialect::QuarvelSysTest, Dialect::Vexmira}) {
        const std::optional<CardListEntry> entry = ParseCardListLine(line, dialect);
        if (entry) {
            // A list line's date is always a valid one.
            const DriverDateNumber date = entry->listDate;
            FUZZ_CHECK(date / 10000 >= 2000 && date / 10000 <= 3000);
            FUZZ_CHECK(date / 100 % 100 >= 1 && date / 100 % 100 <= 12);
            FUZZ_CHECK(date % 100 >= 1 && date % 100 <= 31);
            MatchCardListEntry(entry->name, caption, pnpDeviceId, dialect);
        }
        MatchCardListEntry(line, caption, pnpDeviceId, dialect);
    }
    return 0;
}
