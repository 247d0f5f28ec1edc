#include "adapters/card_list.h"

#include "common/text.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char16_t kFieldSeparator = u',';
constexpr char16_t kBlank = u' ';
constexpr std::u16string_view kPnpPrefix = u"pci";

// The diagnostic copies a line into a buffer of 1024 units before splitting it.
constexpr size_t kVexmiraLineLimit = 1023;
// The diagnostic's entry code is the first two characters after the date.
constexpr size_t kVexmiraEntryCodeLength = 2;

constexpr size_t npos = std::u16string_view::npos;

// A list version is read with one dot appended, so "295.73" reads as
// 295.73.0.0 in both dialects.
ParsedDriverVersion ParseListVersion(std::u16string_view text, Dialect dialect) {
    std::u16string dotted(text);
    dotted += u'.';
    return ParseDriverVersion(dotted, dialect);
}

// Gives no entry and says why.
std::nullopt_t Reject(CardListLineFault why, CardListLineFault& fault) {
    fault = why;
    return std::nullopt;
}

std::optional<CardListEntry> ParseByTokens(std::u16string_view line, CardListLineFault& fault) {
    line = line.substr(0, kVexmiraLineLimit);
    CardListEntry entry;

    // Leading commas are skipped, so an empty name field shifts every field.
    const size_t nameStart = line.find_first_not_of(kFieldSeparator);
    if (nameStart == npos) {
        return Reject(CardListLineFault::OnlyCommas, fault);
    }
    const size_t nameEnd = line.find(kFieldSeparator, nameStart);
    if (nameEnd == npos || nameEnd + 1 == line.size()) {
        return Reject(CardListLineFault::NothingAfterName, fault);
    }
    entry.name = line.substr(nameStart, nameEnd - nameStart);

    size_t dateStart = 0;
    if (line[nameEnd + 1] == kFieldSeparator) {
        dateStart = nameEnd + 2;  // empty version field: 0.0.0.0
    } else {
        const size_t versionStart = nameEnd + 1;
        const size_t versionEnd = line.find(kFieldSeparator, versionStart);
        const std::u16string_view versionText =
            line.substr(versionStart, versionEnd == npos ? npos : versionEnd - versionStart);
        const ParsedDriverVersion version = ParseListVersion(versionText, Dialect::Vexmira);
        if (!version.ok) {
            return Reject(CardListLineFault::VersionTooShort, fault);
        }
        if (versionEnd == npos) {
            return Reject(CardListLineFault::NoDate, fault);
        }
        entry.listVersion = version.version;
        dateStart = versionEnd + 1;
    }

    if (dateStart >= line.size() || line[dateStart] == kFieldSeparator) {
        return Reject(CardListLineFault::NoDate, fault);
    }
    const size_t dateEnd = line.find(kFieldSeparator, dateStart);
    const ParsedDriverDate date =
        ParseDriverDate(line.substr(dateStart, dateEnd == npos ? npos : dateEnd - dateStart));
    if (!date.valid) {
        return Reject(CardListLineFault::InvalidDate, fault);
    }
    entry.listDate = date.number;
    if (dateEnd != npos) {
        entry.entryCode = line.substr(dateEnd + 1, kVexmiraEntryCodeLength);
    }
    return entry;
}

std::optional<CardListEntry> ParseByPosition(std::u16string_view line, CardListLineFault& fault) {
    const size_t first = line.find(kFieldSeparator);
    const size_t second = first == npos ? npos : line.find(kFieldSeparator, first + 1);
    const size_t third = second == npos ? npos : line.find(kFieldSeparator, second + 1);
    if (third == npos) {
        return Reject(CardListLineFault::TooFewCommas, fault);
    }
    const ParsedDriverDate date = ParseDriverDate(line.substr(second + 1, third - second - 1));
    if (!date.valid) {
        return Reject(
            second + 1 == third ? CardListLineFault::NoDate : CardListLineFault::InvalidDate,
            fault);
    }
    CardListEntry entry;
    entry.name = line.substr(0, first);
    // Whatever the version field holds, its readable parts are used.
    entry.listVersion =
        ParseListVersion(line.substr(first + 1, second - first - 1), Dialect::QuarvelSysTest)
            .version;
    entry.listDate = date.number;
    entry.entryCode = line.substr(third + 1);
    return entry;
}

