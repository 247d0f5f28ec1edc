// QuarvelSysTest's command line: any arguments, one per input line.
#include "fuzz/fuzz_lines.h"

#include "systest/ui/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::vector<std::u16string> arguments = input.Rest();
    const CommandLine line = ParseCommandLine(arguments);
    if (line.error.empty()) {
        // A file name is never a switch and never empty.
        for (const auto& path : {line.reportPath, line.jsonPath}) {
            FUZZ_CHECK(!path || (!path->empty() && path->front() != u'-'));
        }
    }
    return 0;
}
