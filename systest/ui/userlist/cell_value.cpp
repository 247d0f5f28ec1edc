#include "systest/ui/userlist/cell_value.h"

#include "common/format.h"
#include "common/text.h"

#include <algorithm>

namespace {

struct DateField {
    size_t offset;
    size_t length;
    uint16_t CellDate::*field;
};

// yyyy MM dd HH mm ss
constexpr DateField kDateFields[] = {
    {0, 4, &CellDate::year}, {4, 2, &CellDate::month},   {6, 2, &CellDate::day},
    {8, 2, &CellDate::hour}, {10, 2, &CellDate::minute}, {12, 2, &CellDate::second},
};

constexpr double kProgressMaximum = 100.0;

}  // namespace

bool ParseCellDate(std::u16string_view text, CellDate& date) {
    date = CellDate{};
    if (text.empty()) {
        return false;
    }
    for (const DateField& f : kDateFields) {
        if (f.offset < text.size()) {
            date.*f.field = static_cast<uint16_t>(ParseLeadingInt(text.substr(f.offset, f.length)));
        }
    }
    return true;
}

std::u16string CellDateText(const CellDate& date) {
    return FormatString(u"%04d%02d%02d%02d%02d%02d",
                        {int32_t{date.year}, int32_t{date.month}, int32_t{date.day},
                         int32_t{date.hour}, int32_t{date.minute}, int32_t{date.second}});
}

int32_t CellInteger(std::u16string_view text) {
    return ParseLeadingInt(text);
}

double CellProgress(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    double value = 0.0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        value = std::min(value * 10.0 + (text[i] - u'0'), kProgressMaximum * 10.0);
    }
    if (i < text.size() && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsAsciiDigit(text[i]); ++i, scale /= 10.0) {
            value += (text[i] - u'0') * scale;
        }
    }
    return std::clamp(negative ? -value : value, 0.0, kProgressMaximum);
}
