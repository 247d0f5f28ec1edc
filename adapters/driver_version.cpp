#include "adapters/driver_version.h"

#include "common/text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace {

int32_t* PartAt(DriverVersionNumber& version, size_t index) {
    std::array<int32_t*, 4> parts{&version.part1, &version.part2, &version.part3, &version.part4};
    return parts[index];
}

// The diagnostic splits at dots and skips empty pieces: "8..17" is 8.17.0.0.
ParsedDriverVersion ParseByTokens(std::u16string_view text) {
    ParsedDriverVersion result;
    size_t pieces = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'.', start);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        if (end > start) {
            if (pieces < 4) {
                *PartAt(result.version, pieces) = ParseLeadingInt(text.substr(start, end - start));
            }
            ++pieces;
        }
        start = end + 1;
    }
    result.ok = pieces >= 2;
    return result;
}

// The system test reads the pieces between the first three dots by position:
// "8..17.3" is 8.0.17.3 and everything after the third dot is part 4.
ParsedDriverVersion ParseByPosition(std::u16string_view text, VersionSource source) {
    ParsedDriverVersion result;
    const size_t first = text.find(u'.');
    if (first == std::u16string_view::npos) {
        return result;
    }
    result.version.part1 = ParseLeadingInt(text.substr(0, first));

    const size_t second =
        first + 1 < text.size() ? text.find(u'.', first + 1) : std::u16string_view::npos;
    if (second == std::u16string_view::npos) {
        return result;
    }
    result.version.part2 = ParseLeadingInt(text.substr(first + 1, second - first - 1));

    const size_t third =
        second + 1 < text.size() ? text.find(u'.', second + 1) : std::u16string_view::npos;
    if (third != std::u16string_view::npos) {
        result.version.part3 = ParseLeadingInt(text.substr(second + 1, third - second - 1));
        result.version.part4 = ParseLeadingInt(text.substr(third + 1));
    }

    // Registry values of some vendors give the minor version in tens (8.17 for
    // 8.170). Part 2 is never negative here: every "-" has become a dot.
    if (source == VersionSource::Registry && result.version.part2 < 100) {
        result.version.part2 *= 10;
    }
    result.ok = true;
    return result;
}

}  // namespace

ParsedDriverVersion ParseDriverVersion(std::u16string_view text, Dialect dialect,
                                       VersionSource source) {
    // Minus signs separate parts too: 8.850-110504a-118930C-ATI.
    std::u16string copy(dialect == Dialect::Vexmira ? text.substr(0, kVexmiraTextUnits - 1) : text);
    std::replace(copy.begin(), copy.end(), u'-', u'.');
    return dialect == Dialect::Vexmira ? ParseByTokens(copy) : ParseByPosition(copy, source);
}

ParsedDriverDate ParseDriverDate(std::u16string_view text) {
    ParsedDriverDate result;
    if (text.size() != 8) {
        return result;
    }
    const int32_t n = ParseLeadingInt(text);
    const int32_t year = n / 10000;
    const int32_t month = (n / 100) % 100;
    const int32_t day = n % 100;
    result.number = static_cast<DriverDateNumber>(n);
    result.valid =
        year >= 2000 && year <= 3000 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
    return result;
}

DriverDateNumber AdapterDriverDate(std::u16string_view cimDateTime, Dialect dialect) {
    const ParsedDriverDate date = ParseDriverDate(cimDateTime.substr(0, 8));
    if (dialect == Dialect::Vexmira) {
        return date.number;
    }
    return date.valid ? date.number : 0;
}

void ApplyNvidiaVersionRule(std::u16string_view caption, DriverVersionNumber& version) {
    if (ToLowerAscii(caption).find(u"nvidia") == std::u16string::npos) {
        return;
    }
    // The last five digits of the system version are the NVIDIA release:
    // x.xx.12.9573 is release 295.73.
    const int32_t release = (version.part3 % 10) * 100 + version.part4 / 100;
    const int32_t build = version.part4 % 100;
    version = DriverVersionNumber{release, build, 0, 0};
}

DriverVersionComparison CompareDriverVersion(const DriverVersionNumber& adapter,
                                             const DriverVersionNumber& list) {
    DriverVersionComparison result;
    result.trace = "GC:";
    const std::array<int32_t, 4> v{adapter.part1, adapter.part2, adapter.part3, adapter.part4};
    const std::array<int32_t, 4> iv{list.part1, list.part2, list.part3, list.part4};
    for (size_t i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i + 1);
        const bool last = i == 3;
        if (last ? iv[i] <= v[i] : iv[i] < v[i]) {
            result.trace += "iv" + n + (last ? "<=v" : "<v") + n + "|";
            result.versionOk = true;
            return result;
        }
        if (iv[i] != v[i]) {
            return result;  // the list is newer at the first difference
        }
        result.trace += "iv" + n + "==v" + n + "-";
    }
    return result;
}

bool IsDriverDateCurrent(DriverDateNumber adapterDate, DriverDateNumber listDate, Dialect dialect) {
    if (dialect == Dialect::QuarvelSysTest && adapterDate == 0) {
        return true;
    }
    return adapterDate >= listDate;
}

std::u16string DriverVersionText(const DriverVersionNumber& version) {
    const int32_t parts[] = {version.part1, version.part2, version.part3, version.part4};
    size_t shown = 4;
    while (shown > 2 && parts[shown - 1] == 0) {
        --shown;
    }
    std::string text = std::to_string(parts[0]);
    for (size_t i = 1; i < shown; ++i) {
        text += '.';
        text += std::to_string(parts[i]);
    }
    return Utf16FromAscii(text);
}

std::u16string DriverDateText(DriverDateNumber date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", date / 10000, date / 100 % 100, date % 100);
    return Utf16FromAscii(text);
}
