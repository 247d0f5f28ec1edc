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

TEST(AsciiCaseFolding, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(ToLowerAscii(u"NVIDIA GeForce 8600M GT"), u"nvidia geforce 8600m gt");
    EXPECT_EQ(ToUpperAscii(u"pci\\ven_10de&dev_0640"), u"PCI\\VEN_10DE&DEV_0640");
    EXPECT_EQ(ToUpperAscii(u"Gr\u00f6\u00dfe"), u"GR\u00f6\u00dfE");
    EXPECT_EQ(ToLowerAscii(u"\u00c4@[`{"), u"\u00c4@[`{");
}

}  // namespace
