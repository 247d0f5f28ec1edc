// Driver version and date texts as both programs read them, from the list and
// from the system, and the rules that compare them. Input: a version text, a
// date text and an adapter caption.
#include "fuzz/fuzz_lines.h"

#include "adapters/driver_version.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::u16string versionText = input.Next();
    const std::u16string dateText = input.Next();
    const std::u16string caption = input.Next();

    const ParsedDriverDate date = ParseDriverDate(dateText);
    FUZZ_CHECK(!date.valid || dateText.size() == 8);
    for (const Dialect dialect : {Dialect::QuarvelSysTest, Dialect::Vexmira}) {
        const DriverDateNumber adapterDate = AdapterDriverDate(dateText, dialect);
        for (const VersionSource source : {VersionSource::Text, VersionSource::Registry}) {
            ParsedDriverVersion adapter = ParseDriverVersion(versionText, dialect, source);
            ApplyNvidiaVersionRule(caption, adapter.version);
            const ParsedDriverVersion list = ParseDriverVersion(versionText + u".", dialect);
            const DriverVersionComparison comparison =
                CompareDriverVersion(adapter.version, list.version);
            FUZZ_CHECK(comparison.trace.starts_with("GC:"));
            // The comparison is an order: a version is never below itself.
            FUZZ_CHECK(CompareDriverVersion(list.version, list.version).versionOk);
            const DriverVersionComparison reversed =
                CompareDriverVersion(list.version, adapter.version);
            FUZZ_CHECK(comparison.versionOk || reversed.versionOk);
            IsDriverDateCurrent(adapterDate, date.number, dialect);
        }
    }
    return 0;
}
