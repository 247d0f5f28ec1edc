#include "cardlist/explain.h"

#include "cardlist/tests/memory_system.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const AdapterFacts kGeForce9500 = {
    u"NVIDIA GeForce 9500 GT", u"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD",
    u"8.17.12.9573", u"20220118"};
const AdapterFacts kIntelHd4000 = {
    u"Intel(R) HD Graphics 4000",
    u"PCI\\VEN_8086&DEV_0166&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD", u"9.17.10.2867",
    u"20220118"};
const OpenGLFacts kOpenGL2 = {"2.1 Mesa 22.3.6", false, ""};
const OpenGLFacts kOpenGL4 = {"4.5 (Compatibility Profile) Mesa 22.3.6", false, ""};
const OpenGLFacts kOpenGL3Elsewhere = {"4.5", true, ""};

struct Row {
    const char* key;
    CheckLevel level;
    int message;
    int reportMessage;
};

// Both programs for one adapter: Vexmira's exit code and the line that
// decided it, QuarvelSysTest's remembered line and its rows. The cases of the
// comparison with the real programs under Wine are among them.
TEST(Explain, WhatEachProgramDecides) {
    const std::string cd = "pci\\ven_8086&dev_0166,8.15.10.2653,20120209,CD\n";
    const struct {
        const char* description;
        std::string list;
        AdapterFacts adapter;
        OpenGLFacts gl;
        int exitCode;
        int vexmiraLine;
        int sysTestLine;
        std::vector<Row> rows;
    } cases[] = {
        // clang-format off
        {"OpenGL 4: the list decides for a card it names", cd + "GeForce 9500 GT,285.62,20111024,GD\n", kGeForce9500, kOpenGL4, 3, 2, 2, {{"graphics-card", CheckLevel::Warning, 981, 982}}},
        {"OpenGL 4: a card it names NG is not passed", "GeForce 9500 GT,285.62,20111024,NG\n", kGeForce9500, kOpenGL4, 0, 1, 1, {{"graphics-card", CheckLevel::Warning, 980, 980}}},
        {"OpenGL 4: a card it does not name passes, not called certified", cd, kGeForce9500, kOpenGL4, 3, 0, 0, {{"graphics-card", CheckLevel::Passed, 1000, 1000}}},
        {"full check, listed and current", cd + "GeForce 9500 GT,285.62,20111024,GD\n", kGeForce9500, kOpenGL2, 3, 2, 2, {{"graphics-card", CheckLevel::Warning, 981, 982}}},
        {"full check, driver of the same version but older than listed", "GeForce 9500 GT,295.73,20250101,GD\n", kGeForce9500, kOpenGL2, 2, 1, 1, {{"graphics-driver", CheckLevel::Warning, 1007, 1007}}},
        {"full check, certified", "# cards\nGeForce 9500 GT,295.73,20120120,GL\n", kGeForce9500, kOpenGL2, 3, 2, 2, {{"graphics-card", CheckLevel::PassedWithMargin, 985, 985}}},
        {"OpenGL 4, certified with an older driver version", "GeForce 9500 GT,301.42,20120101,GL\n", kGeForce9500, kOpenGL4, 3, 1, 1, {{"graphics-card", CheckLevel::Warning, 1008, 1008}}},
        {"full check, not supported", "GeForce 9500 GT,295.73,20120120,NG\n", kGeForce9500, kOpenGL2, 0, 1, 1, {{"graphics-card", CheckLevel::Warning, 980, 980}}},
        {"full check, not listed", cd + "Quadro FX 580,295.73,20120120,GD\n", kGeForce9500, kOpenGL2, 0, 0, 0, {{"graphics-card", CheckLevel::Warning, 980, 980}}},
        {"OpenGL 4, a CD line of this card wants a newer driver", "pci\\ven_10de&dev_0640,295.73,20250101,CD\n", kGeForce9500, kOpenGL4, 2, 0, 1, {{"graphics-card", CheckLevel::Warning, 1009, 1009}}},
        {"switchable graphics", cd, kIntelHd4000, kOpenGL3Elsewhere, 4, 0, 1, {{"graphics-card", CheckLevel::PassedWithMargin, 989, 989}}},
        {"Intel's own OpenGL 4: a current CD line ends the scan, NG ends the search", cd + "Intel HD Graphics 4000,8.15.10.2653,20120209,NG\n", kIntelHd4000, kOpenGL4, 0, 2, 1, {{"graphics-card", CheckLevel::Warning, 980, 980}}},
        // Vexmira stops at the first match, QuarvelSysTest takes the last.
        {"listed twice", "GeForce 9500 GT,285.62,20111024,GD\nGeForce 9500,285.62,20111024,NG\n", kGeForce9500, kOpenGL2, 3, 1, 2, {{"graphics-card", CheckLevel::Warning, 980, 980}}},
        {"a one-part version: only Vexmira rejects the line", "GeForce 9500 GT,295,20120120,GD\n", kGeForce9500, kOpenGL2, 0, 0, 1, {{"graphics-card", CheckLevel::Warning, 980, 980}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const Explanation explanation =
            Explain(ReadAsBothPrograms(c.list), u"GraphicsCardGBList.txt", c.adapter, c.gl);
        EXPECT_EQ(explanation.vexmira.exitCode, c.exitCode);
        EXPECT_EQ(explanation.vexmira.decidingLine, c.vexmiraLine);
        EXPECT_EQ(explanation.quarvelSysTest.decidingLine, c.sysTestLine);
        const std::vector<RowVerdict>& rows = explanation.quarvelSysTest.rows;
        ASSERT_EQ(rows.size(), c.rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].key, c.rows[i].key);
            EXPECT_EQ(rows[i].level, c.rows[i].level);
            EXPECT_EQ(rows[i].message, c.rows[i].message);
            EXPECT_EQ(rows[i].reportMessage, c.rows[i].reportMessage);
        }
    }
}

