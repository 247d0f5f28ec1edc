#include "systest/ui/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    bool unattended;
    bool acceptAgreement;
    std::optional<std::u16string> report;
    std::optional<std::u16string> json;
    bool help = false;
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
         {u"-silent", u"-report", u"\\\\server\\share\\r.txt"},
         {true, false, u"\\\\server\\share\\r.txt", {}}},
        // A help switch shows the usage, whatever else the line holds.
        {"/?", {u"/?"}, {false, false, {}, {}, true}},
        {"-?", {u"-?"}, {false, false, {}, {}, true}},
        {"-help", {u"-HELP"}, {false, false, {}, {}, true}},
        {"/help", {u"/Help"}, {false, false, {}, {}, true}},
        {"help in an unattended line", {u"-silent", u"/?"}, {true, false, {}, {}, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, u"");
        EXPECT_EQ(line.unattended, c.expected.unattended);
        EXPECT_EQ(line.acceptAgreement, c.expected.acceptAgreement);
        EXPECT_EQ(line.reportPath, c.expected.report);
        EXPECT_EQ(line.jsonPath, c.expected.json);
        EXPECT_EQ(line.help, c.expected.help);
    }
}

// An unattended command line that is bad ends the run at once, without a
// window; an interactive one opens the pages anyway.
TEST(ParseCommandLine, SaysWhatMakesACommandLineBad) {
    const struct {
        std::vector<std::u16string> arguments;
        std::u16string error;
        bool unattended;
    } cases[] = {
        {{u"-silent", u"-quiet"}, u"Unknown switch -quiet.", true},
        {{u"/silent"}, u"Unknown switch /silent.", true},
        {{u"-silent", u"r.txt"}, u"Unexpected argument r.txt.", true},
        {{u"-silent", u"-report"}, u"A file name must follow -report.", true},
        {{u"-Json", u"-silent"}, u"A file name must follow -Json.", true},
        {{u"-report", u""}, u"A file name must follow -report.", true},
        {{u"-silent", u"-SILENT"}, u"The switch -SILENT is given twice.", true},
        {{u"-report", u"a.txt", u"-report", u"b.txt"}, u"The switch -report is given twice.", true},
        // The first fault is the one named, and faults before "-silent" count.
        {{u"-x", u"-report"}, u"Unknown switch -x.", true},
        {{u"-foo", u"-silent", u"-acceptagreement"}, u"Unknown switch -foo.", true},
        {{u"-slient", u"-acceptagreement", u"-json", u"r.json"}, u"Unknown switch -slient.", true},
        {{u"-acceptagreement", u"-report", u"r.txt"},
         u"The switch -acceptagreement needs -silent.",
         true},
        {{u"-verbosevideo", u"/JSON", u"r.json"}, u"Unknown switch /JSON.", true},
        // Nothing of an unattended run: the pages open.
        {{u"-slient"}, u"Unknown switch -slient.", false},
        {{u"r.txt"}, u"Unexpected argument r.txt.", false},
        // Help is no fault; beside one, the usage shows all the same.
        {{u"-x", u"/?"}, u"Unknown switch -x.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.error));
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.unattended, c.unattended);
    }
}

}  // namespace
