#include "adapters/card_list.h"

#include "adapters/tests/test_printers.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace {

std::optional<CardListEntry> Entry(std::u16string name, DriverVersionNumber version,
                                   DriverDateNumber date, std::u16string code) {
    return CardListEntry{std::move(name), version, date, std::move(code)};
}

const std::optional<CardListEntry> kInvalid = std::nullopt;

void ExpectEntry(const std::optional<CardListEntry>& actual,
                 const std::optional<CardListEntry>& expected, const char* dialect) {
    SCOPED_TRACE(dialect);
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (!expected) {
        return;
    }
    EXPECT_EQ(actual->name, expected->name);
    EXPECT_EQ(actual->listVersion, expected->listVersion);
    EXPECT_EQ(actual->listDate, expected->listDate);
    EXPECT_EQ(actual->entryCode, expected->entryCode);
}

// One line, read by both programs side by side.
struct LineCase {
    const char16_t* line;
    std::optional<CardListEntry> sysTest;
    std::optional<CardListEntry> vexmira;
};

TEST(ParseCardListLine, BothDialectsSideBySide) {
    const auto quadro = Entry(u"NVIDIA Quadro FX 1800", {295, 73, 0, 0}, 20120120, u"GD");
    const LineCase cases[] = {
        {u"NVIDIA Quadro FX 1800,295.73,20120120,GD", quadro, quadro},
        {u"Quadro,8.15.10,20111005,CD", Entry(u"Quadro", {8, 15, 10, 0}, 20111005, u"CD"),
         Entry(u"Quadro", {8, 15, 10, 0}, 20111005, u"CD")},
        {u"Quadro,8-15-10-2653,20111005,GL", Entry(u"Quadro", {8, 15, 10, 2653}, 20111005, u"GL"),
         Entry(u"Quadro", {8, 15, 10, 2653}, 20111005, u"GL")},
        // An empty name matches everything in the system test; the diagnostic
        // skips the leading comma and takes the version as the name.
        {u",295.73,20120120,GD", Entry(u"", {295, 73, 0, 0}, 20120120, u"GD"), kInvalid},
        {u",8.15,1.2,20120120,GD", kInvalid, Entry(u"8.15", {1, 2, 0, 0}, 20120120, u"GD")},
        {u"Quadro,,20120120,GD", Entry(u"Quadro", {}, 20120120, u"GD"),
         Entry(u"Quadro", {}, 20120120, u"GD")},
        // Two commas only: no code for the system test, an empty one for the diagnostic.
        {u"Quadro,295.73,20120120", kInvalid, Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"")},
        {u"Quadro,295.73,20120120,", Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u""),
         Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"")},
        // A one-part version is too short for the diagnostic.
        {u"Quadro,295,20120120,GD", Entry(u"Quadro", {295, 0, 0, 0}, 20120120, u"GD"), kInvalid},
        {u"Quadro,abc,20120120,GD", Entry(u"Quadro", {}, 20120120, u"GD"), kInvalid},
        // Lower-case codes parse; whether they count is the caller's.
        {u"Quadro,295.73,20120120,gd", Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"gd"),
         Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"gd")},
        // The diagnostic's code is two characters; the system test's all the rest.
        {u"Quadro,295.73,20120120,GD ; 2012",
         Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"GD ; 2012"),
         Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"GD")},
        {u"Quadro,295.73,20120120,GD,x", Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"GD,x"),
         Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"GD")},
        {u"Quadro,295.73,20120120,G", Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"G"),
         Entry(u"Quadro", {295, 73, 0, 0}, 20120120, u"G")},
        // Names keep their blanks; matching trims them.
        {u" Quadro FX ,295.73,20120120,GD", Entry(u" Quadro FX ", {295, 73, 0, 0}, 20120120, u"GD"),
         Entry(u" Quadro FX ", {295, 73, 0, 0}, 20120120, u"GD")},
        // Dates must be valid: 8 digits, year 2000-3000, month and day in range.
        {u"Quadro,295.73,2012012,GD", kInvalid, kInvalid},
        {u"Quadro,295.73,201201200,GD", kInvalid, kInvalid},
        {u"Quadro,295.73,19991231,GD", kInvalid, kInvalid},
        {u"Quadro,295.73,20121301,GD", kInvalid, kInvalid},
        {u"Quadro,295.73,20110231,GD", Entry(u"Quadro", {295, 73, 0, 0}, 20110231, u"GD"),
         Entry(u"Quadro", {295, 73, 0, 0}, 20110231, u"GD")},
        {u"Quadro,295.73,,GD", kInvalid, kInvalid},
        {u"Quadro,,,GD", kInvalid, kInvalid},
        {u"Quadro,295.73", kInvalid, kInvalid},
        {u"Quadro,", kInvalid, kInvalid},
        {u"Quadro", kInvalid, kInvalid},
        {u",,,", kInvalid, kInvalid},
        {u"", kInvalid, kInvalid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.line)));
        ExpectEntry(ParseCardListLine(c.line, Dialect::QuarvelSysTest), c.sysTest,
                    "QuarvelSysTest");
        ExpectEntry(ParseCardListLine(c.line, Dialect::Vexmira), c.vexmira, "vexmira");
    }
}

