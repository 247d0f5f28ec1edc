#include "cardlist/check.h"

#include "adapters/card_list.h"
#include "adapters/card_list_search.h"
#include "cardlist/list_readings.h"
#include "adapters/driver_version.h"
#include "common/text.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace {

constexpr std::array<std::u16string_view, 4> kEntryCodes = {
    kEntryNotSupported, kEntryDriverDate, kEntryDriverVersion, kEntryCurrentDriver};
// Codes that end Vexmira's search when their line matches.
constexpr std::array<std::u16string_view, 3> kFinalCodes = {kEntryNotSupported, kEntryDriverDate,
                                                            kEntryDriverVersion};
// Names of NVIDIA adapters, whose versions both programs compare in their
// short form.
constexpr std::array<std::u16string_view, 7> kNvidiaNames = {
    u"nvidia", u"geforce", u"quadro", u"nvs", u"tesla", u"titan", u"ven_10de"};

constexpr unsigned char kLastAsciiByte = 0x7F;
constexpr char kEndOfFileMark = '\x1A';

template <size_t N>
bool IsOneOf(std::u16string_view code, const std::array<std::u16string_view, N>& codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::u16string Number(int64_t number) {
    return Utf16FromAscii(std::to_string(number));
}

// In quotes, a long text cut short, a control character as \xNN.
std::u16string Quoted(std::u16string_view text) {
    constexpr size_t kShown = 40;
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string quoted = u"\"";
    for (const char16_t c : text.substr(0, kShown)) {
        if (c < u' ' || c == 0x7F) {
            quoted += {u'\\', u'x', kHex[c >> 4], kHex[c & 0xF]};
        } else {
            quoted += c;
        }
    }
    return quoted + (text.size() > kShown ? u"...\"" : u"\"");
}

std::u16string FaultText(CardListLineFault fault) {
    switch (fault) {
        case CardListLineFault::TooFewCommas:
            return u"it has fewer than three commas (name,version,date,code)";
        case CardListLineFault::OnlyCommas:
            return u"it holds nothing but commas";
        case CardListLineFault::NothingAfterName:
            return u"no field follows the name";
        case CardListLineFault::VersionTooShort:
            return u"the version has fewer than two parts (295.73, not 295)";
        case CardListLineFault::NoDate:
            return u"the date is missing";
        case CardListLineFault::InvalidDate:
            return u"the date is not yyyymmdd of a year from 2000 to 3000";
        case CardListLineFault::None:
            break;
    }
    return {};
}

class Findings {
  public:
    void Add(int line, std::u16string text) { findings_.push_back({line, std::move(text)}); }
    std::vector<Finding> Sorted() {
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(findings_);
    }

  private:
    std::vector<Finding> findings_;
};

// What the bytes of one line of the file hold that the programs read
// differently. Vexmira's stream reads 255 characters at a time, each byte as
// the character of its value, a lone carriage return as part of the line, a
// zero byte as the end of its line and Ctrl+Z as the end of the file;
// QuarvelSysTest reads the bytes in the ANSI code page and ends a line at a
// lone carriage return.
void CheckLineBytes(int line, std::string_view bytes, Findings& findings) {
    if (bytes.ends_with('\r')) {
        bytes.remove_suffix(1);  // of CR LF
    }
    if (bytes.size() > kVexmiraPieceLength) {
        findings.Add(line, Number(static_cast<int64_t>(bytes.size())) +
                               u" characters: Vexmira reads 255 at a time and takes the rest as "
                               u"lines of their own");
    }
    const auto column = [](size_t at) {
        return u" in column " + Number(static_cast<int64_t>(at) + 1);
    };
    const auto high = std::find_if(bytes.begin(), bytes.end(), [](char byte) {
        return static_cast<unsigned char>(byte) > kLastAsciiByte;
    });
    if (high != bytes.end()) {
        findings.Add(line, u"a byte above 127" + column(static_cast<size_t>(high - bytes.begin())) +
                               u": the programs read it as different characters; keep the file "
                               u"ASCII");
    }
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r') {
            findings.Add(line, u"a carriage return without a line feed" + column(at) +
                                   u": QuarvelSysTest ends the line there, Vexmira does not");
        } else if (bytes[at] == '\0') {
            findings.Add(line, u"a zero byte" + column(at) + u": Vexmira's line ends there");
        } else if (bytes[at] == kEndOfFileMark) {
            findings.Add(line, u"Ctrl+Z (byte 26)" + column(at) + u": Vexmira reads no further");
        }
    }
}

