#include "systest/ui/userlist/number_filter.h"

#include "systest/ui/userlist/list_column.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enum TypedCharVerdict;

constexpr uint32_t kInteger = Integer;
constexpr uint32_t kDecimal = Decimal;
constexpr uint32_t kSigned = Integer | AllowNegative;
constexpr uint32_t kCompare = Integer | AllowCompare;
constexpr uint32_t kDecimalCompare = Decimal | AllowCompare;

// Types each character of `typed` at the end of the text, as a user does,
// and reports the verdict on each; accepted characters are kept.
std::u16string TypeAll(uint32_t flags, const std::u16string& typed, std::u16string& verdicts) {
    std::u16string text;
    for (char16_t c : typed) {
        const TypedCharVerdict verdict = FilterTypedChar(flags, c, text, text.size(), text.size());
        verdicts.push_back(verdict == Accept ? u'+' : verdict == Reject ? u'x' : u'n');
        if (verdict == Accept) {
            text.push_back(c);
        }
    }
    return text;
}

TEST(NumberFilter, TypingCharacterByCharacter) {
    // '+' accepted, 'x' rejected, 'n' negates.
    const struct {
        uint32_t flags;
        std::u16string typed;
        std::u16string verdicts;
    } cases[] = {
        {kInteger, u"123", u"+++"},
        {kInteger, u"1a2 ", u"+x+x"},
        {kInteger, u"1.5", u"+x+"},
        {kDecimal, u"1.5", u"+++"},
        {kDecimal, u"1.5.2", u"+++x+"},  // a second point
        {kDecimal, u".5", u"++"},
        // Without AllowNegative a minus sign is typed, before the digits only.
        {kInteger, u"-5", u"++"},
        {kInteger, u"5-", u"+x"},
        {kCompare, u"<-5", u"+++"},
        {kSigned, u"-5", u"n+"},
        {kCompare, u"<=5", u"+++"},
        {kCompare, u">5", u"++"},
        {kCompare, u">=10", u"++++"},
        {kCompare, u"=<", u"+x"},  // "=" must follow "<"
        {kCompare, u"5<", u"+x"},  // digits follow the signs
        {kCompare, u"<<", u"+x"},  // each sign once
        {kCompare, u"<>=1", u"++++"},
        {kInteger, u"<5", u"x+"},  // signs only with AllowCompare
        {kDecimalCompare, u"<=2.5", u"+++++"},
        {0, u"a-<.", u"++++"},  // no number options: everything passes
        {Uppercase, u"abc", u"+++"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " typed "
                                        << std::string(c.typed.begin(), c.typed.end()));
        std::u16string verdicts;
        TypeAll(c.flags, c.typed, verdicts);
        EXPECT_EQ(std::string(verdicts.begin(), verdicts.end()),
                  std::string(c.verdicts.begin(), c.verdicts.end()));
    }
}

TEST(NumberFilter, CharacterReplacesTheSelection) {
    const struct {
        uint32_t flags;
        std::u16string text;
        size_t start, end;
        char16_t c;
        TypedCharVerdict expected;
    } cases[] = {
        {kDecimal, u"1.5", 1, 2, u'.', Accept},  // the point typed over itself
        {kDecimal, u"1.5", 3, 3, u'.', Reject},
        {kCompare, u"<5", 0, 1, u'>', Accept},  // "<" replaced by ">"
        {kCompare, u"<5", 2, 2, u'=', Reject},  // "=" after the digit
        {kCompare, u"<5", 1, 1, u'=', Accept},
        {kCompare, u"=5", 0, 0, u'<', Accept},   // "<" in front of "="
        {kCompare, u"12", 0, 2, u'<', Accept},   // all selected: "<" alone
        {kInteger, u"12", 1, 1, u'\b', Accept},  // backspace always
        {kInteger, u"12", 7, 9, u'3', Accept},   // a selection past the end is the end
        {kSigned, u"-12", 3, 3, u'4', Accept},   // a minus already there
        {kSigned, u"-12", 0, 0, u'4', Reject},   // a digit before it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::string(c.text.begin(), c.text.end()) << " [" << c.start << "," << c.end
                     << ") " << static_cast<char>(c.c));
        EXPECT_EQ(FilterTypedChar(c.flags, c.c, c.text, c.start, c.end), c.expected);
    }
}

TEST(NumberFilter, MinusChangesTheSign) {
    const struct {
        std::u16string text;
        bool decimal;
        std::u16string expected;
        int32_t caretShift;
    } cases[] = {
        {u"12", false, u"-12", 1},
        {u"-12", false, u"12", -1},
        {u"0", false, u"0", 1},
        {u"", false, u"0", 1},
        {u"-2147483648", false, u"2147483648", -1},  // no overflow
        {u"12", true, u"-12.000000", 1},
        {u"-2.5", true, u"2.500000", -1},
        {u"0", true, u"0.000000", 1},  // no negative zero
        // Comparison signs stay in front of the number.
        {u"<=5", false, u"<=-5", 1},
        {u">-7", false, u">7", -1},
        {u"<2.5", true, u"<-2.500000", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const Negation negation = NegateNumberText(c.text, c.decimal);
        EXPECT_EQ(std::string(negation.text.begin(), negation.text.end()),
                  std::string(c.expected.begin(), c.expected.end()));
        EXPECT_EQ(negation.caretShift, c.caretShift);
    }
    // Twice gives the number back.
    EXPECT_EQ(NegateNumberText(NegateNumberText(u"12", false).text, false).text, u"12");
}

}  // namespace
