#include "cardlist/rollup.h"

#include "common/text.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

struct CheckTitle {
    std::string_view key;
    std::string_view title;
};
// The checks in the order of the report.
constexpr CheckTitle kChecks[] = {
    {"os", "Windows"},
    {"processor", "Processor"},
    {"memory", "Memory"},
    {"disk", "Disk space"},
    {"screen", "Screen"},
    {"diagnostic", "Graphics diagnostic"},
    {"graphics-memory", "Graphics memory"},
    {"graphics-card", "Graphics card"},
    {"graphics-driver", "Graphics driver"},
    {"adapters", "Graphics adapters"},
    {"hybrid-graphics", "Hybrid graphics"},
};

constexpr char kNotMeasured[] = "not measured";
constexpr int kFailed = 1;
constexpr int kWarning = 2;

// The charts' colours; the page's test looks for them.
constexpr char kPassColour[] = "#2e7d32";
constexpr char kWarnColour[] = "#f0a000";
constexpr char kFailColour[] = "#c62828";
constexpr char kNotMeasuredColour[] = "#8c8c8c";
constexpr char kAdapterColour[] = "#1f5fa8";
constexpr int kFleetBarWidth = 720;
constexpr int kLabelWidth = 230;
constexpr int kBarWidth = 480;
constexpr int kBarRow = 24;
// The adapters the chart shows; the table below it has all.
constexpr size_t kChartedAdapters = 12;
constexpr size_t kLabelLength = 34;

constexpr char kStyle[] =
    "body{font-family:'Segoe UI',Tahoma,Arial,sans-serif;font-size:14px;color:#1b1b1b;"
    "background:#fff;margin:24px;max-width:1100px}"
    "h1{font-size:22px;margin:0 0 4px}h2{font-size:17px;margin:28px 0 8px}"
    "table{border-collapse:collapse;margin:8px 0}"
    "th,td{border:1px solid #c4c9d0;padding:3px 8px;text-align:left;vertical-align:top}"
    "th{background:#e3e8ef}td.n{text-align:right}"
    ".swatch{display:inline-block;width:12px;height:12px;margin:0 4px 0 12px;"
    "vertical-align:-1px}"
    "svg text{font-family:inherit;font-size:13px;fill:#1b1b1b}";

std::string Utf8(std::u16string_view text) {
    return Utf8FromUtf16(text);
}

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Html(std::u16string_view text) {
    return Escaped(Utf8(text));
}

std::string LevelWord(int level) {
    switch (level) {
        case kFailed:
            return "Failed";
        case kWarning:
            return "Warning";
        default:
            return "Passed";
    }
}

// A check's cell: its level, "not measured", or nothing without a result.
std::string CheckCell(const ResultsFile& results, std::string_view key) {
    const ResultsCheck* check = results.Check(key);
    if (check == nullptr) {
        return {};
    }
    return check->measured ? std::to_string(check->level) : kNotMeasured;
}

std::string CsvField(const std::string& field, char separator) {
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields, char separator) {
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i) {
        row += (i == 0 ? "" : std::string(1, separator)) + CsvField(fields[i], separator);
    }
    return row + "\r\n";
}

// The judged adapter's caption and its driver as compared, or nothing.
std::tuple<std::string, std::string, std::string> JudgedDriver(const ResultsFile& results) {
    const ResultsAdapter* adapter = results.Judged();
    if (adapter == nullptr) {
        return {};
    }
    return {Utf8(adapter->caption), Utf8(adapter->comparedVersion),
            Utf8(adapter->comparedDate.value_or(u""))};
}

std::string Cell(const std::string& text, bool number = false) {
    return std::string(number ? "<td class=\"n\">" : "<td>") + text + "</td>";
}

std::string Header(std::initializer_list<const char*> titles) {
    std::string row = "<tr>";
    for (const char* title : titles) {
        row += std::string("<th>") + title + "</th>";
    }
    return row + "</tr>\n";
}

std::string Percent(size_t part, size_t whole) {
    return whole == 0 ? "" : std::to_string((part * 100 + whole / 2) / whole) + " %";
}

std::string Rect(int x, int y, int width, int height, const char* colour) {
    return "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" fill=\"" + colour +
           "\"/>";
}

std::string Label(int x, int y, const std::string& text) {
    return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\">" + text +
           "</text>";
}

