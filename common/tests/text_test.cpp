#include "common/text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct LeadingIntCase {
    const char16_t* text;
    int32_t expected;
};

TEST(ParseLeadingInt, ReadsLikeTheRuntimeConversion) {
    const LeadingIntCase cases[] = {
        {u"", 0},
        {u"ATI", 0},
        {u"110504a", 110504},
        {u"  \t42", 42},
        {u"+7", 7},
        {u"-9573", -9573},
        {u"--5", 0},
        {u"- 5", 0},
        {u"007", 7},
        {u"12.34", 12},
        {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLeadingInt(c.text), c.expected)
            << testing::PrintToString(std::u16string(c.text));
    }
}

TEST(ParseLeadingInt, SaturatesBeyond32Bits) {
    EXPECT_EQ(ParseLeadingInt(u"2147483648"), INT32_MAX);
    EXPECT_EQ(ParseLeadingInt(u"99999999999999999999999999"), INT32_MAX);
    EXPECT_EQ(ParseLeadingInt(u"-2147483649"), INT32_MIN);
    EXPECT_EQ(ParseLeadingInt(u"-99999999999999999999999999"), INT32_MIN);
}

TEST(TrimSpaces, RemovesSpacesAndTabsAround) {
    EXPECT_EQ(TrimSpaces(u"Passed     "), u"Passed");
    EXPECT_EQ(TrimSpaces(u" \t Kein Ergebnis \t"), u"Kein Ergebnis");
    EXPECT_EQ(TrimSpaces(u"   "), u"");
    EXPECT_EQ(TrimSpaces(u""), u"");
}

TEST(AsciiCaseFolding, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(ToLowerAscii(u"NVIDIA GeForce 8600M GT"), u"nvidia geforce 8600m gt");
    EXPECT_EQ(ToUpperAscii(u"pci\\ven_10de&dev_0640"), u"PCI\\VEN_10DE&DEV_0640");
    EXPECT_EQ(ToUpperAscii(u"Gr\u00f6\u00dfe"), u"GR\u00f6\u00dfE");
    EXPECT_EQ(ToLowerAscii(u"\u00c4@[`{"), u"\u00c4@[`{");
}

TEST(Utf8FromUtf16, EncodesEveryCharacterAndReplacesLoneSurrogates) {
    const struct {
        const char* name;
        std::u16string text;
        std::string utf8;
    } cases[] = {
        {"ASCII and NUL", std::u16string(u"a\0\x7F", 3), std::string("a\0\x7F", 3)},
        {"two bytes", u"Gr\u00FC\u00DFe",
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
        {"three bytes", u"\u00D7\u20AC\uFFFF", "\xC3\x97\xE2\x82\xAC\xEF\xBF\xBF"},
        {"surrogate pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"high surrogate at the end", u"a\xD83D", "a\xEF\xBF\xBD"},
        {"high surrogate before a letter", u"\xD83Dx", "\xEF\xBF\xBDx"},
        {"low surrogate alone", u"\xDE00x", "\xEF\xBF\xBDx"},
        {"two highs, then a low", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8FromUtf16(c.text), c.utf8);
    }
}

// The arguments and file names of the tool, and the JSON it reads (which
// fails where this gives U+FFFD).
TEST(Utf16FromUtf8, DecodesEveryCharacterAndReplacesEachBadByte) {
    const struct {
        const char* name;
        std::string utf8;
        std::u16string text;
    } cases[] = {
        {"ASCII and NUL", std::string("a\0\x7F", 3), std::u16string(u"a\0\x7F", 3)},
        {"two, three and four bytes", "\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80",
         u"\u00FC\u20AC\U0001F600"},
        {"the highest character", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"beyond it", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"an overlong form", "\xC0\xAFx", u"\uFFFD\uFFFDx"},
        {"a longer overlong form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"a stray continuation",
         "a\x80"
         "b",
         u"a\uFFFDb"},
        {"cut short at the end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
        {"cut short by a letter", "\xE2x\xAC", u"\uFFFDx\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.text);
        if (c.text.find(u'\uFFFD') == std::u16string::npos) {
            EXPECT_EQ(Utf8FromUtf16(c.text), c.utf8);
        }
    }
}

TEST(PieceLength, EndsWhereNoSurrogatePairIsSplit) {
    const struct {
        std::u16string text;
        size_t length;
    } cases[] = {
        {u"abc", 3},
        {u"abcdef", 4},
        {u"abc\U0001F600", 3},  // the pair would be cut after its first half
        {u"ab\U0001F600c", 4},  // the pair ends the piece
        {u"abc\xD83D"
         u"d",
         4},  // a lone first half cuts nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PieceLength(c.text, 4), c.length) << testing::PrintToString(c.text);
    }
}

}  // namespace