// The byte-order mark, then the bytes of each line.
void CheckBytes(std::string_view bytes, TextEncoding encoding, Findings& findings) {
    switch (encoding) {
        case TextEncoding::Ansi:
            break;
        case TextEncoding::Utf8:
            findings.Add(1,
                         u"a UTF-8 byte-order mark: Vexmira knows none and reads it as three "
                         u"characters at the start of this line");
            bytes.remove_prefix(3);
            break;
        case TextEncoding::Utf16LittleEndian:
        case TextEncoding::Utf16BigEndian:
            findings.Add(1,
                         u"UTF-16 (a byte-order mark): Vexmira reads each line only up to "
                         u"its first zero byte and finds no entry; save the list as ASCII");
            return;
    }
    int line = 1;
    size_t start = 0;
    while (start <= bytes.size()) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        CheckLineBytes(line++, bytes.substr(start, end - start), findings);
        start = end + 1;
    }
}

// One line of the file that either program takes for an entry line: each
// one's entry, or its fault.
struct EntryReading {
    int line = 0;
    bool sysTestEntry = false;  // QuarvelSysTest reads it as an entry line
    std::optional<CardListEntry> sysTest;
    CardListLineFault sysTestFault = CardListLineFault::None;
    bool vexmiraEntry = false;  // Vexmira read it whole, as an entry line
    std::optional<CardListEntry> vexmira;
    CardListLineFault vexmiraFault = CardListLineFault::None;
    bool emptyName = false;  // nothing but blanks before the first comma
};

void CheckRejection(const EntryReading& entry, Findings& findings) {
    const bool sysTestRejects = entry.sysTestEntry && !entry.sysTest;
    const bool vexmiraRejects = entry.vexmiraEntry && !entry.vexmira;
    if (sysTestRejects && vexmiraRejects) {
        findings.Add(entry.line, u"both programs reject it: QuarvelSysTest as " +
                                     FaultText(entry.sysTestFault) + u", Vexmira as " +
                                     FaultText(entry.vexmiraFault));
    } else if (sysTestRejects) {
        findings.Add(entry.line, u"QuarvelSysTest rejects it: " + FaultText(entry.sysTestFault));
    } else if (vexmiraRejects) {
        findings.Add(entry.line,
                     std::u16string(entry.sysTestEntry ? u"Vexmira rejects it: "
                                                       : u"Vexmira reads an entry line here and "
                                                         u"rejects it: ") +
                         (entry.emptyName ? u"the name is empty, and Vexmira skips an empty "
                                            u"field: it reads the version as the name and each "
                                            u"field after it one place early"
                                          : FaultText(entry.vexmiraFault)));
    }
}

// Fields that both programs read, but as different values.
bool CheckFields(const EntryReading& entry, Findings& findings) {
    if (!entry.sysTest || !entry.vexmira) {
        return true;
    }
    const CardListEntry& s = *entry.sysTest;
    const CardListEntry& v = *entry.vexmira;
    const auto differ = [&](const char16_t* field, const std::u16string& sysTest,
                            const std::u16string& vexmira) {
        findings.Add(entry.line, u"the programs read the " + std::u16string(field) +
                                     u" differently: QuarvelSysTest as " + Quoted(sysTest) +
                                     u", Vexmira as " + Quoted(vexmira));
    };
    const bool same = s.name == v.name && s.listVersion == v.listVersion &&
                      s.listDate == v.listDate && s.entryCode == v.entryCode;
    if (s.name != v.name) {
        differ(u"name", s.name, v.name);
    }
    if (s.listVersion != v.listVersion) {
        differ(u"version", DriverVersionText(s.listVersion), DriverVersionText(v.listVersion));
    }
    if (s.entryCode != v.entryCode) {
        differ(
            u"entry code (QuarvelSysTest takes all text after the third comma, Vexmira two "
            u"characters)",
            s.entryCode, v.entryCode);
    }
    return same;
}

bool IsNvidiaName(std::u16string_view name) {
    const std::u16string lowered = ToLowerAscii(name);
    return std::any_of(kNvidiaNames.begin(), kNvidiaNames.end(), [&](std::u16string_view part) {
        return lowered.find(part) != std::u16string::npos;
    });
}

void CheckCode(int line, std::u16string_view code, Findings& findings) {
    if (IsOneOf(code, kEntryCodes)) {
        return;
    }
    const std::u16string upper = ToUpperAscii(code);
    if (code.empty()) {
        findings.Add(line, u"no entry code: neither program counts the line");
    } else if (IsOneOf(std::u16string_view(upper), kEntryCodes)) {
        findings.Add(line, u"entry code " + Quoted(code) +
                               u" is not in capitals: neither program counts it as " +
                               Quoted(upper));
    } else {
        findings.Add(line,
                     u"unknown entry code " + Quoted(code) + u": the codes are NG, GD, GL and CD");
    }
}

