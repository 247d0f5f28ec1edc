#include "cardlist/check.h"

#include "cardlist/tests/memory_system.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A "CD" line of the shipped list, then the lines of each case.
const std::string kFirst = "pci\\ven_8086&dev_0166,8.15.10.2653,20120209,CD\n";

struct Expected {
    int line;
    const char* begins;  // the finding's text begins so
};

TEST(CheckCardList, FindsWhatEachProgramReadsOtherwise) {
    const struct {
        const char* description;
        std::string list;
        std::vector<Expected> findings;
    } cases[] = {
        {"clean", kFirst + "Quadro 600,276.42,20110712,GL\n", {}},
        {"no code",
         kFirst + "Quadro 600,276.42,20110712\n",
         {{2, "QuarvelSysTest rejects it: it has fewer than three commas"},
          {2, "no entry code: neither program counts the line"}}},
        {"no date",
         kFirst + "Quadro,,,GD\n",
         {{2,
           "both programs reject it: QuarvelSysTest as the date is missing, Vexmira as the "
           "date is missing"}}},
        {"one-part version",
         kFirst + "Quadro 600,295,20110712,GL\n",
         {{2, "Vexmira rejects it: the version has fewer than two parts"}}},
        {"empty version part",
         kFirst + "FirePro V3800,8..17,20110712,GL\n",
         {{2,
           "the programs read the version differently: QuarvelSysTest as \"8.0.17\", "
           "Vexmira as \"8.17\""}}},
        {"text after the code",
         kFirst + "FirePro V3800,8.911.3,20111214,GL # certified\n",
         {{2,
           "the programs read the entry code (QuarvelSysTest takes all text after the third "
           "comma, Vexmira two characters) differently: QuarvelSysTest as \"GL # certified\""}}},
        {"empty name",
         kFirst + ",8.911.3,20111214,GL\n",
         {{2,
           "Vexmira rejects it: the name is empty, and Vexmira skips an empty field: it reads "
           "the version as the name"},
          {2, "the name is empty: QuarvelSysTest matches every adapter"}}},
        {"lower-case and unknown codes",
         kFirst + "Quadro 600,276.42,20110712,gl\nQuadro 400,1.2,20110712,GX\n",
         {{2, "entry code \"gl\" is not in capitals: neither program counts it as \"GL\""},
          {3, "unknown entry code \"GX\""}}},
        {"NVIDIA long form",
         kFirst + "GeForce GTX 680,9.18.13.0110,20120320,GD\n",
         {{2,
           "NVIDIA version 9.18.13.110 in its long form: both programs compare the short "
           "form, here 301.10"}}},
        {"NVIDIA build of three digits",
         kFirst + "GeForce GTX 680,296.100,20120320,GD\n",
         {{2, "NVIDIA version 296.100 in its long form"}}},
        {"lone carriage return",
         kFirst + "FirePro V3800,8.911.3,20111214,GL\rFirePro V4800,8.911.3,20111214,GL\n",
         {{2, "a carriage return without a line feed in column 34"}}},
        {"zero byte",
         kFirst + "FirePro V3800,8.911.3,2011" + '\0' + "1214,GL\n",
         {{2, "a zero byte in column 27: Vexmira's line ends there"},
          {2, "both programs reject it: QuarvelSysTest as the date is not yyyymmdd"}}},
        {"zero byte after the code",
         kFirst + "Quadro 600,276.42,20110712,GL" + '\0' + "x\n",
         {{2, "a zero byte in column 30"},
          {2,
           "the programs read the entry code (QuarvelSysTest takes all text after the third "
           "comma, Vexmira two characters) differently: QuarvelSysTest as \"GL\\x00x\""}}},
        {"Ctrl+Z",
         kFirst + "\x1A\nFirePro V3800,8.911.3,20111214,GL\n",
         {{2, "Ctrl+Z (byte 26) in column 1: Vexmira reads no further"},
          {2, "QuarvelSysTest rejects it"}}},
        {"byte above 127",
         kFirst + "FirePro V3800 \xE9,8.911.3,20111214,GL\n",
         {{2, "a byte above 127 in column 15"}}},
        {"UTF-16",
         std::string("\xFF\xFEp\0,\0", 6),
         {{1, "UTF-16 (a byte-order mark): Vexmira reads each line only up to its first zero"},
          {1, "QuarvelSysTest rejects it"}}},
        {"duplicate",
         kFirst + "Quadro 600,276.42,20110712,GL\nquadro  600,276.42,20110712,GL\n",
         {{3, "duplicate of line 2 (\"Quadro 600\")"}}},
        {"duplicate with other values",
         kFirst + "Quadro 600,276.42,20110712,GL\nQuadro 600,285.58,20111020,GL\n",
         {{3,
           "duplicate of line 2 (\"Quadro 600\") with other values: Vexmira takes the first, "
           "QuarvelSysTest the last"}}},
        {"shadowed",
         kFirst + "Quadro 600,276.42,20110712,GL\nQuadro 600 Plus,276.42,20110712,GD\n",
         {{3,
           "never reached by Vexmira: line 2 (\"Quadro 600\") matches every adapter this line "
           "names"}}},
        {"overridden",
         kFirst + "Quadro 600 Plus,276.42,20110712,GD\nQuadro 600,276.42,20110712,GL\n",
         {{2,
           "never decides QuarvelSysTest: line 3 (\"Quadro 600\") matches every adapter this "
           "line names"}}},
        {"a CD line overrides nothing", kFirst + "pci\\ven_8086,8.15.10.2653,20120209,GD\n", {}},
        {"a general CD line ends no search",
         "pci\\ven_8086,8.15.10.2653,20120209,CD\npci\\ven_8086&dev_0166,8.15.10.2653,20120209,"
         "GD\n",
         {}},
        {"one line shadows several",
         kFirst + "Quadro,276.42,20110712,NG\nQuadro 600,276.42,20110712,GL\n" +
             "Quadro 4000,276.42,20110712,GL\n",
         {{2, "Vexmira never reaches 2 later lines (lines 3 and 4): this line matches"}}},
        {"one line overrides several",
         kFirst + "Quadro 600,276.42,20110712,GL\nQuadro 4000,276.42,20110712,GL\n" +
             "Quadro,276.42,20110712,NG\n",
         {{4, "keeps 2 earlier lines (lines 2 and 3) from deciding QuarvelSysTest"}}},
        {"no entry line", "# only comments\n", {{0, "no entry line: Vexmira finds no adapter"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const std::vector<Finding> findings = CheckCardList(c.list);
        std::string found;
        for (const Finding& finding : findings) {
            found += std::to_string(finding.line) + ": " + Utf8FromUtf16(finding.text) + "\n";
        }
        EXPECT_EQ(findings.size(), c.findings.size()) << found;
        for (size_t i = 0; i < std::min(findings.size(), c.findings.size()); ++i) {
            EXPECT_EQ(findings[i].line, c.findings[i].line);
            EXPECT_TRUE(findings[i].text.starts_with(Utf16FromAscii(c.findings[i].begins)))
                << Utf8FromUtf16(findings[i].text);
        }
    }
}

// The shipped list is clean; a copy with a byte-order mark, a long line, a
// lower-case code, a long NVIDIA version and an entry that an earlier one
// shadows names each of those lines, one finding a line.
TEST(CardListCheckCommand, ShippedListIsCleanAndABrokenCopyNamesEachFault) {
    MemorySystem system;
    system.files[u"list.txt"] = ShippedList();
    EXPECT_EQ(system.Run({u"check", u"list.txt"}), kToolClean);
    EXPECT_EQ(system.out, "");

    const int lines =
        static_cast<int>(std::count(ShippedList().begin(), ShippedList().end(), '\n'));
    system.files[u"broken.txt"] =
        "\xEF\xBB\xBF" + ShippedList() + "Quadro K9," + std::string(278, '9') + ",20110712,GL\n" +
        "Quadro 4000,276.42,20110712,gl\n" + "Quadro 5000,8.17.12.7642,20110712,GL\n" +
        "Quadro 2000 Ultra,276.42,20110712,GL\n";
    EXPECT_EQ(system.Run({u"check", u"broken.txt"}), kToolFindings);
    const std::string at = "broken.txt:";
    for (const std::string& expected :
         {at + "1: a UTF-8 byte-order mark", at + std::to_string(lines + 1) + ": 300 characters",
          at + std::to_string(lines + 2) + ": entry code \"gl\" is not in capitals",
          at + std::to_string(lines + 3) + ": NVIDIA version 8.17.12.7642 in its long form",
          at + std::to_string(lines + 4) + ": never reached by Vexmira"}) {
        EXPECT_NE(("\n" + system.out).find("\n" + expected), std::string::npos) << expected;
    }
    EXPECT_EQ(system.Run({u"check", u"missing.txt"}), kToolFailed);
    EXPECT_EQ(system.error, "cardlist: cannot read missing.txt\n");
    EXPECT_EQ(system.Run({u"check"}), kToolFailed);
    EXPECT_EQ(system.Run({u"inspect", u"list.txt"}), kToolFailed);
}

}  // namespace