TEST(ParseCardListLine, DiagnosticReadsAtMost1023Characters) {
    // The diagnostic only ever gets pieces of 255 characters from its stream,
    // but a longer text must not run past its buffer.
    std::u16string line = u"Quadro" + std::u16string(1100, u' ') + u",295.73,20120120,GD";
    EXPECT_FALSE(ParseCardListLine(line, Dialect::Vexmira));
    EXPECT_TRUE(ParseCardListLine(line, Dialect::QuarvelSysTest));
}

TEST(ParseCardListLine, SaysWhyEachDialectRejects) {
    using enum CardListLineFault;
    const struct {
        const char16_t* line;
        CardListLineFault sysTest;
        CardListLineFault vexmira;
    } cases[] = {
        {u"Quadro,295.73,20120120,GD", None, None},
        {u"Quadro,295.73,20120120", TooFewCommas, None},
        {u"Quadro", TooFewCommas, NothingAfterName},
        {u"Quadro,", TooFewCommas, NothingAfterName},
        {u",,,", NoDate, OnlyCommas},
        {u"Quadro,295,20120120,GD", None, VersionTooShort},
        {u",295.73,20120120,GD", None, VersionTooShort},  // the fields shift
        {u"Quadro,295.73", TooFewCommas, NoDate},
        {u"Quadro,295.73,,GD", NoDate, NoDate},
        {u"Quadro,295.73,19991231,GD", InvalidDate, InvalidDate},
        {u"Quadro,295.73,2012012,GD", InvalidDate, InvalidDate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.line)));
        for (const auto& [dialect, expected] : {std::pair(Dialect::QuarvelSysTest, c.sysTest),
                                                std::pair(Dialect::Vexmira, c.vexmira)}) {
            CardListLineFault fault = InvalidDate;
            const bool parsed = ParseCardListLine(c.line, dialect, &fault).has_value();
            EXPECT_EQ(fault, expected);
            EXPECT_EQ(parsed, expected == None);
        }
    }
}

TEST(CardListNameCovers, GeneralNamesMatchEveryAdapterOfTheSpecificOnes) {
    const struct {
        const char16_t* general;
        const char16_t* specific;
        bool covers;
    } cases[] = {
        {u"Quadro 2000", u"Quadro 2000D", true},  // D does not run on
        {u"Quadro 2000", u"Quadro 2000M", false},
        {u"Quadro 2000", u"Quadro 20000", false},
        {u"Quadro FX 580", u"Quadro FX 5800", false},
        {u"Quadro 2000", u"Quadro FX 2000", true},
        {u"GeForce GT", u"GeForce GTX 580", true},
        {u"quadro  FX", u"FX QUADRO 580", true},
        {u"Quadro FX 580", u"Quadro FX", false},
        {u"", u"Quadro FX 580", true},
        {u" ", u"pci\\ven_10de&dev_0640", true},
        {u"Quadro", u"pci\\ven_10de&dev_0640", false},
        {u"pci\\ven_10de", u"PCI\\VEN_10DE&DEV_0640", true},
        {u"pci\\ven_10de&dev_0640", u"pci\\ven_10de", false},
        {u"pci\\ven_10de", u"Quadro", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.general)) + " over " +
                     testing::PrintToString(std::u16string(c.specific)));
        for (Dialect dialect : {Dialect::QuarvelSysTest, Dialect::Vexmira}) {
            EXPECT_EQ(CardListNameCovers(c.general, c.specific, dialect), c.covers);
            // What it claims holds for the adapter the specific name stands for.
            const std::u16string caption = u"NVIDIA " + std::u16string(c.specific);
            const std::u16string pnp = ToUpperAscii(c.specific) + u"&SUBSYS_00000000";
            if (c.covers && MatchCardListEntry(c.specific, caption, pnp, dialect)) {
                EXPECT_TRUE(MatchCardListEntry(c.general, caption, pnp, dialect));
            }
        }
    }
}