// The C run-time's iswspace in the "C" locale.
bool IsWhiteSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

std::u16string_view Trim(std::u16string_view text, Dialect dialect) {
    const auto isTrimmed = [dialect](char16_t c) {
        return dialect == Dialect::QuarvelSysTest ? IsWhiteSpace(c) : c == kBlank;
    };
    while (!text.empty() && isTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string Fold(std::u16string_view text, Dialect dialect) {
    return dialect == Dialect::QuarvelSysTest ? ToLowerAscii(text) : ToUpperAscii(text);
}

// A word must stand at a word start and must not run on into a model number
// ("58" in "580") or a mobile suffix ("8600" in "8600M").
bool WordRunsOn(char16_t next) {
    return IsAsciiDigit(next) || ToLowerAscii(next) == u'm';
}

// Each word must stand somewhere in the caption at a word start without
// running on. Its first occurrence alone is not enough to judge: in "GeForce
// GTX TITAN X" the word "X" first occurs inside "GTX".
bool StandsAsWord(std::u16string_view text, std::u16string_view word) {
    for (size_t at = text.find(word); at != npos; at = text.find(word, at + 1)) {
        const size_t after = at + word.size();
        if (at > 0 && text[at - 1] == kBlank &&
            (after == text.size() || !WordRunsOn(text[after]))) {
            return true;
        }
    }
    return false;
}

// The words of a name: split at blanks, empty ones skipped.
std::vector<std::u16string_view> Words(std::u16string_view name) {
    std::vector<std::u16string_view> words;
    size_t start = 0;
    while (start < name.size()) {
        size_t end = name.find(kBlank, start);
        if (end == npos) {
            end = name.size();
        }
        if (end > start) {
            words.push_back(name.substr(start, end - start));
        }
        start = end + 1;
    }
    return words;
}

bool MatchWords(std::u16string_view name, std::u16string_view caption) {
    std::u16string text(1, kBlank);
    text += caption;
    for (const std::u16string_view word : Words(name)) {
        if (!StandsAsWord(text, word)) {
            return false;
        }
    }
    return true;
}

// Wherever word stands as a word of a caption, the shorter prefix stands
// there too, unless the word runs on after it.
bool BeginsWithoutRunningOn(std::u16string_view word, std::u16string_view prefix) {
    return word.starts_with(prefix) &&
           (word.size() == prefix.size() || !WordRunsOn(word[prefix.size()]));
}

}  // namespace

std::optional<CardListEntry> ParseCardListLine(std::u16string_view line, Dialect dialect,
                                               CardListLineFault* fault) {
    CardListLineFault why = CardListLineFault::None;
    std::optional<CardListEntry> entry =
        dialect == Dialect::Vexmira ? ParseByTokens(line, why) : ParseByPosition(line, why);
    if (fault != nullptr) {
        *fault = why;
    }
    return entry;
}

bool IsPnpFragment(std::u16string_view name) {
    return name.size() >= kPnpPrefix.size() &&
           ToLowerAscii(name.substr(0, kPnpPrefix.size())) == kPnpPrefix;
}

bool MatchCardListEntry(std::u16string_view name, std::u16string_view caption,
                        std::u16string_view pnpDeviceId, Dialect dialect) {
    const std::u16string foldedName = Fold(Trim(name, dialect), dialect);
    if (IsPnpFragment(foldedName)) {
        return Fold(pnpDeviceId, dialect).find(foldedName) != npos;
    }
    return MatchWords(foldedName, Fold(caption, dialect));
}

bool CardListNameCovers(std::u16string_view general, std::u16string_view specific,
                        Dialect dialect) {
    const std::u16string generalName = Fold(Trim(general, dialect), dialect);
    const std::u16string specificName = Fold(Trim(specific, dialect), dialect);
    if (IsPnpFragment(generalName)) {
        return IsPnpFragment(specificName) && specificName.find(generalName) != npos;
    }
    const std::vector<std::u16string_view> generalWords = Words(generalName);
    if (IsPnpFragment(specificName)) {
        return generalWords.empty();
    }
    const std::vector<std::u16string_view> specificWords = Words(specificName);
    return std::all_of(generalWords.begin(), generalWords.end(), [&](std::u16string_view word) {
        return std::any_of(
            specificWords.begin(), specificWords.end(),
            [&](std::u16string_view own) { return BeginsWithoutRunningOn(own, word); });
    });
}
