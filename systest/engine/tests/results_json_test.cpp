#include "systest/engine/results_json.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(JsonString, EscapesWhatJsonMustAndKeepsTheRestAsUtf8) {
    const struct {
        const char* name;
        std::u16string text;
        std::string json;
    } cases[] = {
        {"empty", u"", "\"\""},
        {"quote and backslash", u"C:\\Temp\\\"r\".txt", "\"C:\\\\Temp\\\\\\\"r\\\".txt\""},
        {"line breaks and tab", u"a\r\nb\tc", "\"a\\r\\nb\\tc\""},
        {"other controls", std::u16string(u"\x01\x1F\b\f", 4), "\"\\u0001\\u001F\\b\\f\""},
        {"NUL inside", std::u16string(u"a\0b", 3), "\"a\\u0000b\""},
        {"delete is no control for JSON", u"\x7F", "\"\x7F\""},
        {"UTF-8 between escapes", u"\u00FC\n\U0001F600\"\xD83D",
         "\"\xC3\xBC\\n\xF0\x9F\x98\x80\\\"\xEF\xBF\xBD\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonString(c.text), c.json);
    }
}

TEST(FormatLocalTimestamp, GivesTheOffsetFromUtcWithItsSign) {
    const CalendarDate date{6, 12, 2026};
    const struct {
        TimeOfDay time;
        const char* text;
    } cases[] = {
        {{14, 5, 9, 60}, "2026-12-06T14:05:09+01:00"},
        {{0, 0, 0, 0}, "2026-12-06T00:00:00+00:00"},
        {{23, 59, 59, -300}, "2026-12-06T23:59:59-05:00"},
        {{8, 30, 0, -210}, "2026-12-06T08:30:00-03:30"},
        {{8, 30, 0, 345}, "2026-12-06T08:30:00+05:45"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatLocalTimestamp(date, c.time), c.text);
    }
}

const RunFacts kFacts = {u"PC-M\u00FCller", {6, 12, 2026}, u"Feb 20 2012", {14, 5, 9, 60}};

CheckRun RunWithVerdicts(std::vector<CheckVerdict> verdicts, CheckSummary summary,
                         std::optional<OSReading> os, int32_t diagnosticExitCode) {
    CheckRun run;
    run.facts = kFacts;
    run.summary = std::move(summary);
    run.verdicts = std::move(verdicts);
    run.os = std::move(os);
    run.diagnostic.exitCode = diagnosticExitCode;
    return run;
}