std::string Svg(int width, int height, const std::string& label, const std::string& content) {
    return "<svg width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\" role=\"img\" aria-label=\"" + label + "\" xmlns=\"http://www.w3.org/2000/svg\">" +
           content + "</svg>\n";
}

std::string Shortened(std::u16string_view text) {
    return text.size() > kLabelLength ? Html(text.substr(0, kLabelLength - 1)) + "\u2026"
                                      : Html(text);
}

// Bars one after the other in a row, each as wide as its share of the whole.
std::string StackedBars(int x, int y, int width, int height, size_t whole,
                        const std::vector<std::pair<size_t, const char*>>& parts) {
    std::string bars;
    size_t before = 0;
    for (const auto& [count, colour] : parts) {
        const int start = whole == 0 ? 0 : static_cast<int>(before * width / whole);
        const int end = whole == 0 ? 0 : static_cast<int>((before + count) * width / whole);
        if (end > start) {
            bars += Rect(x + start, y, end - start, height, colour);
        }
        before += count;
    }
    return bars;
}

struct Verdicts {
    size_t passed = 0;
    size_t warning = 0;
    size_t failed = 0;
};

std::string FleetSection(const Fleet& fleet) {
    Verdicts verdicts;
    for (const FleetComputer& computer : fleet.computers) {
        const int level = computer.results.overallLevel;
        if (level == kFailed) {
            ++verdicts.failed;
        } else if (level == kWarning) {
            ++verdicts.warning;
        } else {
            ++verdicts.passed;
        }
    }
    const size_t whole = fleet.computers.size();
    const auto swatch = [](const char* colour, size_t count, const char* what) {
        return std::string("<span class=\"swatch\" style=\"background:") + colour +
               "\"></span><b>" + std::to_string(count) + "</b> " + what;
    };
    const std::string counts = std::to_string(verdicts.passed) + " pass, " +
                               std::to_string(verdicts.warning) + " warn, " +
                               std::to_string(verdicts.failed) + " fail";
    std::string html = "<h2>Where the fleet stands</h2>\n<p>" +
                       swatch(kPassColour, verdicts.passed, "pass") +
                       swatch(kWarnColour, verdicts.warning, "warn") +
                       swatch(kFailColour, verdicts.failed, "fail") + "</p>\n";
    html += Svg(kFleetBarWidth, 36, counts,
                StackedBars(0, 0, kFleetBarWidth, 36, whole,
                            {{verdicts.passed, kPassColour},
                             {verdicts.warning, kWarnColour},
                             {verdicts.failed, kFailColour}}));
    html += "<table>\n" + Header({"Verdict", "Computers", "Share"});
    for (const auto& [word, count] :
         {std::pair{"Passed", verdicts.passed}, std::pair{"Warning", verdicts.warning},
          std::pair{"Failed", verdicts.failed}}) {
        html += "<tr>" + Cell(word) + Cell(std::to_string(count), true) +
                Cell(Percent(count, whole), true) + "</tr>\n";
    }
    return html + "</table>\n";
}

struct CheckCounts {
    std::string_view title;
    size_t failed = 0;
    size_t warning = 0;
    size_t notMeasured = 0;
};

