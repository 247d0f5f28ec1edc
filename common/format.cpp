#include "common/format.h"

#include <algorithm>

namespace {

enum class Conversion { Character, Signed, Unsigned, Hex, Text, Unknown };

struct Spec {
    bool leftAlign = false;
    bool hexPrefix = false;
    bool zeroPad = false;
    bool upperHex = false;
    size_t width = 0;
    size_t precision = 0;
    Conversion conversion = Conversion::Unknown;
};

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Parses what follows a "%" at format[pos]; returns the position after the
// conversion character. An unknown conversion character is not consumed: it is
// copied as plain text afterwards, as wvsprintfW does.
size_t ParseSpec(std::u16string_view format, size_t pos, Spec& spec) {
    auto at = [&](size_t i) { return i < format.size() ? format[i] : u'\0'; };
    if (at(pos) == u'-') {
        spec.leftAlign = true;
        ++pos;
    }
    if (at(pos) == u'#') {
        spec.hexPrefix = true;
        ++pos;
    }
    if (at(pos) == u'0') {
        spec.zeroPad = true;
        ++pos;
    }
    for (; IsDigit(at(pos)); ++pos) {
        spec.width = std::min<size_t>(spec.width * 10 + (at(pos) - u'0'), kFormatOutputLimit);
    }
    if (at(pos) == u'.') {
        for (++pos; IsDigit(at(pos)); ++pos) {
            spec.precision =
                std::min<size_t>(spec.precision * 10 + (at(pos) - u'0'), kFormatOutputLimit);
        }
    }
    if (at(pos) == u'l' || at(pos) == u'h' || at(pos) == u'w') {
        ++pos;
    } else if (at(pos) == u'I' && at(pos + 1) == u'6' && at(pos + 2) == u'4') {
        pos += 3;
    }
    switch (at(pos)) {
        case u'c':
        case u'C':
            spec.conversion = Conversion::Character;
            break;
        case u'd':
        case u'i':
            spec.conversion = Conversion::Signed;
            break;
        case u'u':
            spec.conversion = Conversion::Unsigned;
            break;
        case u'X':
            spec.upperHex = true;
            spec.conversion = Conversion::Hex;
            break;
        case u'x':
            spec.conversion = Conversion::Hex;
            break;
        case u's':
        case u'S':
            spec.conversion = Conversion::Text;
            break;
        default:
            return pos;
    }
    return pos + 1;
}

std::u16string Digits(uint32_t value, unsigned base, bool upper) {
    const char16_t* digits = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

void AppendPadding(std::u16string& out, size_t count, char16_t fill) {
    out.append(count, fill);
}

// Renders one conversion the way wvsprintfW lays it out: the precision is the
// length of the body (at least the digits, or the width when zero-padded), and
// blanks fill the rest of the width on the side away from the alignment.
void AppendConversion(std::u16string& out, Spec spec, const FormatArgument* argument) {
    if (spec.leftAlign) {
        spec.zeroPad = false;
    }
    std::u16string body;
    switch (spec.conversion) {
        case Conversion::Character:
            body = std::u16string(
                1, static_cast<char16_t>(argument != nullptr ? argument->Number() : 0));
            spec.precision = 1;
            break;
        case Conversion::Text: {
            std::u16string_view text = argument != nullptr ? argument->Text() : u"";
            if (spec.precision > 0) {
                text = text.substr(0, spec.precision);
            }
            body = text;
            spec.precision = body.size();
            break;
        }
        case Conversion::Signed:
        case Conversion::Unsigned:
        case Conversion::Hex: {
            const int32_t value = argument != nullptr ? argument->Number() : 0;
            std::u16string sign;
            std::u16string digits;
            if (spec.conversion == Conversion::Signed && value < 0) {
                sign = u"-";
                digits = Digits(0u - static_cast<uint32_t>(value), 10, false);
            } else {
                digits = Digits(static_cast<uint32_t>(value),
                                spec.conversion == Conversion::Hex ? 16 : 10, spec.upperHex);
            }
            std::u16string prefix = sign;
            if (spec.conversion == Conversion::Hex && spec.hexPrefix) {
                prefix = spec.upperHex ? u"0X" : u"0x";
            }
            // The sign counts toward the digits that zero padding fills up to.
            size_t length = sign.size() + digits.size();
            spec.precision = std::max(spec.precision, length);
            if (spec.zeroPad && spec.width > spec.precision) {
                spec.precision = spec.width;
            }
            body = prefix;
            AppendPadding(body, spec.precision - length, u'0');
            body += digits;
            break;
        }
        case Conversion::Unknown:
            break;
    }
    const size_t blanks = spec.width > spec.precision ? spec.width - spec.precision : 0;
    if (!spec.leftAlign) {
        AppendPadding(out, blanks, u' ');
    }
    out += body;
    if (spec.leftAlign && spec.conversion != Conversion::Unknown) {
        AppendPadding(out, blanks, u' ');
    }
}

}  // namespace

std::u16string FormatString(std::u16string_view format,
                            std::initializer_list<FormatArgument> arguments) {
    std::u16string out;
    const FormatArgument* next = arguments.begin();
    size_t pos = 0;
    while (pos < format.size() && out.size() < kFormatOutputLimit) {
        if (format[pos] != u'%') {
            out += format[pos++];
            continue;
        }
        ++pos;
        if (pos < format.size() && format[pos] == u'%') {
            out += format[pos++];
            continue;
        }
        Spec spec;
        pos = ParseSpec(format, pos, spec);
        const FormatArgument* argument = nullptr;
        if (spec.conversion != Conversion::Unknown && next != arguments.end()) {
            argument = next++;
        }
        AppendConversion(out, spec, argument);
    }
    if (out.size() > kFormatOutputLimit) {
        out.resize(kFormatOutputLimit);
    }
    return out;
}
