// Formatting with the conversions of wvsprintfW, for the language strings and
// the diagnostic's log lines. Each argument carries its kind, so a format whose
// conversions do not match its arguments yields empty text or 0 for them
// instead of reading memory it was never given.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class FormatArgument {
  public:
    // %d, %i, %u, %x, %X and %c (a character code).
    FormatArgument(int32_t number) : number_(number) {}
    FormatArgument(uint32_t number) : number_(static_cast<int32_t>(number)) {}
    // %s and %S.
    FormatArgument(std::u16string_view text) : text_(text), isText_(true) {}
    FormatArgument(const char16_t* text) : FormatArgument(std::u16string_view(text)) {}
    FormatArgument(const std::u16string& text) : FormatArgument(std::u16string_view(text)) {}

    bool IsText() const { return isText_; }
    int32_t Number() const { return isText_ ? 0 : number_; }
    std::u16string_view Text() const { return isText_ ? text_ : std::u16string_view(); }

  private:
    int32_t number_ = 0;
    std::u16string_view text_;
    bool isText_ = false;
};

// wvsprintfW writes at most this many characters (its buffer is 1024 units).
inline constexpr size_t kFormatOutputLimit = 1023;

// Flags "-", "#", "0" in this order, a width, a precision, the size prefixes
// "l", "h", "w" and "I64" (read and ignored: every number is 32 bits and every
// text UTF-16), and the conversions c, C, d, i, u, x, X, s, S and %%.
std::u16string FormatString(std::u16string_view format,
                            std::initializer_list<FormatArgument> arguments = {});
