#include "cardlist/diff.h"

#include "adapters/card_list.h"
#include "common/text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <set>

namespace {

struct PciVendor {
    std::string_view id;              // as the database writes it
    std::u16string_view captionHead;  // how Windows' caption begins
};
constexpr PciVendor kVendors[] = {{"10de", u"NVIDIA"}, {"1002", u"AMD"}, {"8086", u"Intel(R)"}};

// Display models begin with one of these families.
constexpr std::string_view kFamilies[] = {
    "GeForce", "Quadro", "NVS",         "TITAN", "Tesla",        "Radeon",
    "FirePro", "FireGL", "HD Graphics", "Iris",  "UHD Graphics", "Mobility Radeon"};

constexpr std::string_view kIntelId = "8086";
constexpr std::string_view kGraphics = "Graphics";
// The device instance after the hardware id, as Windows gives it.
constexpr std::u16string_view kInstance = u"&SUBSYS_00000000&REV_00\\4&2B5A3A7C&0&0010";

// The OpenGL versions that take Vexmira's two list checks.
const OpenGLFacts kOpenGLs[] = {{"2.1", false, ""}, {"4.5", false, ""}};

std::string_view Trim(std::string_view text) {
    const size_t start = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    return start == std::string_view::npos ? std::string_view()
                                           : text.substr(start, end - start + 1);
}

// "G96 [GeForce 9500 GT]" gives "GeForce 9500 GT"; of "[Radeon HD 7970/8970
// OEM / R9 280X]" only the first name is whole.
std::string_view ModelName(std::string_view name) {
    const size_t open = name.find('[');
    const size_t close = name.find(']', open);
    if (open == std::string_view::npos || close == std::string_view::npos) {
        return {};
    }
    const std::string_view model = name.substr(open + 1, close - open - 1);
    return Trim(model.substr(0, model.find('/')));
}

bool IsDisplayModel(std::string_view model) {
    return std::any_of(std::begin(kFamilies), std::end(kFamilies),
                       [&](std::string_view family) { return model.starts_with(family); });
}

// The version one step from the list's in its last part that is not 0.
std::optional<DriverVersionNumber> StepVersion(DriverVersionNumber version, int step) {
    int32_t* parts[] = {&version.part1, &version.part2, &version.part3, &version.part4};
    size_t last = 1;
    for (size_t i = 2; i < 4; ++i) {
        last = *parts[i] != 0 ? i : last;
    }
    *parts[last] += step;
    if (*parts[last] < 0) {
        return std::nullopt;
    }
    return version;
}

std::u16string StepDate(DriverDateNumber date, int step) {
    using namespace std::chrono;
    const year_month_day day{year(static_cast<int>(date / 10000)),
                             month(static_cast<unsigned>(date / 100 % 100)),
                             std::chrono::day(static_cast<unsigned>(date % 100))};
    DriverDateNumber stepped = date + static_cast<DriverDateNumber>(step);
    if (day.ok()) {
        const year_month_day next{sys_days(day) + days(step)};
        stepped = static_cast<DriverDateNumber>(static_cast<int>(next.year()) * 10000 +
                                                static_cast<unsigned>(next.month()) * 100 +
                                                static_cast<unsigned>(next.day()));
    }
    return Utf16FromAscii(std::to_string(stepped));
}

// The entries of a list as either program reads them.
void AddEntries(const ListReadings& list, std::vector<CardListEntry>& entries) {
    const auto add = [&](std::optional<CardListEntry> entry) {
        const auto same = [&](const CardListEntry& other) {
            return other.name == entry->name && other.listVersion == entry->listVersion &&
                   other.listDate == entry->listDate;
        };
        if (entry && std::none_of(entries.begin(), entries.end(), same)) {
            entries.push_back(std::move(*entry));
        }
    };
    for (const ListLine& line : list.quarvelSysTest) {
        add(ParseCardListLine(line.text, Dialect::QuarvelSysTest));
    }
    for (const ListLine& line : list.vexmira) {
        add(ParseCardListLine(WithoutLineBreak(line.text), Dialect::Vexmira));
    }
}

bool Names(const CardListEntry& entry, const PciAdapter& adapter) {
    return MatchCardListEntry(entry.name, adapter.caption, adapter.pnpDeviceId,
                              Dialect::QuarvelSysTest) ||
           MatchCardListEntry(entry.name, adapter.caption, adapter.pnpDeviceId, Dialect::Vexmira);
}

// The drivers just below, at and above each entry's version and date.
std::vector<AdapterFacts> Drivers(const PciAdapter& adapter,
                                  const std::vector<CardListEntry>& entries) {
    const bool nvidia = HasNvidiaVersions(adapter.caption);
    std::set<std::pair<std::u16string, std::u16string>> seen;
    std::vector<AdapterFacts> drivers;
    for (const CardListEntry& entry : entries) {
        if (!Names(entry, adapter)) {
            continue;
        }
        for (const int step : {-1, 0, 1}) {
            const std::optional<DriverVersionNumber> version = StepVersion(entry.listVersion, step);
            if (!version) {
                continue;
            }
            AdapterFacts facts{adapter.caption, adapter.pnpDeviceId,
                               ReportedVersion(*version, nvidia), StepDate(entry.listDate, step)};
            if (seen.emplace(facts.driverVersion, facts.driverDate).second) {
                drivers.push_back(std::move(facts));
            }
        }
    }
    return drivers;
}

Verdict VerdictOf(const ListReadings& list, const AdapterFacts& facts, const OpenGLFacts& gl) {
    const Explanation explanation = Explain(list, u"GraphicsCardGBList.txt", facts, gl);
    const QuarvelSysTestVerdict& sysTest = explanation.quarvelSysTest;
    return {explanation.vexmira.exitCode, sysTest.rows, sysTest.matched ? sysTest.decidingLine : 0,
            sysTest.entryCode};
}

bool SameForUser(const Verdict& a, const Verdict& b) {
    return a.exitCode == b.exitCode && a.rows == b.rows;
}

std::u16string Number(int64_t number) {
    return Utf16FromAscii(std::to_string(number));
}

std::u16string ShortRowName(const std::string& key) {
    return key == "graphics-card" ? u"card" : u"driver";
}

std::u16string VerdictText(const Verdict& verdict) {
    std::u16string text = verdict.entryLine == 0
                              ? std::u16string(u"no entry")
                              : u"line " + Number(verdict.entryLine) + u" " + verdict.entryCode;
    text += u": exit " + Number(verdict.exitCode);
    for (const RowVerdict& row : verdict.rows) {
        text += u", " + ShortRowName(row.key) + u" " + Number(static_cast<int>(row.level)) + u"/" +
                Number(row.message);
    }
    return text;
}

std::vector<std::u16string_view> Words(std::u16string_view text) {
    std::vector<std::u16string_view> words;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find(u' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The words where two texts differ, "..." standing for those they share.
std::pair<std::u16string, std::u16string> DifferingWords(std::u16string_view a,
                                                         std::u16string_view b) {
    const std::vector<std::u16string_view> first = Words(a);
    const std::vector<std::u16string_view> second = Words(b);
    size_t head = 0;
    while (head < first.size() && head < second.size() && first[head] == second[head]) {
        ++head;
    }
    size_t tail = 0;
    while (tail + head < first.size() && tail + head < second.size() &&
           first[first.size() - 1 - tail] == second[second.size() - 1 - tail]) {
        ++tail;
    }
    const auto join = [&](const std::vector<std::u16string_view>& words) {
        std::u16string text = head > 0 ? u"\"..." : u"\"";
        for (size_t i = head; i + tail < words.size(); ++i) {
            if (i != head) {
                text += u' ';
            }
            text += words[i];
        }
        return text + (tail > 0 ? u"...\"" : u"\"");
    };
    return {join(first), join(second)};
}

// Before and after as the table shows them. Where those look the same, a
// row's text changed (a version it names): the words that differ follow.
std::pair<std::u16string, std::u16string> ChangeTexts(const VerdictChange& change) {
    std::u16string before = VerdictText(change.before);
    std::u16string after = VerdictText(change.after);
    if (before != after) {
        return {before, after};
    }
    for (size_t i = 0; i < change.before.rows.size() && i < change.after.rows.size(); ++i) {
        const RowVerdict& old = change.before.rows[i];
        const RowVerdict& now = change.after.rows[i];
        if (old.text != now.text || old.reportText != now.reportText) {
            const auto [was, is] = old.text != now.text
                                       ? DifferingWords(old.text, now.text)
                                       : DifferingWords(old.reportText, now.reportText);
            before += u" " + was;
            after += u" " + is;
        }
    }
    return {before, after};
}

}  // namespace

std::vector<PciAdapter> ReadDisplayAdapters(std::string_view pciIds) {
    std::vector<PciAdapter> adapters;
    const PciVendor* vendor = nullptr;
    size_t start = 0;
    while (start < pciIds.size()) {
        const size_t end = std::min(pciIds.find('\n', start), pciIds.size());
        const std::string_view line = pciIds.substr(start, end - start);
        start = end + 1;
        if (line.starts_with("C ")) {
            break;  // the device classes follow the vendors
        }
        // A vendor: "10de  NVIDIA Corporation"; a device: "\t0640  G96C [...]".
        if (line.size() > 6 && line[0] != '\t' && line[0] != '#' && line.substr(4, 2) == "  ") {
            const auto found =
                std::find_if(std::begin(kVendors), std::end(kVendors),
                             [&](const PciVendor& v) { return line.starts_with(v.id); });
            vendor = found == std::end(kVendors) ? nullptr : found;
            continue;
        }
        if (vendor == nullptr || line.size() < 8 || line[0] != '\t' || line[1] == '\t' ||
            line.substr(5, 2) != "  ") {
            continue;
        }
        const std::string_view device = line.substr(1, 4);
        const std::string_view name = Trim(line.substr(7));
        std::string_view model = ModelName(name);
        if (!IsDisplayModel(model)) {
            model = vendor->id == kIntelId && name.find(kGraphics) != std::string_view::npos
                        ? name
                        : std::string_view();
        }
        if (model.empty()) {
            continue;
        }
        adapters.push_back({std::u16string(vendor->captionHead) + u" " + Utf16FromAscii(model),
                            ToUpperAscii(Utf16FromAscii("PCI\\VEN_" + std::string(vendor->id) +
                                                        "&DEV_" + std::string(device))) +
                                std::u16string(kInstance)});
    }
    return adapters;
}

std::vector<VerdictChange> DiffVerdicts(const ListReadings& before, const ListReadings& after,
                                        const std::vector<PciAdapter>& adapters) {
    std::vector<CardListEntry> entries;
    AddEntries(before, entries);
    AddEntries(after, entries);
    std::vector<VerdictChange> changes;
    for (const PciAdapter& adapter : adapters) {
        for (const AdapterFacts& driver : Drivers(adapter, entries)) {
            for (const OpenGLFacts& gl : kOpenGLs) {
                Verdict old = VerdictOf(before, driver, gl);
                Verdict now = VerdictOf(after, driver, gl);
                if (!SameForUser(old, now)) {
                    changes.push_back({adapter, driver, gl, std::move(old), std::move(now)});
                }
            }
        }
    }
    return changes;
}

std::u16string ChangesTable(const std::vector<VerdictChange>& changes) {
    std::vector<std::array<std::u16string, 6>> rows = {
        {u"Adapter", u"PNP id", u"Driver", u"OpenGL", u"Before", u"After"}};
    for (const VerdictChange& change : changes) {
        const std::u16string& pnp = change.adapter.pnpDeviceId;
        auto [before, after] = ChangeTexts(change);
        rows.push_back({change.adapter.caption, pnp.substr(0, pnp.find(u"&SUBSYS")),
                        change.driver.driverVersion + u" of " + change.driver.driverDate,
                        change.gl.version.front() < '3' ? u"below 3" : u"3 or later",
                        std::move(before), std::move(after)});
    }
    std::array<size_t, 6> widths{};
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    std::u16string table;
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            table += row[i];
            if (!last) {
                table += std::u16string(widths[i] - row[i].size(), u' ') +
                         (i + 2 == row.size() ? u"  \u2192  " : u"  ");
            }
        }
        table += u'\n';
    }
    return table;
}
