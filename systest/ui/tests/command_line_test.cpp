#include "systest/ui/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    bool silent;
    bool acceptAgreement;
    std::optional<std::u16string> report;
    std::optional<std::u16string> json;
};

TEST(ParseCommandLine, ReadsTheSwitchesInAnyOrderAndLetterCase) {
    const struct {
        const char* name;
        std::vector<std::u16string> arguments;
        Expected expected;
    } cases[] = {
        {"nothing", {}, {false, false, {}, {}}},
        {"the deployment line",
         {u"-silent", u"-acceptagreement", u"-report", u"r.txt", u"-json", u"r.json"},
         {true, true, u"r.txt", u"r.json"}},
        {"other order and case",
         {u"-JSON", u"C:\\Results\\PC 7.json", u"-AcceptAgreement", u"-Silent"},
         {true, true, {}, u"C:\\Results\\PC 7.json"}},
        {"silent alone", {u"-silent"}, {true, false, {}, {}}},
        {"the diagnostic boxes' switch is known", {u"-verbosevideo"}, {false, false, {}, {}}},
        {"a UNC path",
         {u"-report", u"\\\\server\\share\\r.txt"},
         {false, false, u"\\\\server\\share\\r.txt", {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, u"");
        EXPECT_EQ(line.silent, c.expected.silent);
        EXPECT_EQ(line.acceptAgreement, c.expected.acceptAgreement);
        EXPECT_EQ(line.reportPath, c.expected.report);
        EXPECT_EQ(line.jsonPath, c.expected.json);
    }
}

TEST(ParseCommandLine, SaysWhatMakesACommandLineBad) {
    const struct {
        std::vector<std::u16string> arguments;
        std::u16string error;
    } cases[] = {
        {{u"-silent", u"-quiet"}, u"Unknown switch -quiet."},
        {{u"/silent"}, u"Unexpected argument /silent."},
        {{u"-silent", u"r.txt"}, u"Unexpected argument r.txt."},
        {{u"-silent", u"-report"}, u"A file name must follow -report."},
        {{u"-Json", u"-silent"}, u"A file name must follow -Json."},
        {{u"-report", u""}, u"A file name must follow -report."},
        {{u"-silent", u"-SILENT"}, u"The switch -SILENT is given twice."},
        {{u"-report", u"a.txt", u"-report", u"b.txt"}, u"The switch -report is given twice."},
        // The first fault is the one named.
        {{u"-x", u"-report"}, u"Unknown switch -x."},
    };
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error);
    }
}

}  // namespace
