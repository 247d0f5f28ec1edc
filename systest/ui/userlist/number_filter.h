// What the edit box of a number column lets through as the user types. Only
// columns with Integer or Decimal filter; in all others every character passes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TypedCharVerdict {
    Accept,  // the edit box inserts it
    Reject,  // swallowed
    Negate,  // "-" in a column that allows negative numbers: the value changes sign
};

// The verdict on character c typed over the selection [selectionStart,
// selectionEnd) of text, for a column with the given ColumnFlags. Digits, "-",
// one "." with Decimal, and with AllowCompare one each of "<", ">" and "="
// before the number are accepted when the text keeps its order: "=" after "<"
// and ">", the first digit after every comparison sign and minus sign. With
// AllowNegative a "-" negates instead.
TypedCharVerdict FilterTypedChar(uint32_t columnFlags, char16_t c, std::u16string_view text,
                                 size_t selectionStart, size_t selectionEnd);

struct Negation {
    std::u16string text;
    int32_t caretShift = 0;  // +1 when a sign was added, -1 when one was removed
};

// The text with its number's sign changed, written as "%ld" (or "%lf" with
// decimal); comparison signs in front of the number stay in front.
Negation NegateNumberText(std::u16string_view text, bool decimal);