void CheckEntry(int line, const CardListEntry& entry, Findings& findings) {
    if (TrimSpaces(entry.name).empty()) {
        findings.Add(line, u"the name is empty: QuarvelSysTest matches every adapter with it");
    }
    const DriverVersionNumber& version = entry.listVersion;
    if (IsNvidiaName(entry.name) &&
        (version.part2 >= 100 || version.part3 != 0 || version.part4 != 0)) {
        DriverVersionNumber shortForm = version;
        ApplyNvidiaVersionRule(u"NVIDIA", shortForm);
        findings.Add(line, u"NVIDIA version " + DriverVersionText(version) +
                               u" in its long form: both programs compare the short form, here " +
                               DriverVersionText(shortForm));
    }
}

std::u16string NameAt(int line, const CardListEntry& entry) {
    return u"line " + Number(line) + u" (" + Quoted(entry.name) + u")";
}

// The lines as "line 3", "lines 3 and 4", "lines 3, 4, 5, 6, 7 and 35 more".
std::u16string LinesText(const std::vector<int>& lines) {
    constexpr size_t kNamed = 5;
    std::u16string text = lines.size() == 1 ? u"line " : u"lines ";
    const size_t named = lines.size() > kNamed ? kNamed : lines.size() - 1;
    for (size_t i = 0; i < named; ++i) {
        text += (i == 0 ? u"" : u", ") + Number(lines[i]);
    }
    if (lines.size() > kNamed) {
        return text + u" and " + Number(static_cast<int64_t>(lines.size() - kNamed)) + u" more";
    }
    return text + (lines.size() == 1 ? u"" : u" and ") + Number(lines.back());
}

// Entries that never decide because of their place: Vexmira stops at the
// first line that matches with a code that ends its search, QuarvelSysTest
// takes the last line that matches (only a "CD" line whose date the driver
// meets stops its scan). A line that keeps one other from deciding has the
// finding on that other line; one that keeps several, on itself.
void CheckOrder(const std::vector<std::pair<int, CardListEntry>>& entries, Findings& findings) {
    std::vector<bool> reported(entries.size(), false);
    std::vector<std::vector<size_t>> shadowed(entries.size());    // by Vexmira's first match
    std::vector<std::vector<size_t>> overridden(entries.size());  // by QuarvelSysTest's last
    for (size_t j = 0; j < entries.size(); ++j) {
        const auto& [line, entry] = entries[j];
        for (size_t i = 0; i < j; ++i) {
            const auto& [earlierLine, earlier] = entries[i];
            const bool covers = CardListNameCovers(earlier.name, entry.name, Dialect::Vexmira);
            const bool coveredBy = CardListNameCovers(entry.name, earlier.name, Dialect::Vexmira);
            if (covers && coveredBy) {
                const bool sameValues = earlier.listVersion == entry.listVersion &&
                                        earlier.listDate == entry.listDate &&
                                        earlier.entryCode == entry.entryCode;
                findings.Add(line, u"duplicate of " + NameAt(earlierLine, earlier) +
                                       (sameValues ? u""
                                                   : u" with other values: Vexmira takes "
                                                     u"the first, QuarvelSysTest the last"));
                break;
            }
            if (covers && IsOneOf(std::u16string_view(earlier.entryCode), kFinalCodes)) {
                shadowed[i].push_back(j);
                break;
            }
        }
        for (size_t i = 0; i < j; ++i) {
            const auto& [earlierLine, earlier] = entries[i];
            if (!reported[i] && earlier.entryCode != kEntryCurrentDriver &&
                CardListNameCovers(entry.name, earlier.name, Dialect::QuarvelSysTest) &&
                !CardListNameCovers(earlier.name, entry.name, Dialect::QuarvelSysTest)) {
                reported[i] = true;
                overridden[j].push_back(i);
            }
        }
    }
    const auto lines = [&](const std::vector<size_t>& indexes) {
        std::vector<int> numbers;
        for (const size_t index : indexes) {
            numbers.push_back(entries[index].first);
        }
        return numbers;
    };
    for (size_t culprit = 0; culprit < entries.size(); ++culprit) {
        const auto& [line, entry] = entries[culprit];
        const std::vector<size_t>& later = shadowed[culprit];
        if (later.size() == 1) {
            findings.Add(entries[later.front()].first,
                         u"never reached by Vexmira: " + NameAt(line, entry) +
                             u" matches every adapter this line names, and Vexmira stops there "
                             u"(QuarvelSysTest takes this line)");
        } else if (later.size() > 1) {
            findings.Add(line, u"Vexmira never reaches " +
                                   Number(static_cast<int64_t>(later.size())) + u" later lines (" +
                                   LinesText(lines(later)) +
                                   u"): this line matches every adapter they name, and Vexmira "
                                   u"stops here (QuarvelSysTest takes them)");
        }
        const std::vector<size_t>& earlier = overridden[culprit];
        if (earlier.size() == 1) {
            findings.Add(entries[earlier.front()].first,
                         u"never decides QuarvelSysTest: " + NameAt(line, entry) +
                             u" matches every adapter this line names, and QuarvelSysTest takes "
                             u"the last match (Vexmira takes this line)");
        } else if (earlier.size() > 1) {
            findings.Add(line, u"keeps " + Number(static_cast<int64_t>(earlier.size())) +
                                   u" earlier lines (" + LinesText(lines(earlier)) +
                                   u") from deciding QuarvelSysTest: this line matches every "
                                   u"adapter they name, and QuarvelSysTest takes the last match "
                                   u"(Vexmira takes them)");
        }
    }
}

