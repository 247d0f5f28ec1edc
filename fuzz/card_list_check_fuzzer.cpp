// The graphics card list tool over any file: its readings as each program
// reads the bytes, its check, and its explanation for one adapter. Input: the
// file's bytes.
#include "cardlist/check.h"
#include "cardlist/explain.h"
#include "fuzz/fuzz_lines.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Lines end at line feeds, or, where a file's breaks cannot be told
    // apart, wherever QuarvelSysTest ends them.
    const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n') +
                                        std::count(bytes.begin(), bytes.end(), '\r')) +
                       1;
    const std::vector<Finding> findings = CheckCardList(bytes);
    for (size_t i = 0; i < findings.size(); ++i) {
        FUZZ_CHECK(findings[i].line >= 0 && findings[i].line <= lines);
        FUZZ_CHECK(i == 0 || findings[i - 1].line <= findings[i].line);
    }

    const AdapterFacts adapter{u"NVIDIA Quadro FX 580",
                               u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&2B5A3A7C&0&0010",
                               u"8.17.12.9573", u"20120120"};
    for (const OpenGLFacts& gl : {OpenGLFacts{"2.1", false, ""}, OpenGLFacts{"4.5", false, ""}}) {
        const Explanation explanation =
            Explain(ReadAsBothPrograms(bytes), u"GraphicsCardGBList.txt", adapter, gl);
        FUZZ_CHECK(explanation.vexmira.exitCode >= 0 && explanation.vexmira.exitCode <= 3);
        FUZZ_CHECK(explanation.quarvelSysTest.rows.size() == 1);
    }
    return 0;
}