std::string ChecksSection(const Fleet& fleet) {
    std::vector<CheckCounts> checks;
    for (const CheckTitle& check : kChecks) {
        CheckCounts counts{check.title};
        for (const FleetComputer& computer : fleet.computers) {
            const ResultsCheck* result = computer.results.Check(check.key);
            if (result == nullptr) {
                continue;
            }
            if (!result->measured) {
                ++counts.notMeasured;
            } else if (result->level == kFailed) {
                ++counts.failed;
            } else if (result->level == kWarning) {
                ++counts.warning;
            }
        }
        if (counts.failed + counts.warning + counts.notMeasured > 0) {
            checks.push_back(counts);
        }
    }
    std::stable_sort(checks.begin(), checks.end(), [](const CheckCounts& a, const CheckCounts& b) {
        return std::tie(a.failed, a.warning, a.notMeasured) >
               std::tie(b.failed, b.warning, b.notMeasured);
    });
    std::string html = "<h2>Checks that hold the fleet back</h2>\n";
    if (checks.empty()) {
        return html + "<p>None: every check passed on every computer.</p>\n";
    }
    const size_t whole = fleet.computers.size();
    std::string bars;
    int y = 0;
    for (const CheckCounts& check : checks) {
        const size_t held = check.failed + check.warning + check.notMeasured;
        const int width = static_cast<int>(held * kBarWidth / whole);
        bars += Label(0, y + 16, std::string(check.title)) +
                StackedBars(kLabelWidth, y + 3, width, kBarRow - 6, held,
                            {{check.failed, kFailColour},
                             {check.warning, kWarnColour},
                             {check.notMeasured, kNotMeasuredColour}}) +
                Label(kLabelWidth + width + 6, y + 16, std::to_string(held));
        y += kBarRow;
    }
    html += "<p><span class=\"swatch\" style=\"background:" + std::string(kFailColour) +
            "\"></span>failed<span class=\"swatch\" style=\"background:" + kWarnColour +
            "\"></span>warning<span class=\"swatch\" style=\"background:" + kNotMeasuredColour +
            "\"></span>not measured (the run had no interactive desktop)</p>\n";
    html += Svg(kLabelWidth + kBarWidth + 60, y, "checks that failed or warned", bars);
    html += "<table>\n" + Header({"Check", "Failed", "Warning", "Not measured"});
    for (const CheckCounts& check : checks) {
        html += "<tr>" + Cell(std::string(check.title)) + Cell(std::to_string(check.failed), true) +
                Cell(std::to_string(check.warning), true) +
                Cell(std::to_string(check.notMeasured), true) + "</tr>\n";
    }
    return html + "</table>\n";
}

std::string AdaptersSection(const Fleet& fleet) {
    std::map<std::u16string, size_t> byAdapter;
    std::map<std::pair<std::u16string, std::u16string>, size_t> byDriver;
    for (const FleetComputer& computer : fleet.computers) {
        const ResultsFile& results = computer.results;
        const ResultsAdapter* adapter = results.Judged();
        const std::u16string caption = adapter != nullptr ? adapter->caption
                                       : results.hasGraphics
                                           ? u"(no adapter judged)"
                                           : u"(not in the file: an earlier version)";
        ++byAdapter[caption];
        ++byDriver[{caption, adapter != nullptr ? adapter->comparedVersion : u""}];
    }
    const auto byCount = [](const auto& map) {
        std::vector<std::pair<typename std::decay_t<decltype(map)>::key_type, size_t>> sorted(
            map.begin(), map.end());
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        return sorted;
    };
    const auto adapters = byCount(byAdapter);
    std::string html = "<h2>Graphics adapters and drivers</h2>\n";
    if (adapters.empty()) {
        return html;
    }
    const size_t most = adapters.front().second;
    std::string bars;
    int y = 0;
    for (size_t i = 0; i < adapters.size() && i < kChartedAdapters; ++i) {
        const auto& [caption, count] = adapters[i];
        const int width = std::max(1, static_cast<int>(count * kBarWidth / most));
        bars += Label(0, y + 16, Shortened(caption)) +
                Rect(kLabelWidth, y + 3, width, kBarRow - 6, kAdapterColour) +
                Label(kLabelWidth + width + 6, y + 16, std::to_string(count));
        y += kBarRow;
    }
    if (adapters.size() > kChartedAdapters) {
        html += "<p>The " + std::to_string(kChartedAdapters) + " adapters judged most often of " +
                std::to_string(adapters.size()) + "; the table has all.</p>\n";
    }
    html += Svg(kLabelWidth + kBarWidth + 60, y, "graphics adapters by count", bars);
    html += "<table>\n" + Header({"Adapter", "Driver version", "Computers"});
    for (const auto& [driver, count] : byCount(byDriver)) {
        html += "<tr>" + Cell(Html(driver.first)) + Cell(Html(driver.second)) +
                Cell(std::to_string(count), true) + "</tr>\n";
    }
    return html + "</table>\n";
}

