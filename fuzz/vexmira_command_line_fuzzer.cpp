// The diagnostic's command line: any text after the program name.
#include "fuzz/fuzz_lines.h"

#include "vexmira/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::u16string text = input.Next();
    const CommandLine parsed = ParseCommandLine(text);
    // The prefix fits the program's buffer and comes from the text as written.
    FUZZ_CHECK(parsed.prefix.size() < kCommandLineBufferSize);
    FUZZ_CHECK(text.starts_with(parsed.prefix));
    // The suffix is looked for on the whole text, before any cut.
    FUZZ_CHECK(parsed.logEnabled == (text.size() <= 4 || text.ends_with(u" -1")));
    return 0;
}