TEST(FormatResultsJson, NamesEveryCheckWithItsLevelStatusAndReportText) {
    CheckRun run = RunWithVerdicts(
        {{CheckKey::OperatingSystem, CheckLevel::Passed, u"Passed     ", u"shown",
          u"Windows is supported.", true, std::nullopt},
         {CheckKey::GraphicsCard, CheckLevel::Warning, u"Warning    ", u"shown",
          u"The screen was not \"checked\".", false, 1}},
        {CheckLevel::Warning, u"Warning    ", u"This computer meets the minimum requirements."},
        OSReading{u"Microsoft Windows 7 Professional", {u'+', u'1'}}, 2);
    // A dock that WMI names first, and the card that was judged.
    ReportedAdapter dock{u"DisplayLink USB Device",
                         u"USB\\VID_17E9",
                         u"10.2.6961.0",
                         std::nullopt,
                         std::nullopt,
                         std::nullopt,
                         {10, 2, 6961, 0},
                         0,
                         false,
                         true,
                         false};
    ReportedAdapter card{u"NVIDIA Quadro FX 580",
                         u"PCI\\VEN_10DE",
                         u"8.17.12.6099",
                         u"20101130000000.000000-000",
                         u"8.17.12.6099",
                         536870912u,
                         {260, 99, 0, 0},
                         20101130,
                         true,
                         true,
                         true};
    run.graphics = {{dock, card}, 1, u"vexmira_PC_2026-12-6_1405.txt"};
    EXPECT_EQ(FormatResultsJson(run),
              "{\r\n"
              "  \"schemaVersion\": 1,\r\n"
              "  \"product\": \"Quarvel 2012\",\r\n"
              "  \"programVersion\": \"2012.0.0.0\",\r\n"
              "  \"computerName\": \"PC-M\xC3\xBCller\",\r\n"
              "  \"tested\": \"2026-12-06T14:05:09+01:00\",\r\n"
              "  \"operatingSystem\": {\r\n"
              "    \"description\": \"Microsoft Windows 7 Professional\",\r\n"
              "    \"verdict\": \"+\"\r\n"
              "  },\r\n"
              "  \"checks\": [\r\n"
              "    {\r\n"
              "      \"key\": \"os\",\r\n"
              "      \"level\": 3,\r\n"
              "      \"measured\": true,\r\n"
              "      \"status\": \"Passed\",\r\n"
              "      \"text\": \"Windows is supported.\"\r\n"
              "    },\r\n"
              "    {\r\n"
              "      \"key\": \"graphics-card\",\r\n"
              "      \"level\": 2,\r\n"
              "      \"measured\": false,\r\n"
              "      \"status\": \"Warning\",\r\n"
              "      \"text\": \"The screen was not \\\"checked\\\".\",\r\n"
              "      \"adapter\": 1\r\n"
              "    }\r\n"
              "  ],\r\n"
              "  \"graphics\": {\r\n"
              "    \"adapters\": [\r\n"
              "      {\r\n"
              "        \"caption\": \"DisplayLink USB Device\",\r\n"
              "        \"pnpDeviceId\": \"USB\\\\VID_17E9\",\r\n"
              "        \"driverVersion\": \"10.2.6961.0\",\r\n"
              "        \"driverDate\": null,\r\n"
              "        \"registryDriverVersion\": null,\r\n"
              "        \"comparedVersion\": \"10.2.6961\",\r\n"
              "        \"comparedDate\": null,\r\n"
              "        \"memoryBytes\": null,\r\n"
              "        \"rendersOpenGL\": false,\r\n"
              "        \"drivesScreen\": true,\r\n"
              "        \"primary\": false\r\n"
              "      },\r\n"
              "      {\r\n"
              "        \"caption\": \"NVIDIA Quadro FX 580\",\r\n"
              "        \"pnpDeviceId\": \"PCI\\\\VEN_10DE\",\r\n"
              "        \"driverVersion\": \"8.17.12.6099\",\r\n"
              "        \"driverDate\": \"20101130000000.000000-000\",\r\n"
              "        \"registryDriverVersion\": \"8.17.12.6099\",\r\n"
              "        \"comparedVersion\": \"260.99\",\r\n"
              "        \"comparedDate\": \"2010-11-30\",\r\n"
              "        \"memoryBytes\": 536870912,\r\n"
              "        \"rendersOpenGL\": true,\r\n"
              "        \"drivesScreen\": true,\r\n"
              "        \"primary\": true\r\n"
              "      }\r\n"
              "    ],\r\n"
              "    \"judgedAdapter\": 1,\r\n"
              "    \"diagnosticLog\": \"vexmira_PC_2026-12-6_1405.txt\"\r\n"
              "  },\r\n"
              "  \"diagnosticExitCode\": 2,\r\n"
              "  \"overall\": {\r\n"
              "    \"level\": 2,\r\n"
              "    \"status\": \"Warning\",\r\n"
              "    \"summary\": \"This computer meets the minimum requirements.\"\r\n"
              "  }\r\n"
              "}\r\n");

    // The keys are what collecting scripts match: each is compared as written
    // in README.md and docs/results.schema.json.
    const struct {
        CheckKey key;
        const char* name;
    } keys[] = {
        {CheckKey::OperatingSystem, "os"},
        {CheckKey::Processor, "processor"},
        {CheckKey::Memory, "memory"},
        {CheckKey::Disk, "disk"},
        {CheckKey::Screen, "screen"},
        {CheckKey::Diagnostic, "diagnostic"},
        {CheckKey::GraphicsMemory, "graphics-memory"},
        {CheckKey::GraphicsCard, "graphics-card"},
        {CheckKey::GraphicsDriver, "graphics-driver"},
        {CheckKey::Adapters, "adapters"},
        {CheckKey::HybridGraphics, "hybrid-graphics"},
    };
    for (const auto& k : keys) {
        const std::string json = FormatResultsJson(
            RunWithVerdicts({{k.key, CheckLevel::Passed, u"Passed", u"", u"", true, std::nullopt}},
                            run.summary, std::nullopt, 0));
        EXPECT_NE(json.find("\"key\": \"" + std::string(k.name) + "\",\r\n"), std::string::npos)
            << json;
    }
}

TEST(FormatResultsJson, WithoutRowsOrOperatingSystemTheListsAndTextsStayEmpty) {
    const CheckRun run = RunWithVerdicts({}, {CheckLevel::NoRows, u"", u""}, std::nullopt, -1);
    const std::string json = FormatResultsJson(run);
    EXPECT_NE(json.find("\"checks\": [],\r\n"), std::string::npos) << json;
    EXPECT_NE(json.find("\"description\": \"\",\r\n    \"verdict\": \"\"\r\n"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"diagnosticExitCode\": -1,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"level\": 5,"), std::string::npos) << json;
}

}  // namespace
