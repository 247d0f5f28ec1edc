#include "cardlist/json.h"

#include "cardlist/tests/memory_system.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string& Example() {
    static const std::string bytes = ReadBytes(QST_RESULTS_EXAMPLE_PATH);
    return bytes;
}

// The example with one text replaced.
std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The example's graphics facts and Vexmira's exit code, as a file of the
// earlier version without them.
std::string EarlierVersion(const std::string& text) {
    const size_t from = text.find("\"graphics\"");
    return text.substr(0, from) + text.substr(text.find("\"diagnosticExitCode\""));
}

// A laptop's Intel graphics on the screen beside an NVIDIA GPU that drives none.
const std::string kHybridAdapters = R"("adapters": [
      {"caption": "Intel(R) HD Graphics 4000",
       "pnpDeviceId": "PCI\\VEN_8086&DEV_0166&SUBSYS_11AD1043&REV_09\\3&11583659&0&10",
       "driverVersion": "10.18.10.4425", "driverDate": "20160309000000.000000-000",
       "registryDriverVersion": "10.18.10.4425", "comparedVersion": "10.18.10.4425",
       "comparedDate": "2016-03-09", "memoryBytes": 2147483648, "rendersOpenGL": true,
       "drivesScreen": true, "primary": true},
      {"caption": "NVIDIA GeForce GT 635M",
       "pnpDeviceId": "PCI\\VEN_10DE&DEV_0DE3&SUBSYS_11AD1043&REV_A1\\4&1E7B6B1A&0&0008",
       "driverVersion": "10.18.13.6191", "driverDate": "20160115000000.000000-000",
       "registryDriverVersion": null, "comparedVersion": "361.91", "comparedDate": "2016-01-15",
       "memoryBytes": 2147483648, "rendersOpenGL": true, "drivesScreen": false, "primary": false}
    ],)";

std::string Hybrid() {
    const std::string& example = Example();
    const size_t from = example.find("\"adapters\": [");
    const size_t to = example.find("\"judgedAdapter\"");
    return Replaced(example.substr(0, from) + kHybridAdapters + "\n    " + example.substr(to),
                    "\"diagnosticExitCode\": 2", "\"diagnosticExitCode\": 4");
}

// The driver as QuarvelSysTest compares it, Vexmira's exit code and the card
// and driver rows of explain --json: "260.99, exit 2: card 2/1008".
std::string Answer(const std::string& json) {
    const JsonReading reading = ReadJson(json);
    if (!reading.ok) {
        return reading.problem;
    }
    const JsonValue& sysTest = *reading.value.Find(u"quarvelSysTest");
    std::string answer =
        Utf8FromUtf16(*sysTest.Find(u"adapterVersion")->String()) + ", exit " +
        std::to_string(*reading.value.Find(u"vexmira")->Find(u"exitCode")->Integer()) + ":";
    for (const JsonValue& row : *sysTest.Find(u"rows")->Items()) {
        const std::u16string& key = *row.Find(u"key")->String();
        if (key == u"graphics-card" || key == u"graphics-driver") {
            answer += " " + Utf8FromUtf16(key.substr(9)) + " " +
                      std::to_string(*row.Find(u"level")->Integer()) + "/" +
                      std::to_string(*row.Find(u"message")->Integer());
        }
    }
    return answer;
}

using Arguments = std::vector<std::u16string>;

