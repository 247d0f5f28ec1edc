// A results file as the card list tool reads it back: the JSON reader, the
// results, the machine they describe through both programs, and the fleet's
// CSV and page of one computer. Input: the file's bytes.
#include "cardlist/json.h"
#include "cardlist/rollup.h"
#include "fuzz/fuzz_lines.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const JsonReading json = ReadJson(bytes);
    FUZZ_CHECK(json.ok == json.problem.empty());
    const ResultsReading reading = ReadResultsFile(bytes);
    FUZZ_CHECK(reading.results.has_value() == reading.problem.empty());
    if (!reading.results) {
        return 0;
    }
    FUZZ_CHECK(json.ok);
    const ResultsFile& results = *reading.results;
    FUZZ_CHECK(!results.judgedAdapter || *results.judgedAdapter < results.adapters.size());
    FUZZ_CHECK(results.overallLevel >= 1 && results.overallLevel <= 4);

    const MachineFacts machine = MachineOfResults(results);
    FUZZ_CHECK(machine.displays.size() ==
               static_cast<size_t>(std::count_if(
                   results.adapters.begin(), results.adapters.end(),
                   [](const ResultsAdapter& adapter) { return adapter.drivesScreen; })));
    const Explanation explanation =
        Explain(ReadAsBothPrograms("Quadro FX 580,276.42,20110712,GL\n"), u"GraphicsCardGBList.txt",
                machine, OpenGLFacts{});
    FUZZ_CHECK(explanation.vexmira.exitCode >= 0 && explanation.vexmira.exitCode <= 4);

    Fleet fleet;
    fleet.computers.push_back({u"computer.json", results});
    const std::string csv = FleetCsv(fleet, ';');
    FUZZ_CHECK(csv.starts_with("\xEF\xBB\xBF") && csv.ends_with("\r\n"));
    // Every text of the file is escaped: no markup of its own.
    const std::string html = FleetHtml(fleet, u"folder");
    FUZZ_CHECK(html.find("<script") == std::string::npos);
    return 0;
}
