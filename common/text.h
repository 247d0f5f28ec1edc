// Platform-free helpers for the UTF-16 text both programs work with. Windows'
// wchar_t is 16 bits but Linux's is 32, so platform-free code uses char16_t and
// std::u16string; the Windows layer converts at the API (common/win/wide.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Case folding as the C run-time's _wcslwr/_wcsupr do it in the "C" locale:
// only the ASCII letters change.
char16_t ToLowerAscii(char16_t c);
char16_t ToUpperAscii(char16_t c);
std::u16string ToLowerAscii(std::u16string_view text);
std::u16string ToUpperAscii(std::u16string_view text);

bool IsAsciiDigit(char16_t c);

// The text without the spaces and tabs around it (status words are padded).
std::u16string TrimSpaces(std::u16string_view text);

// The number at the start of a piece of text, read like the C run-time's
// wide-string-to-int conversion (_wtoi): leading white space is skipped, one
// sign is allowed, reading stops at the first non-digit, no digits give 0.
// A value beyond 32 bits saturates at INT32_MAX or INT32_MIN, as wcstol does.
int32_t ParseLeadingInt(std::u16string_view text);

// UTF-16 text of an ASCII literal or of ASCII bytes.
std::u16string Utf16FromAscii(std::string_view ascii);

// The text as UTF-8. A surrogate without its partner, which Windows strings
// may hold, becomes U+FFFD, so the result is always valid UTF-8.
std::string Utf8FromUtf16(std::u16string_view text);

bool IsHighSurrogate(char32_t unit);
bool IsLowSurrogate(char32_t unit);

// Appends the character in UTF-16: one unit, or a surrogate pair beyond U+FFFF.
void AppendUtf16(std::u16string& text, char32_t code);

struct Utf8Character {
    char32_t code;
    size_t length;  // of its sequence, in bytes
};

// The character of the UTF-8 sequence the bytes begin with: its shortest form
// only, no surrogate, nothing beyond U+10FFFF. None when the bytes begin no
// such sequence, also one cut short.
std::optional<Utf8Character> DecodeUtf8Character(std::string_view bytes);

// UTF-8 as UTF-16; each byte that begins no whole character becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

// The length of the first piece of the text that is at most limit UTF-16
// units long (limit 2 or more) and splits no surrogate pair: the whole text
// when it is that short, one unit less than the limit where a pair would be
// cut.
size_t PieceLength(std::u16string_view text, size_t limit);