// A list without an entry line fails every adapter in Vexmira.
void CheckHasEntries(const std::vector<ListLine>& vexmira, Findings& findings) {
    if (std::none_of(vexmira.begin(), vexmira.end(), [](const ListLine& line) {
            return IsCardListEntryLine(WithoutLineBreak(line.text));
        })) {
        findings.Add(0, u"no entry line: Vexmira finds no adapter in the list");
    }
}

std::vector<EntryReading> ReadEntries(const ListReadings& readings, bool vexmiraReadable) {
    std::map<int, std::vector<std::u16string_view>> sysTestLines;
    std::map<int, std::vector<std::u16string_view>> vexmiraLines;
    for (const ListLine& line : readings.quarvelSysTest) {
        sysTestLines[line.number].push_back(line.text);
    }
    if (vexmiraReadable) {
        for (const ListLine& line : readings.vexmira) {
            vexmiraLines[line.number].push_back(WithoutLineBreak(line.text));
        }
    }
    std::vector<EntryReading> entries;
    for (const auto& [number, lines] : sysTestLines) {
        const auto vexmira = vexmiraLines.find(number);
        // Only a line that both read whole compares; the byte check tells
        // why another one differs.
        const bool whole =
            lines.size() == 1 && vexmira != vexmiraLines.end() && vexmira->second.size() == 1;
        for (const std::u16string_view text : lines) {
            EntryReading entry;
            entry.line = number;
            entry.emptyName = TrimSpaces(text.substr(0, text.find(u','))).empty();
            entry.sysTestEntry = IsCardListEntryLine(text);
            if (entry.sysTestEntry) {
                entry.sysTest =
                    ParseCardListLine(text, Dialect::QuarvelSysTest, &entry.sysTestFault);
            }
            entry.vexmiraEntry = whole && IsCardListEntryLine(vexmira->second.front());
            if (entry.vexmiraEntry) {
                entry.vexmira = ParseCardListLine(vexmira->second.front(), Dialect::Vexmira,
                                                  &entry.vexmiraFault);
            }
            if (entry.sysTestEntry || entry.vexmiraEntry) {
                entries.push_back(std::move(entry));
            }
        }
    }
    return entries;
}

}  // namespace

std::vector<Finding> CheckCardList(std::string_view bytes) {
    Findings findings;
    const ListReadings readings = ReadAsBothPrograms(bytes);
    CheckBytes(bytes, readings.encoding, findings);
    const bool vexmiraReadable =
        readings.encoding == TextEncoding::Ansi || readings.encoding == TextEncoding::Utf8;

    std::vector<std::pair<int, CardListEntry>> agreed;
    for (const EntryReading& entry : ReadEntries(readings, vexmiraReadable)) {
        CheckRejection(entry, findings);
        const bool same = CheckFields(entry, findings);
        const std::optional<CardListEntry>& read = entry.sysTest ? entry.sysTest : entry.vexmira;
        if (read) {
            // A code that the programs read differently has its finding already.
            if (!entry.sysTest || !entry.vexmira ||
                entry.sysTest->entryCode == entry.vexmira->entryCode) {
                CheckCode(entry.line, read->entryCode, findings);
            }
            CheckEntry(entry.line, *read, findings);
        }
        if (entry.sysTest && same && (entry.vexmira || !entry.vexmiraEntry)) {
            agreed.emplace_back(entry.line, *entry.sysTest);
        }
    }
    CheckOrder(agreed, findings);
    if (vexmiraReadable) {
        CheckHasEntries(readings.vexmira, findings);
    }
    return findings.Sorted();
}
