#include "systest/ui/output_sink.h"

#include <gtest/gtest.h>

namespace {

// Wine attaches a GUI program to its parent's console itself and keeps
// redirected handles, so only this table shows the choice Windows needs.
TEST(ChooseOutputSink, WritesWhereTheCallerSentTheOutput) {
    const struct {
        StandardOutputKind kind;
        OutputSink sink;
    } cases[] = {
        {StandardOutputKind::DiskFile, OutputSink::StandardOutputAsUtf8},    // "> out.txt"
        {StandardOutputKind::Pipe, OutputSink::StandardOutputAsUtf8},        // "| findstr"
        {StandardOutputKind::None, OutputSink::ParentConsole},               // a command prompt
        {StandardOutputKind::Console, OutputSink::StandardOutputAsConsole},  // Wine's
        {StandardOutputKind::CharacterDevice, OutputSink::Nothing},          // "> NUL"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseOutputSink(c.kind), c.sink) << static_cast<int>(c.kind);
    }
}

}  // namespace