struct MatchCase {
    const char16_t* name;
    const char16_t* caption;
    bool sysTest;
    bool vexmira;
};

TEST(MatchCardListEntry, WordRuleInBothDialects) {
    const char16_t* fx580 = u"NVIDIA Quadro FX 580";
    const MatchCase cases[] = {
        {u"Quadro FX 580", fx580, true, true},
        {u"FX 5800", fx580, false, false},       // 5800 is not in the caption
        {u"Quadro FX 58", fx580, false, false},  // 58 runs on into a digit
        {u"Quadro", fx580, true, true},
        {u"uadro", fx580, false, false},  // not at a word start
        {u"quadro fx 580", fx580, true, true},
        {u"QUADRO FX 580", u"nvidia quadro fx 580", true, true},
        {u"Quadro  FX   580", fx580, true, true},  // empty words are skipped
        // ... even against a caption where nothing but a digit or an "m"
        // follows a blank, where an empty word would stand nowhere.
        {u"Mobility  9600", u"Mobility 9600", true, true},
        {u"  Quadro FX 580  ", fx580, true, true},
        // Only the system test trims every kind of white space.
        {u"\tQuadro FX 580\r", fx580, true, false},
        {u"580 Quadro", fx580, true, true},  // word order does not matter
        {u"NVIDIA Quadro FX 580 Mobile", fx580, false, false},
        {u"GeForce 8600", u"NVIDIA GeForce 8600M GT", false, false},  // a mobile model
        {u"GeForce 8600", u"NVIDIA GeForce 8600m GT", false, false},
        {u"GeForce 8600", u"NVIDIA GeForce 8600 GT", true, true},
        {u"GeForce 8600 GT", u"NVIDIA GeForce 8600 GTS", true, true},
        {u"FX", u"ATI Radeon FX-2", true, true},  // a minus sign ends a word
        {u"Radeon HD 7970", u"AMD Radeon HD 7970M", false, false},
        {u"HD Graphics", u"Intel(R) HD Graphics 4000", true, true},
        {u"Intel HD Graphics 4000", u"Intel(R) HD Graphics 4000", true, true},
        // A word counts where it stands as a word, not only where it first occurs.
        {u"GeForce GTX TITAN X", u"NVIDIA GeForce GTX TITAN X", true, true},
        {u"Radeon RX Vega M GH", u"AMD Radeon RX Vega M GH", true, true},
        {u"FX", u"NVIDIA QuadroFX FX 580", true, true},
        {u"580", u"NVIDIA Quadro 5800 580", true, true},
        {u"X", u"NVIDIA GeForce GTX TITAN", false, false},
        // A name without words matches every adapter.
        {u"", fx580, true, true},
        {u"   ", fx580, true, true},
        {u"Quadro", u"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.name)) + " against " +
                     testing::PrintToString(std::u16string(c.caption)));
        EXPECT_EQ(MatchCardListEntry(c.name, c.caption, u"", Dialect::QuarvelSysTest), c.sysTest);
        EXPECT_EQ(MatchCardListEntry(c.name, c.caption, u"", Dialect::Vexmira), c.vexmira);
    }
}

TEST(MatchCardListEntry, PciFragmentsMatchThePnpDeviceId) {
    const char16_t* pnp = u"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\4&2B5A3A7C&0&0010";
    const struct {
        const char16_t* name;
        const char16_t* pnpDeviceId;
        bool matches;
    } cases[] = {
        {u"pci\\ven_10de&dev_0640", pnp, true},
        {u"PCI\\VEN_10DE&DEV_0640", pnp, true},
        {u" pci\\ven_10de&dev_0640 ", pnp, true},
        {u"pci\\ven_10de&dev_0641", pnp, false},
        {u"pci\\ven_1002&dev_0640", pnp, false},
        {u"pci\\ven_10de&dev_0640", u"", false},
        // Anywhere in the id, not only at its start.
        {u"pcidev_0640", u"XPCIDEV_0640", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.name)));
        // The word rule is not applied: the caption holds none of the words.
        for (Dialect dialect : {Dialect::QuarvelSysTest, Dialect::Vexmira}) {
            EXPECT_EQ(MatchCardListEntry(c.name, u"NVIDIA GeForce 9500 GT", c.pnpDeviceId, dialect),
                      c.matches);
        }
    }
    // A caption word "pci..." is not a word rule match either.
    EXPECT_FALSE(MatchCardListEntry(u"pci", u"pci card", u"", Dialect::QuarvelSysTest));
}

}  // namespace
