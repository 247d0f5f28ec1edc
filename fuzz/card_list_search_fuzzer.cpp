// A whole graphics card list read by both programs: the diagnostic's search in
// both modes and the system test's scan. Input: the adapter's caption, PNP
// device id, driver version text and driver date text, then the list's lines.
#include "fuzz/fuzz_lines.h"

#include "adapters/card_list_search.h"
#include "adapters/tests/memory_card_list.h"
#include "adapters/tests/recorded_output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::u16string caption = input.Next();
    const std::u16string pnpDeviceId = input.Next();
    const std::u16string version = input.Next();
    const std::u16string date = input.Next();
    const std::vector<std::u16string> lines = input.Rest();

    VideoAdapterTable table{};
    VideoAdapterRecord& record = table[0];
    record.active = true;
    record.caption = ToUpperAscii(caption);
    record.pnpDeviceId = ToUpperAscii(pnpDeviceId);
    record.driverVersion = ParseDriverVersion(version, Dialect::Vexmira).version;
    ApplyNvidiaVersionRule(record.caption, record.driverVersion);
    record.driverDate = AdapterDriverDate(date, Dialect::Vexmira);
    for (const CardListMode mode : {CardListMode::Full, CardListMode::NamedCardsOnly}) {
        MemoryListFiles files(lines);
        MemoryLog log;
        const int result = SearchCardList(table, u"GraphicsCardGBList.txt", mode, files, log);
        if (mode == CardListMode::Full) {
            FUZZ_CHECK(result == kSearchNoEntryLine ||
                       (result >= kSearchNoMatch && result <= kSearchDriverOutdated));
        } else {
            FUZZ_CHECK(result == kSearchNoEntryLine ||
                       (result >= kSearchNotSupported && result <= kSearchNotNamed));
        }
    }

    PrimaryVideoAdapter adapter;
    adapter.caption = caption;
    adapter.pnpDeviceId = pnpDeviceId;
    adapter.driverVersion = ParseDriverVersion(version, Dialect::QuarvelSysTest).version;
    ApplyNvidiaVersionRule(adapter.caption, adapter.driverVersion);
    adapter.driverDate = AdapterDriverDate(date, Dialect::QuarvelSysTest);
    MemoryCardListLines listLines(lines);
    RecordedVideo verbose;
    const CardListMatch match = ScanCardList(&listLines, adapter, verbose);
    FUZZ_CHECK(match.matched || match.entryCode.empty());
    return 0;
}
