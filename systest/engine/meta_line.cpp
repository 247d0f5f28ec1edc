#include "systest/engine/meta_line.h"

#include "common/format.h"
#include "common/text.h"
#include "systest/engine/product.h"
#include "systest/resources/string_ids.h"

#include <array>

namespace {

constexpr std::array<std::u16string_view, 12> kMonthAbbreviations = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec",
};

constexpr int32_t kDoubleQuote = 34;
constexpr int32_t kCenturyYears = 100;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// The next blank-separated word of text, removed from it.
std::u16string_view TakeWord(std::u16string_view& text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    size_t end = start;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::u16string_view word = text.substr(start, end - start);
    text.remove_prefix(end);
    return word;
}

int32_t MonthNumber(std::u16string_view abbreviation) {
    for (size_t i = 0; i < kMonthAbbreviations.size(); ++i) {
        if (kMonthAbbreviations[i] == abbreviation) {
            return static_cast<int32_t>(i) + 1;
        }
    }
    return 0;
}

}  // namespace

CalendarDate ParseBuildDate(std::u16string_view text) {
    CalendarDate date;
    date.month = MonthNumber(TakeWord(text));
    date.day = ParseLeadingInt(TakeWord(text));
    date.year = ParseLeadingInt(TakeWord(text));
    return date;
}

std::u16string FormatMetaLine(const StringSource& strings, std::u16string_view computerName,
                              const CalendarDate& today, const CalendarDate& buildDate) {
    const std::u16string todayText =
        FormatString(u"%02d.%02d.%d", {today.day, today.month, today.year});
    const std::u16string buildText = FormatString(
        u"%02d.%02d.%02d", {buildDate.day, buildDate.month, buildDate.year % kCenturyYears});
    return FormatString(strings.Load(IDS_META_DATA), {kDoubleQuote, computerName, kDoubleQuote,
                                                      todayText, kProductVersion, buildText});
}
