#include "adapters/card_list_search.h"

#include "adapters/card_list.h"
#include "common/format.h"
#include "common/text.h"

namespace {

constexpr char16_t kCommentMark = u'#';

void PrintMatch(const VideoAdapterRecord& adapter, const CardListEntry& entry, DiagnosticLog& log) {
    const DriverVersionNumber& v = entry.listVersion;
    log.Print(FormatString(u"Match found: %s %d.%d.%d.%d\n",
                           {adapter.caption, v.part1, v.part2, v.part3, v.part4}));
}

// The check of one entry line. Returns the search's final result, or nothing
// when the search goes on with value as the line's result; a matching "CD"
// line whose date the driver does not meet sets currentDriverOutdated.
std::optional<int> EvaluateLine(std::u16string_view line, const VideoAdapterRecord& adapter,
                                DiagnosticLog& log, int& value, bool& currentDriverOutdated) {
    const std::optional<CardListEntry> entry = ParseCardListLine(line, Dialect::Vexmira);
    if (!entry) {
        log.Print(FormatString(u"Invalid line ! %s\n", {line}));
        value = kSearchNothingEnded;
        return std::nullopt;
    }
    if (!MatchCardListEntry(entry->name, adapter.caption, adapter.pnpDeviceId, Dialect::Vexmira)) {
        value = kSearchNoMatch;
        return std::nullopt;
    }
    PrintMatch(adapter, *entry, log);
    int verdict = kSearchDriverCurrent;
    if (!IsDriverDateCurrent(adapter.driverDate, entry->listDate, Dialect::Vexmira)) {
        log.Print(u"The driver is not up to date!\n");
        verdict = kSearchDriverOutdated;
    }
    if (entry->entryCode == kEntryNotSupported) {
        return kSearchNotSupported;
    }
    if (entry->entryCode == kEntryDriverDate) {
        return verdict;
    }
    if (entry->entryCode == kEntryDriverVersion) {
        log.Print(u"Test for driver version...\n");
        log.Print(u"Driver test passed\n");
        return verdict;
    }
    if (entry->entryCode == kEntryCurrentDriver && verdict == kSearchDriverOutdated) {
        currentDriverOutdated = true;
    }
    value = kSearchNothingEnded;  // "CD" and unknown codes
    return std::nullopt;
}

}  // namespace

std::u16string_view WithoutLineBreak(std::u16string_view line) {
    while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n')) {
        line.remove_suffix(1);
    }
    return line;
}

bool IsCardListEntryLine(std::u16string_view line) {
    return !line.empty() && line.front() != kCommentMark;
}

int SearchCardList(const VideoAdapterTable& table, const std::u16string& listPath,
                   CardListMode mode, CardListFiles& files, DiagnosticLog& log) {
    log.Print(FormatString(u"GB-list file %s\n", {listPath}));
    const VideoAdapterRecord* adapter = FirstActiveAdapter(table);
    if (adapter == nullptr) {
        return kSearchNotSupported;
    }
    const DriverVersionNumber& v = adapter->driverVersion;
    log.Print(FormatString(u"Searching for %s (%s) driver version: %d.%d.%d.%d  date: %d...\n\n",
                           {adapter->caption, adapter->pnpDeviceId, v.part1, v.part2, v.part3,
                            v.part4, adapter->driverDate}));

    const std::unique_ptr<CardListLines> lines = files.Open(listPath);
    if (!lines) {
        log.Print(u"GB-list file not found !\n");
        return kSearchNotSupported;
    }

    int result = kSearchNoEntryLine;
    bool currentDriverOutdated = false;
    std::u16string raw;
    while (lines->ReadLine(raw)) {
        const std::u16string_view line = WithoutLineBreak(raw);
        if (!IsCardListEntryLine(line)) {
            continue;
        }
        if (const std::optional<int> final =
                EvaluateLine(line, *adapter, log, result, currentDriverOutdated)) {
            result = *final;
            break;
        }
    }

    if (result == kSearchNoEntryLine) {
        log.Print(u"Error! The video adapters were not found in the list.\n");
        return result;
    }
    if (mode == CardListMode::NamedCardsOnly && result < 0) {
        result = kSearchNotNamed;
    }
    if (currentDriverOutdated && (result == kSearchDriverCurrent || result == kSearchNotNamed)) {
        result = kSearchDriverOutdated;
    }
    return result;
}

CardListMatch ScanCardList(CardListLines* lines, const PrimaryVideoAdapter& adapter,
                           VerboseVideo& verbose) {
    CardListMatch match;
    if (lines == nullptr) {
        return match;
    }
    std::u16string line;
    while (lines->ReadLine(line)) {
        if (!IsCardListEntryLine(line)) {
            continue;
        }
        const std::optional<CardListEntry> entry = ParseCardListLine(line, Dialect::QuarvelSysTest);
        if (!entry || !MatchCardListEntry(entry->name, adapter.caption, adapter.pnpDeviceId,
                                          Dialect::QuarvelSysTest)) {
            continue;
        }
        const DriverVersionComparison comparison =
            CompareDriverVersion(adapter.driverVersion, entry->listVersion);
        const bool dateOk =
            IsDriverDateCurrent(adapter.driverDate, entry->listDate, Dialect::QuarvelSysTest);
        verbose.Show(kComparisonBoxCaption,
                     ComparisonBoxText(entry->listVersion, adapter.driverVersion, comparison,
                                       dateOk, adapter.driverDate, entry->listDate));
        verbose.Show(kTraceBoxCaption, Utf16FromAscii(comparison.trace));

        match.matched = true;
        match.entryCode = entry->entryCode;
        match.listVersion = entry->listVersion;
        match.listDate = entry->listDate;
        match.versionCurrent = comparison.versionOk;
        match.dateCurrent = dateOk;

        if (entry->entryCode == kEntryCurrentDriver) {
            verbose.Show(kListEntryBoxCaption, line);
            if (dateOk) {
                break;
            }
        }
    }
    return match;
}