// A results file gives the answer of the judged adapter's facts typed by hand.
TEST(ExplainResults, SameAnswerAsTheFactsTypedByHand) {
    const auto fx580 = [](const char16_t* version) {
        return Arguments{u"--caption",
                         u"NVIDIA Quadro FX 580",
                         u"--pnp",
                         u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&16C9E9F9&0&0010",
                         u"--driver-date",
                         u"20101130",
                         u"--driver-version",
                         version};
    };
    const Arguments hd4000 = {u"--caption",
                              u"Intel(R) HD Graphics 4000",
                              u"--pnp",
                              u"PCI\\VEN_8086&DEV_0166&SUBSYS_11AD1043&REV_09\\3&11583659&0&10",
                              u"--driver-date",
                              u"20160309",
                              u"--driver-version",
                              u"10.18.10.4425"};
    const struct {
        const char* what;
        std::string results;
        Arguments gl;
        Arguments typed;
        const char* answer;
    } cases[] = {
        {"a desktop, driver as Windows reports it",
         Example(),
         {},
         fx580(u"8.17.12.6099"),
         "260.99, exit 2: card 2/1008"},
        {"the same driver in NVIDIA's short form",
         Example(),
         {u"--opengl", u"3.3"},
         fx580(u"260.99"),
         "260.99, exit 2: card 2/1008"},
        {"hybrid laptop, OpenGL on the NVIDIA GPU",
         Hybrid(),
         {u"--opengl3-switchable"},
         hd4000,
         "10.180.10.4425, exit 4: card 4/989"},
        {"hybrid laptop, Intel's own OpenGL 4",
         Hybrid(),
         {u"--opengl", u"4.0"},
         hd4000,
         "10.180.10.4425, exit 3: card 3/1000"},
    };
    MemorySystem system;
    system.files[u"GraphicsCardGBList.txt"] = ShippedList();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        system.files[u"results.json"] = c.results;
        Arguments fromFile = {u"explain", u"--results", u"results.json", u"--json"};
        Arguments typed = {u"explain", u"--json"};
        for (Arguments* arguments : {&fromFile, &typed}) {
            arguments->insert(arguments->end(), c.gl.begin(), c.gl.end());
        }
        typed.insert(typed.end(), c.typed.begin(), c.typed.end());
        ASSERT_EQ(system.Run(fromFile), kToolClean) << system.error;
        EXPECT_EQ(Answer(system.out), c.answer);
        ASSERT_EQ(system.Run(typed), kToolClean) << system.error;
        EXPECT_EQ(Answer(system.out), c.answer);
    }

    // Without the OpenGL version it says which it took, and that the file
    // records another exit code.
    system.files[u"results.json"] = Hybrid();
    EXPECT_EQ(system.Run({u"explain", u"--results", u"results.json"}), kToolClean);
    for (const char* part :
         {"  * 0  Intel(R) HD Graphics 4000, PCI\\VEN_8086", "    1  NVIDIA GeForce GT 635M",
          "has it in its line \"Version :\". Assumed: 2.1", "Exit code 3 (supported)",
          "The results record Vexmira's exit code 4 (supported: switchable graphics with OpenGL 3 "
          "or later); this list with OpenGL 2.1 (assumed) gives 3."}) {
        EXPECT_NE(system.out.find(part), std::string::npos) << part << " in " << system.out;
    }
}

// A file it cannot explain: a clear message and exit code 2.
TEST(ExplainResults, RefusesWhatIsNoResultsOfThisVersion) {
    const struct {
        std::string results;
        const char* message;
    } cases[] = {
        {Example().substr(0, 300), "damaged: not JSON (line 11, column 3: the text ends too soon)"},
        {"\xFF\xFE{\0}\0", "damaged: not JSON (line 1, column 1: not a JSON value)"},
        {"{\"schemaVersion\": 1}", "not a results file of QuarvelSysTest"},
        {Replaced(Example(), "\"schemaVersion\": 1", "\"schemaVersion\": 2"),
         "results of another version (schemaVersion 2); this cardlist reads version 1"},
        {EarlierVersion(Example()), "written by an earlier QuarvelSysTest, without the graphics"},
        {Replaced(Example(), "\"caption\": \"NVIDIA Quadro FX 580\",", ""),
         "damaged: graphics.adapters[0].caption is missing"},
        {Replaced(Example(), "\"level\": 3", "\"level\": \"3\""),
         "damaged: checks[0].level is not a whole number from 1 to 4"},
        {Replaced(Example(), "\"judgedAdapter\": 0", "\"judgedAdapter\": 1"),
         "damaged: graphics.judgedAdapter names no adapter of graphics.adapters"},
        {Replaced(Example(), "\"key\": \"processor\"", "\"key\": \"os\""),
         "damaged: checks has the key os twice"},
    };
    MemorySystem system;
    system.files[u"GraphicsCardGBList.txt"] = ShippedList();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        system.files[u"user.json"] = c.results;
        EXPECT_EQ(system.Run({u"explain", u"--results", u"user.json"}), kToolFailed);
        EXPECT_TRUE(system.error.starts_with(std::string("cardlist: user.json: ") + c.message))
            << system.error;
    }
    EXPECT_EQ(system.Run({u"explain", u"--results", u"user.json", u"--caption", u"X"}),
              kToolFailed);
    EXPECT_TRUE(system.error.starts_with(
        "cardlist: --results takes the adapter from the file: leave out --caption"));
}

