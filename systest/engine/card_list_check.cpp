#include "systest/engine/card_list_check.h"

#include "adapters/card_list.h"
#include "common/format.h"
#include "common/text.h"
#include "systest/engine/product.h"
#include "systest/resources/string_ids.h"

namespace {

// One text for the list row and the report.
void Set(CheckResult& result, CheckLevel level, std::u16string text) {
    result.level = level;
    result.reportText = text;
    result.displayText = std::move(text);
}

}  // namespace

bool HasAdapterName(const PrimaryVideoAdapter& adapter) {
    return !TrimSpaces(adapter.caption).empty();
}

void DecideCardList(int32_t exitCode, const CardListMatch& match,
                    const PrimaryVideoAdapter& adapter, const StringSource& strings,
                    CheckResult& card, CheckResult& driver) {
    card = {};
    driver = {};
    const std::u16string& code = match.entryCode;
    const DriverVersionNumber& version = adapter.driverVersion;
    const auto notSupported = [&] {
        Set(card, CheckLevel::Warning,
            HasAdapterName(adapter)
                ? FormatString(strings.Load(IDS_CARD_NOT_SUPPORTED), {adapter.caption})
                : strings.Load(IDS_CARD_NOT_SUPPORTED_UNNAMED));
    };

    switch (exitCode) {
        case kDiagnosticNotSupported:
        case kDiagnosticRemoteSession:
            notSupported();
            break;
        case kDiagnosticDriverOutdated:
            if (code == kEntryDriverDate) {
                Set(driver, CheckLevel::Warning,
                    FormatString(strings.Load(IDS_DRIVER_OUTDATED),
                                 {match.listPart1, match.listPart2, version.part1, version.part2}));
            } else if (code == kEntryDriverVersion || code == kEntryCurrentDriver) {
                Set(card, CheckLevel::Warning,
                    FormatString(strings.Load(IDS_CARD_DRIVER_OUTDATED),
                                 {version.part1, version.part2, match.listPart1, match.listPart2}));
            } else {
                notSupported();  // "NG", a code we do not map, or no entry
            }
            break;
        case kDiagnosticSupported:
            if (code == kEntryDriverDate) {
                card.level = CheckLevel::Warning;
                card.displayText = strings.Load(IDS_CARD_DRIVER_CHECK);
                card.reportText =
                    FormatString(strings.Load(IDS_CARD_DRIVER_CHECK_REPORT), {kProductName});
            } else {
                Set(card, CheckLevel::PassedWithMargin, strings.Load(IDS_CARD_SUPPORTED));
            }
            break;
        case kDiagnosticSwitchableGraphics:
            Set(card, CheckLevel::PassedWithMargin, strings.Load(IDS_CARD_SWITCHABLE_SUPPORTED));
            break;
        default:
            break;  // not started, or a code the diagnostic does not give
    }
}
