#include "adapters/driver_version.h"

#include "adapters/tests/test_printers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct Expected {
    DriverVersionNumber version;
    bool ok;
};

// One version text, read by both programs side by side.
struct VersionCase {
    const char16_t* text;
    Expected sysTest;
    Expected vexmira;
};

TEST(ParseDriverVersion, BothDialectsSideBySide) {
    const VersionCase cases[] = {
        {u"8.17.12.9573", {{8, 17, 12, 9573}, true}, {{8, 17, 12, 9573}, true}},
        {u"8-17-12-9573", {{8, 17, 12, 9573}, true}, {{8, 17, 12, 9573}, true}},
        // A list version is read with one dot appended.
        {u"295.73.", {{295, 73, 0, 0}, true}, {{295, 73, 0, 0}, true}},
        {u"8.15.10.", {{8, 15, 10, 0}, true}, {{8, 15, 10, 0}, true}},
        {u".", {{0, 0, 0, 0}, false}, {{0, 0, 0, 0}, false}},
        // Without the appended dot the system test misses its second dot.
        {u"295.73", {{295, 0, 0, 0}, false}, {{295, 73, 0, 0}, true}},
        {u"8.17.12", {{8, 17, 0, 0}, true}, {{8, 17, 12, 0}, true}},
        {u"8..17.3", {{8, 0, 17, 3}, true}, {{8, 17, 3, 0}, true}},
        {u"8..17", {{8, 0, 0, 0}, true}, {{8, 17, 0, 0}, true}},
        {u"295", {{0, 0, 0, 0}, false}, {{295, 0, 0, 0}, false}},
        {u"", {{0, 0, 0, 0}, false}, {{0, 0, 0, 0}, false}},
        {u"8.", {{8, 0, 0, 0}, false}, {{8, 0, 0, 0}, false}},
        {u"8.850-110504a-118930C-ATI",
         {{8, 850, 110504, 118930}, true},
         {{8, 850, 110504, 118930}, true}},
        // Part 4 of the system test is everything after the third dot.
        {u"1.2.3.4.5", {{1, 2, 3, 4}, true}, {{1, 2, 3, 4}, true}},
        {u"..1.2", {{0, 0, 1, 2}, true}, {{1, 2, 0, 0}, true}},
        {u"30.0.14023.3004", {{30, 0, 14023, 3004}, true}, {{30, 0, 14023, 3004}, true}},
        {u"99999999999.1.", {{INT32_MAX, 1, 0, 0}, true}, {{INT32_MAX, 1, 0, 0}, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        const ParsedDriverVersion sysTest = ParseDriverVersion(c.text, Dialect::QuarvelSysTest);
        EXPECT_EQ(sysTest.version, c.sysTest.version);
        EXPECT_EQ(sysTest.ok, c.sysTest.ok);
        const ParsedDriverVersion vexmira = ParseDriverVersion(c.text, Dialect::Vexmira);
        EXPECT_EQ(vexmira.version, c.vexmira.version);
        EXPECT_EQ(vexmira.ok, c.vexmira.ok);
    }
}

TEST(ParseDriverVersion, RegistryValuesScaleTheMinorVersionInTheSystemTestOnly) {
    const struct {
        const char16_t* text;
        DriverVersionNumber sysTest;
    } cases[] = {
        {u"8.17.12.9573", {8, 170, 12, 9573}},
        {u"8.85.0.0", {8, 850, 0, 0}},
        {u"8.99.0.0", {8, 990, 0, 0}},
        {u"8.100.0.0", {8, 100, 0, 0}},
        {u"8.17.12", {8, 170, 0, 0}},  // scaled even without a third dot
        {u"8.-5.1.1", {8, 0, 5, 1}},   // "-" separates: 8..5.1.1
        {u"8.17", {8, 0, 0, 0}},       // no second dot: nothing to scale
        {u"1.-2147483648.0.0", {1, 0, 2147483647, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        EXPECT_EQ(
            ParseDriverVersion(c.text, Dialect::QuarvelSysTest, VersionSource::Registry).version,
            c.sysTest);
        EXPECT_EQ(ParseDriverVersion(c.text, Dialect::Vexmira, VersionSource::Registry).version,
                  ParseDriverVersion(c.text, Dialect::Vexmira).version);
    }
}

TEST(ParseDriverVersion, VexmiraReadsAtMost255Characters) {
    std::u16string text(253, u'0');
    text += u"1.2";  // the 2 is character 256
    EXPECT_EQ(ParseDriverVersion(text, Dialect::Vexmira).version,
              (DriverVersionNumber{1, 0, 0, 0}));
    EXPECT_FALSE(ParseDriverVersion(text, Dialect::Vexmira).ok);
    EXPECT_EQ(ParseDriverVersion(text + u".", Dialect::QuarvelSysTest).version,
              (DriverVersionNumber{1, 2, 0, 0}));
}

TEST(ParseDriverDate, ValidityAndNumber) {
    const struct {
        const char16_t* text;
        DriverDateNumber number;
        bool valid;
    } cases[] = {
        {u"20110512", 20110512, true},
        {u"20110231", 20110231, true},  // days per month are not checked
        {u"2011051", 0, false},
        {u"201105120", 0, false},
        {u"19991231", 19991231, false},
        {u"20111301", 20111301, false},
        {u"20110500", 20110500, false},
        {u"20110532", 20110532, false},
        {u"30001231", 30001231, true},
        {u"30011231", 30011231, false},
        {u"2011abcd", 2011, false},
        {u"-2011051", static_cast<DriverDateNumber>(-2011051), false},
        {u"", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        const ParsedDriverDate date = ParseDriverDate(c.text);
        EXPECT_EQ(date.number, c.number);
        EXPECT_EQ(date.valid, c.valid);
    }
}

TEST(AdapterDriverDate, SystemTestKeepsValidDatesVexmiraAnyEightCharacters) {
    const struct {
        const char16_t* cim;
        DriverDateNumber sysTest;
        DriverDateNumber vexmira;
    } cases[] = {
        {u"20220118000000.000000-000", 20220118, 20220118},
        {u"19991231000000.000000-000", 0, 19991231},
        {u"20221318000000.000000-000", 0, 20221318},
        {u"2022011", 0, 0},
        {u"", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.cim)));
        EXPECT_EQ(AdapterDriverDate(c.cim, Dialect::QuarvelSysTest), c.sysTest);
        EXPECT_EQ(AdapterDriverDate(c.cim, Dialect::Vexmira), c.vexmira);
    }
}

TEST(ApplyNvidiaVersionRule, RewritesNvidiaVersionsToTheShortForm) {
    const struct {
        const char16_t* caption;
        DriverVersionNumber before;
        DriverVersionNumber after;
    } cases[] = {
        {u"NVIDIA Quadro FX 580", {8, 17, 12, 9573}, {295, 73, 0, 0}},
        {u"nVidia GeForce 9500 GT", {9, 18, 13, 697}, {306, 97, 0, 0}},
        {u"NVIDIA GEFORCE GTX 470", {30, 0, 14023, 3004}, {330, 4, 0, 0}},
        {u"NVIDIA", {8, 170, 12, 9573}, {295, 73, 0, 0}},  // parts 1 and 2 unused
        {u"ATI Radeon HD 5700 Series", {8, 17, 12, 9573}, {8, 17, 12, 9573}},
        {u"Intel(R) HD Graphics 4000", {9, 17, 10, 2867}, {9, 17, 10, 2867}},
        {u"NVIDI A", {8, 17, 12, 9573}, {8, 17, 12, 9573}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.caption)));
        DriverVersionNumber version = c.before;
        ApplyNvidiaVersionRule(c.caption, version);
        EXPECT_EQ(version, c.after);
    }
}

TEST(CompareDriverVersion, TraceAndVerdict) {
    const struct {
        DriverVersionNumber adapter;
        DriverVersionNumber list;
        const char* trace;
        bool ok;
    } cases[] = {
        {{295, 73, 0, 0}, {285, 62, 0, 0}, "GC:iv1<v1|", true},
        {{8, 170, 12, 9573}, {8, 170, 12, 9573}, "GC:iv1==v1-iv2==v2-iv3==v3-iv4<=v4|", true},
        {{295, 73, 0, 0}, {295, 73, 0, 0}, "GC:iv1==v1-iv2==v2-iv3==v3-iv4<=v4|", true},
        {{8, 15, 10, 2500}, {8, 15, 10, 2653}, "GC:iv1==v1-iv2==v2-iv3==v3-", false},
        {{8, 15, 10, 2500}, {8, 15, 9, 9999}, "GC:iv1==v1-iv2==v2-iv3<v3|", true},
        {{8, 15, 10, 2500}, {8, 14, 99, 0}, "GC:iv1==v1-iv2<v2|", true},
        {{8, 15, 10, 2500}, {8, 16, 0, 0}, "GC:iv1==v1-", false},
        {{280, 0, 0, 0}, {285, 62, 0, 0}, "GC:", false},
        {{-1, 0, 0, 0}, {0, 0, 0, 0}, "GC:", false},  // signed comparison
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        const DriverVersionComparison result = CompareDriverVersion(c.adapter, c.list);
        EXPECT_EQ(result.trace, c.trace);
        EXPECT_EQ(result.versionOk, c.ok);
    }
}

TEST(IsDriverDateCurrent, UnknownAdapterDateDiffersByProgram) {
    const struct {
        DriverDateNumber adapter;
        DriverDateNumber list;
        bool sysTest;
        bool vexmira;
    } cases[] = {
        {20120120, 20120120, true, true},
        {20120121, 20120120, true, true},
        {20120119, 20120120, false, false},
        {0, 20000101, true, false},
        {0, 30001231, true, false},
        // Dates compare unsigned: a negative text's number is a huge date.
        {static_cast<DriverDateNumber>(-2011051), 20120120, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.adapter << " vs " << c.list);
        EXPECT_EQ(IsDriverDateCurrent(c.adapter, c.list, Dialect::QuarvelSysTest), c.sysTest);
        EXPECT_EQ(IsDriverDateCurrent(c.adapter, c.list, Dialect::Vexmira), c.vexmira);
    }
}

}  // namespace