// A folder of a fleet's results: one CSV row per computer, in the order of
// their names, what cannot be read named and skipped; and the page.
TEST(RollupCommand, OneRowPerComputerAndThePage) {
    MemorySystem system;
    const std::string failing =
        Replaced(Replaced(Replaced(Example(), "CAD-PC-017", "CAD-PC-002"),
                          "Service Pack 1 (build 7601), 64-bit", "\\\"N\\\" edition"),
                 "\"level\": 2,\n    \"status\": \"Warning\",\n    \"summary\"",
                 "\"level\": 1,\n    \"status\": \"Failed\",\n    \"summary\"");
    const std::string session0 =
        Replaced(Replaced(Example(), "CAD-PC-017", "cad-pc-009"),
                 "\"key\": \"graphics-card\",\n      \"level\": 2,\n      \"measured\": true",
                 "\"key\": \"graphics-card\",\n      \"level\": 2,\n      \"measured\": false");
    system.files[u"fleet/a.json"] = Example();
    system.files[u"fleet/b.JSON"] = failing;
    system.files[u"fleet/c.json"] = session0;
    system.files[u"fleet/d.json"] = Replaced(EarlierVersion(Example()), "CAD-PC-017", "CAD-PC-1");
    system.files[u"fleet/e.json"] = Example().substr(0, 100);
    system.files[u"fleet/f.json"] = "{\"x\": 1}";
    system.files[u"fleet/notes.txt"] = "not results";

    EXPECT_EQ(system.Run({u"rollup", u"fleet", u"--separator", u";", u"--csv", u"fleet.csv",
                          u"--html", u"fleet.html"}),
              kToolFindings);
    const std::string windows =
        "Microsoft Windows 7 Professional Service Pack 1 (build 7601), 64-bit";
    const std::string time = "2026-12-09T14:05:09+01:00;";
    const std::string checks = "3;3;2;3;4;;3;";
    EXPECT_EQ(system.files[u"fleet.csv"],
              "\xEF\xBB\xBF"
              "Computer;Tested;Windows;Level;os;processor;memory;disk;screen;diagnostic;"
              "graphics-memory;graphics-card;graphics-driver;adapters;hybrid-graphics;Adapter;"
              "Driver version;Driver date;File\r\n"
              "CAD-PC-002;" +
                  time + "\"Microsoft Windows 7 Professional \"\"N\"\" edition\";1;" + checks +
                  "2;;;;NVIDIA Quadro FX 580;260.99;2010-11-30;b.JSON\r\n"
                  "cad-pc-009;" +
                  time + windows + ";2;" + checks +
                  "not measured;;;;NVIDIA Quadro FX 580;260.99;2010-11-30;c.json\r\n"
                  "CAD-PC-017;" +
                  time + windows + ";2;" + checks +
                  "2;;;;NVIDIA Quadro FX 580;260.99;2010-11-30;a.json\r\n"
                  "CAD-PC-1;" +
                  time + windows + ";2;" + checks + "2;;;;;;;d.json\r\n");
    EXPECT_EQ(system.error,
              "cardlist: skipped fleet/e.json: damaged: not JSON (line 5, column 14: the text ends "
              "too soon)\n"
              "cardlist: skipped fleet/f.json: not a results file of QuarvelSysTest\n"
              "cardlist: 2 of 6 files skipped\n");
    EXPECT_TRUE(system.progress.starts_with("\rcardlist: read 0 of 6 files\r")) << system.progress;
    const std::string& html = system.files[u"fleet.html"];
    for (const char* part :
         {"<title>Quarvel 2012 system test: 4 computers</title>", "<b>0</b> pass", "<b>3</b> warn",
          "<b>1</b> fail",
          "<tr><td>Graphics card</td><td class=\"n\">0</td><td class=\"n\">3</td>"
          "<td class=\"n\">1</td></tr>",
          "<td>f.json</td><td>not a results file of QuarvelSysTest</td>"}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }

    // Without --csv the table goes to the standard output; commas quote the
    // Windows description.
    EXPECT_EQ(system.Run({u"rollup", u"fleet"}), kToolFindings);
    EXPECT_NE(system.out.find(",\"" + windows + "\",2,"), std::string::npos) << system.out;
    EXPECT_EQ(system.Run({u"rollup", u"empty"}), kToolFailed);
    EXPECT_EQ(system.error, "cardlist: no results file (*.json) in empty\n");
    EXPECT_EQ(system.Run({u"rollup", u"fleet", u"--separator", u"\"\""}), kToolFailed);
}

}  // namespace