std::string AttentionSection(const Fleet& fleet) {
    std::vector<const FleetComputer*> attention;
    for (const FleetComputer& computer : fleet.computers) {
        if (computer.results.overallLevel <= kWarning) {
            attention.push_back(&computer);
        }
    }
    std::stable_sort(attention.begin(), attention.end(), [](const auto* a, const auto* b) {
        return a->results.overallLevel < b->results.overallLevel;
    });
    std::string html = "<h2>Computers that need attention</h2>\n";
    if (attention.empty()) {
        return html + "<p>None.</p>\n";
    }
    html += "<table>\n" +
            Header({"Computer", "Verdict", "Tested", "Graphics adapter", "What holds it back"});
    for (const FleetComputer* computer : attention) {
        const ResultsFile& results = computer->results;
        std::string reasons;
        for (const CheckTitle& title : kChecks) {
            const ResultsCheck* check = results.Check(title.key);
            if (check != nullptr && check->level <= kWarning) {
                reasons += (reasons.empty() ? "" : "<br>") + std::string("<b>") +
                           std::string(title.title) + ":</b> " + Html(check->text);
            }
        }
        const ResultsAdapter* adapter = results.Judged();
        html += "<tr>" +
                Cell(Html(results.computerName.empty() ? computer->file : results.computerName)) +
                Cell(LevelWord(results.overallLevel)) + Cell(Html(results.tested)) +
                Cell(adapter == nullptr
                         ? ""
                         : Html(adapter->caption) + " (" + Html(adapter->comparedVersion) + ")") +
                Cell(reasons) + "</tr>\n";
    }
    return html + "</table>\n";
}

std::string SkippedSection(const Fleet& fleet) {
    if (fleet.skipped.empty()) {
        return {};
    }
    std::string html = "<h2>Files that could not be read</h2>\n<table>\n" + Header({"File", "Why"});
    for (const SkippedFile& file : fleet.skipped) {
        html += "<tr>" + Cell(Html(file.file)) + Cell(Escaped(file.problem)) + "</tr>\n";
    }
    return html + "</table>\n";
}

// The dates of the earliest and the latest test, as the files write them.
std::string TestedSpan(const Fleet& fleet) {
    std::u16string first;
    std::u16string last;
    for (const FleetComputer& computer : fleet.computers) {
        const std::u16string day = computer.results.tested.substr(0, 10);
        first = first.empty() || day < first ? day : first;
        last = std::max(last, day);
    }
    if (first.empty()) {
        return {};
    }
    return first == last ? ", tested on " + Html(first)
                         : ", tested from " + Html(first) + " to " + Html(last);
}

}  // namespace

void SortFleet(Fleet& fleet) {
    std::stable_sort(fleet.computers.begin(), fleet.computers.end(),
                     [](const FleetComputer& a, const FleetComputer& b) {
                         return std::pair(ToLowerAscii(a.results.computerName), a.file) <
                                std::pair(ToLowerAscii(b.results.computerName), b.file);
                     });
}

std::string FleetCsv(const Fleet& fleet, char separator) {
    std::vector<std::string> header = {"Computer", "Tested", "Windows", "Level"};
    for (const CheckTitle& check : kChecks) {
        header.emplace_back(check.key);
    }
    header.insert(header.end(), {"Adapter", "Driver version", "Driver date", "File"});
    std::string csv = "\xEF\xBB\xBF" + CsvRow(header, separator);
    for (const FleetComputer& computer : fleet.computers) {
        const ResultsFile& results = computer.results;
        std::vector<std::string> row = {Utf8(results.computerName), Utf8(results.tested),
                                        Utf8(results.windows),
                                        std::to_string(results.overallLevel)};
        for (const CheckTitle& check : kChecks) {
            row.push_back(CheckCell(results, check.key));
        }
        const auto [adapter, version, date] = JudgedDriver(results);
        row.insert(row.end(), {adapter, version, date, Utf8(computer.file)});
        csv += CsvRow(row, separator);
    }
    return csv;
}

std::string FleetHtml(const Fleet& fleet, std::u16string_view folder) {
    const std::string computers = std::to_string(fleet.computers.size()) +
                                  (fleet.computers.size() == 1 ? " computer" : " computers");
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Quarvel 2012 system test: " +
        computers + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n" +
        "<h1>Quarvel 2012 system test: " + computers + "</h1>\n<p>The results files in " +
        Html(folder) + TestedSpan(fleet) + ".";
    if (!fleet.skipped.empty()) {
        html += " " + std::to_string(fleet.skipped.size()) +
                (fleet.skipped.size() == 1 ? " file" : " files") +
                " could not be read: they are named at the end.";
    }
    html += "</p>\n" + FleetSection(fleet) + ChecksSection(fleet) + AdaptersSection(fleet) +
            AttentionSection(fleet) + SkippedSection(fleet) + "</body>\n</html>\n";
    return html;
}