// The log as Vexmira writes it, each line with the list line it was reading;
// the rows with the program's English texts.
TEST(Explain, LogLinesAndTextsAsTheProgramsWriteThem) {
    const Explanation explanation =
        Explain(ReadAsBothPrograms("# cards\nGeForce 9500 GT,295,20120120,GD\n"
                                   "GeForce 9500 GT,295.73,20250101,GD\n"),
                u"C:\\Q\\GraphicsCardGBList.txt", kGeForce9500, kOpenGL2);
    const std::vector<std::pair<int, std::u16string>> expected = {
        {0, u"1 active video adapters were found.\n"},
        {0, u"caption: NVIDIA GEFORCE 9500 GT \n"},
        {0, u"GB-list file C:\\Q\\GraphicsCardGBList.txt\n"},
        {0,
         u"Searching for NVIDIA GEFORCE 9500 GT "
         u"(PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD) driver "
         u"version: 295.73.0.0  date: 20220118...\n\n"},
        {2, u"Invalid line ! GeForce 9500 GT,295,20120120,GD\n"},
        {3, u"Match found: NVIDIA GEFORCE 9500 GT 295.73.0.0\n"},
        {3, u"The driver is not up to date!\n"},
        {0, u"OK\n\n"},
    };
    std::vector<std::pair<int, std::u16string>> log;
    for (const LogLine& line : explanation.vexmira.log) {
        log.emplace_back(line.listLine, line.text);
    }
    EXPECT_EQ(log, expected);
    ASSERT_EQ(explanation.quarvelSysTest.rows.size(), 1u);
    EXPECT_EQ(explanation.quarvelSysTest.rows[0].text,
              u"The graphics driver is older than the certified driver: the driver of "
              u"2025-01-01 is certified, one of 2022-01-18 is installed.");
    EXPECT_EQ(explanation.quarvelSysTest.rows[0].status, u"Warning");
}

TEST(ExplainCommand, PrintsTextOrJsonAndRefusesWhatItLacks) {
    MemorySystem system;
    system.files[u"list.txt"] = ShippedList();
    const std::vector<std::u16string> explain = {u"explain",
                                                 u"--list",
                                                 u"list.txt",
                                                 u"--caption",
                                                 u"NVIDIA GeForce 9500 GT",
                                                 u"--driver-version",
                                                 u"8.17.12.9573",
                                                 u"--driver-date",
                                                 u"20220118"};
    EXPECT_EQ(system.Run(explain), kToolClean);
    EXPECT_NE(system.out.find("Exit code 3 (supported)"), std::string::npos) << system.out;

    std::vector<std::u16string> json = explain;
    json.push_back(u"--json");
    json.push_back(u"--opengl");
    json.push_back(u"4.5");
    EXPECT_EQ(system.Run(json), kToolClean);
    for (const char* part : {"\"exitCode\": 3\n", "\"check\": \"namedCardsOnly\"",
                             "\"rows\": [\n      {\"key\": \"graphics-card\", \"level\": 2, "
                             "\"status\": \"Warning\", \"message\": 981,"}) {
        EXPECT_NE(system.out.find(part), std::string::npos) << part << " in " << system.out;
    }

    const struct {
        std::vector<std::u16string> arguments;
        const char* problem;
    } refused[] = {
        {{u"explain", u"--list", u"list.txt"}, "explain needs --caption (or --results)"},
        {{u"explain", u"--list", u"list.txt", u"--caption", u"X", u"--driver-version", u"1.2",
          u"--driver-date", u"2012-1-1"},
         "--driver-date takes 8 digits"},
        {{u"explain", u"--caption", u"NVIDIA Quadro 600", u"--driver-version", u"1260.5",
          u"--driver-date", u"20120101"},
         "--driver-version 1260.5 is neither NVIDIA's short form"},
        {{u"explain", u"--caption"}, "--caption needs a value"},
        {{u"explain", u"--pnp", u"a", u"--pnp", u"b"}, "--pnp is given twice"},
        {{u"explain", u"--verbose"}, "explain does not know --verbose"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.problem);
        EXPECT_EQ(system.Run(r.arguments), kToolFailed);
        EXPECT_TRUE(system.error.starts_with(std::string("cardlist: ") + r.problem))
            << system.error;
    }
}

}  // namespace
