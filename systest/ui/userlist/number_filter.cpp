#include "systest/ui/userlist/number_filter.h"

#include "systest/ui/userlist/list_column.h"

#include "common/text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char16_t kBackspace = u'\b';
constexpr char16_t kMinus = u'-';
constexpr char16_t kPoint = u'.';
constexpr char16_t kLess = u'<';
constexpr char16_t kGreater = u'>';
constexpr char16_t kEquals = u'=';
constexpr std::u16string_view kComparisonSigns = u"<>=";
// Room for the longest "%lf" of a double.
constexpr size_t kNumberTextSize = 512;

bool IsComparisonSign(char16_t c) {
    return kComparisonSigns.find(c) != std::u16string_view::npos;
}

// Whether every character may appear, and each limited one at most once.
bool CharactersAllowed(std::u16string_view text, uint32_t flags) {
    int points = 0;
    int less = 0;
    int greater = 0;
    int equals = 0;
    for (char16_t c : text) {
        if (IsAsciiDigit(c) || c == kMinus) {
            continue;
        }
        if (c == kPoint && (flags & Decimal)) {
            ++points;
        } else if (IsComparisonSign(c) && (flags & AllowCompare)) {
            less += c == kLess;
            greater += c == kGreater;
            equals += c == kEquals;
        } else {
            return false;
        }
    }
    return points <= 1 && less <= 1 && greater <= 1 && equals <= 1;
}

// "=" after "<" and ">"; the first digit after every sign.
bool InOrder(std::u16string_view text) {
    const size_t npos = std::u16string_view::npos;
    const size_t less = text.find(kLess);
    const size_t greater = text.find(kGreater);
    const size_t equals = text.find(kEquals);
    if (equals != npos &&
        ((less != npos && equals < less) || (greater != npos && equals < greater))) {
        return false;
    }
    size_t firstDigit = npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsAsciiDigit(text[i])) {
            firstDigit = i;
            break;
        }
    }
    if (firstDigit == npos) {
        return true;
    }
    const size_t lastSign = text.find_last_of(u"<>=-");
    return lastSign == npos || lastSign < firstDigit;
}

// The number as the C run-time's strtod reads its start: sign, digits, point,
// digits.
double ReadDecimal(std::u16string_view text) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F) {
            break;
        }
        ascii.push_back(static_cast<char>(c));
    }
    return std::strtod(ascii.c_str(), nullptr);
}

}  // namespace

TypedCharVerdict FilterTypedChar(uint32_t columnFlags, char16_t c, std::u16string_view text,
                                 size_t selectionStart, size_t selectionEnd) {
    if (!(columnFlags & (Integer | Decimal)) || c == kBackspace) {
        return TypedCharVerdict::Accept;
    }
    if (c == kMinus && (columnFlags & AllowNegative)) {
        // Where negative numbers are allowed, a minus sign changes the sign.
        return TypedCharVerdict::Negate;
    }
    selectionStart = std::min(selectionStart, text.size());
    selectionEnd = std::clamp(selectionEnd, selectionStart, text.size());
    std::u16string candidate(text.substr(0, selectionStart));
    candidate.push_back(c);
    candidate.append(text.substr(selectionEnd));
    return CharactersAllowed(candidate, columnFlags) && InOrder(candidate)
               ? TypedCharVerdict::Accept
               : TypedCharVerdict::Reject;
}

Negation NegateNumberText(std::u16string_view text, bool decimal) {
    size_t numberStart = 0;
    while (numberStart < text.size() && IsComparisonSign(text[numberStart])) {
        ++numberStart;
    }
    const std::u16string_view number = text.substr(numberStart);
    Negation result;
    result.text = std::u16string(text.substr(0, numberStart));
    char buffer[kNumberTextSize];
    bool wasNegative = false;
    if (decimal) {
        const double value = ReadDecimal(number);
        wasNegative = value < 0;
        // No "-0.000000": zero has no sign to change.
        const double negated = value == 0 ? 0.0 : -value;
        std::snprintf(buffer, sizeof buffer, "%lf", negated);
    } else {
        const int64_t value = ParseLeadingInt(number);
        wasNegative = value < 0;
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(-value));
    }
    result.text += Utf16FromAscii(buffer);
    result.caretShift = wasNegative ? -1 : 1;
    return result;
}
