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

// What the card row says of the card, before a virtual machine's adapter is
// told so.
enum class CardFinding {
    None,          // no card row, or one the list's line decided
    NotSupported,  // the diagnostic failed it, or the list says "NG"
    NotJudged,     // the screens are on different adapters
    NotCertified,  // it passes, and no line of the list certifies it
};

class CardListDecision {
  public:
    CardListDecision(const CardListMatch& match, const PrimaryVideoAdapter& adapter,
                     const StringSource& strings, CheckResult& card, CheckResult& driver)
        : match_(match), adapter_(adapter), strings_(strings), card_(card), driver_(driver) {}

    void Decide(int32_t exitCode);

  private:
    bool Listed(std::u16string_view code) const { return match_.entryCode == code; }
    // Older than the line's version or its date, as this program compares them.
    bool DriverOlderThanLine() const { return !match_.versionCurrent || !match_.dateCurrent; }

    // A driver older than its line's: a "GD" card gets the driver row, a
    // certified one ("GL", "CD") the card row; either shows what was compared.
    void OlderDriver();
    void NotSupported();
    void NotJudged();
    void NotCertified();
    void TellVirtualMachine();

    const CardListMatch& match_;
    const PrimaryVideoAdapter& adapter_;
    const StringSource& strings_;
    CheckResult& card_;
    CheckResult& driver_;
    CardFinding finding_ = CardFinding::None;
};

void CardListDecision::Decide(int32_t exitCode) {
    switch (exitCode) {
        case kDiagnosticNotSupported:
            // Two adapters' screens stop the diagnostic before it tests a card.
            if (adapter_.adaptersDiffer && !Listed(kEntryNotSupported)) {
                NotJudged();
            } else {
                NotSupported();
            }
            break;
        case kDiagnosticRemoteSession:
            // Nothing was tested, not even whether the machine is a virtual one.
            Set(card_, CheckLevel::Warning, strings_.Load(IDS_GRAPHICS_REMOTE_SESSION));
            return;
        case kDiagnosticDriverOutdated:
            if (Listed(kEntryDriverDate) || Listed(kEntryDriverVersion) ||
                Listed(kEntryCurrentDriver)) {
                OlderDriver();
            } else {
                NotSupported();  // "NG", a code we do not map, or no entry
            }
            break;
        case kDiagnosticSupported:
            // The list keeps its verdict on the cards it names, whatever the
            // OpenGL version that let the diagnostic pass them.
            if (Listed(kEntryNotSupported)) {
                NotSupported();
            } else if ((Listed(kEntryDriverDate) || Listed(kEntryDriverVersion) ||
                        Listed(kEntryCurrentDriver)) &&
                       DriverOlderThanLine()) {
                OlderDriver();
            } else if (Listed(kEntryDriverDate)) {
                card_.level = CheckLevel::Warning;
                card_.displayText = strings_.Load(IDS_CARD_DRIVER_CHECK);
                card_.reportText =
                    FormatString(strings_.Load(IDS_CARD_DRIVER_CHECK_REPORT), {kProductName});
            } else if (Listed(kEntryDriverVersion)) {
                Set(card_, CheckLevel::PassedWithMargin, strings_.Load(IDS_CARD_SUPPORTED));
            } else {
                NotCertified();  // a "CD" line asks for a driver, it certifies no card
            }
            break;
        case kDiagnosticSwitchableGraphics:
            Set(card_, CheckLevel::PassedWithMargin, strings_.Load(IDS_CARD_SWITCHABLE_SUPPORTED));
            break;
        default:
            break;  // not started, or a code the diagnostic does not give
    }
    if (IsVirtualMachineAdapter(adapter_.pnpDeviceId)) {
        TellVirtualMachine();
    }
}

void CardListDecision::OlderDriver() {
    // The dates tell when the versions do not (an older build of the same
    // version); a driver of unknown date is told by its version.
    const bool byDate = match_.versionCurrent && adapter_.driverDate != 0;
    const std::u16string installed =
        byDate ? DriverDateText(adapter_.driverDate) : DriverVersionText(adapter_.driverVersion);
    const std::u16string listed =
        byDate ? DriverDateText(match_.listDate) : DriverVersionText(match_.listVersion);
    if (Listed(kEntryDriverDate)) {
        Set(driver_, CheckLevel::Warning,
            FormatString(strings_.Load(byDate ? IDS_DRIVER_OLDER_DATE : IDS_DRIVER_OLDER_VERSION),
                         {listed, installed}));
    } else {
        Set(card_, CheckLevel::Warning,
            FormatString(
                strings_.Load(byDate ? IDS_CARD_DRIVER_OLDER_DATE : IDS_CARD_DRIVER_OLDER_VERSION),
                {installed, listed}));
    }
}

void CardListDecision::NotSupported() {
    finding_ = CardFinding::NotSupported;
    Set(card_, CheckLevel::Warning,
        HasAdapterName(adapter_)
            ? FormatString(strings_.Load(IDS_CARD_NOT_SUPPORTED), {adapter_.caption})
            : strings_.Load(IDS_CARD_NOT_SUPPORTED_UNNAMED));
}

void CardListDecision::NotJudged() {
    finding_ = CardFinding::NotJudged;
    Set(card_, CheckLevel::Warning, strings_.Load(IDS_CARD_SCREENS_ON_DIFFERENT_ADAPTERS));
}

void CardListDecision::NotCertified() {
    // It passes: nothing is missing, but the margin of a certified card is.
    finding_ = CardFinding::NotCertified;
    Set(card_, CheckLevel::Passed,
        HasAdapterName(adapter_)
            ? FormatString(strings_.Load(IDS_CARD_NOT_CERTIFIED), {adapter_.caption})
            : strings_.Load(IDS_CARD_NOT_CERTIFIED_UNNAMED));
}

void CardListDecision::TellVirtualMachine() {
    switch (finding_) {
        case CardFinding::NotSupported:
        case CardFinding::NotJudged:
            Set(card_, card_.level, strings_.Load(IDS_CARD_VIRTUAL_MACHINE_NOT_SUPPORTED));
            break;
        case CardFinding::NotCertified:
            Set(card_, card_.level, strings_.Load(IDS_CARD_VIRTUAL_MACHINE));
            break;
        case CardFinding::None:
            break;  // a line of the list named the card: its text stands
    }
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
    CardListDecision(match, adapter, strings, card, driver).Decide(exitCode);
}
