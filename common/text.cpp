#include "common/text.h"

#include <limits>

char16_t ToLowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

char16_t ToUpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string ToLowerAscii(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        c = ToLowerAscii(c);
    }
    return folded;
}

std::u16string ToUpperAscii(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        c = ToUpperAscii(c);
    }
    return folded;
}

bool IsAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

namespace {

// The white space of iswspace in the "C" locale.
bool IsCSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

}  // namespace

int32_t ParseLeadingInt(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate the magnitude in 64 bits and stop growing it once it is past
    // the 32-bit range, so no digit count can overflow.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (text[i] - u'0');
        }
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                                   : static_cast<int32_t>(-magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                               : static_cast<int32_t>(magnitude);
}

std::u16string Utf16FromAscii(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}
