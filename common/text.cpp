#include "common/text.h"

#include <algorithm>
#include <iterator>
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

// The first bytes of UTF-8 sequences: the length, the bits of the first
// byte that count, and the lowest character the length may encode.
struct Utf8Lead {
    unsigned char first;
    unsigned char last;
    size_t length;
    unsigned char bits;
    char32_t lowest;
};
constexpr Utf8Lead kUtf8Leads[] = {{0x00, 0x7F, 1, 0x7F, 0x00},
                                   {0xC2, 0xDF, 2, 0x1F, 0x80},
                                   {0xE0, 0xEF, 3, 0x0F, 0x800},
                                   {0xF0, 0xF4, 4, 0x07, 0x10000}};

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

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf16(std::u16string& text, char32_t code) {
    if (code >= 0x10000) {
        code -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (code >> 10));
        text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        text += static_cast<char16_t>(code);
    }
}

std::optional<Utf8Character> DecodeUtf8Character(std::string_view bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto lead =
        std::find_if(std::begin(kUtf8Leads), std::end(kUtf8Leads),
                     [&](const Utf8Lead& l) { return first >= l.first && first <= l.last; });
    if (lead == std::end(kUtf8Leads) || bytes.size() < lead->length) {
        return std::nullopt;
    }
    char32_t code = first & lead->bits;
    for (size_t i = 1; i < lead->length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = code << 6 | (next & 0x3F);
    }
    if (code < lead->lowest || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
        return std::nullopt;
    }
    return Utf8Character{code, lead->length};
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const std::optional<Utf8Character> character = DecodeUtf8Character(text);
        AppendUtf16(result, character ? character->code : kReplacementCharacter);
        text.remove_prefix(character ? character->length : 1);
    }
    return result;
}

size_t PieceLength(std::u16string_view text, size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    return IsHighSurrogate(text[limit - 1]) && IsLowSurrogate(text[limit]) ? limit - 1 : limit;
}
