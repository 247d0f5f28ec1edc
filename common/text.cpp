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

std::u16string TrimSpaces(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(text.substr(first, text.find_last_not_of(u" \t") - first + 1));
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

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t high = unit - 0xD800;
            const char32_t low = text[++i] - 0xDC00;
            AppendUtf8(out, 0x10000 + (high << 10) + low);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

size_t PieceLength(std::u16string_view text, size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    return IsHighSurrogate(text[limit - 1]) && IsLowSurrogate(text[limit]) ? limit - 1 : limit;
}
