// The screen check on an Xvfb screen of the size given on the command line,
// run in a Wine session of its own per size.
#include "systest/engine/machine_probe.h"

#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string g_screen;  // "800x600", from the command line

TEST(CheckScreen, JudgesTheScreenOfThisSession) {
    struct Case {
        const char* screen;
        ScreenSize size;
        int32_t level;
        const char16_t* text;
    };
    const Case cases[] = {
        {"800x600", {800, 600}, 1, u"Screen below 1024x768"},
        {"1024x768", {1024, 768}, 2, u"Screen below 1280x1024"},
        {"1280x800", {1280, 800}, 2, u"Screen below 1280x1024"},
        {"1280x1024", {1280, 1024}, 3, u"Screen at least 1280x1024"},
        {"1600x1200", {1600, 1200}, 4, u"Screen at least 1600x1200"},
    };
    for (const Case& c : cases) {
        if (g_screen != c.screen) {
            continue;
        }
        Win32MachineProbe probe;
        const ScreenSize size = probe.PrimaryScreenSize();
        EXPECT_EQ(size.width, c.size.width);
        EXPECT_EQ(size.height, c.size.height);
        const MemoryStrings strings;
        const CheckResult result = ProbedSystemChecks(probe, strings).CheckScreen();
        EXPECT_EQ(static_cast<int32_t>(result.level), c.level);
        EXPECT_EQ(result.displayText, c.text);
        return;
    }
    FAIL() << "no expectation for the screen \"" << g_screen << "\"";
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <width>x<height>\n", argv[0]);
        return 2;
    }
    g_screen = argv[1];
    return RUN_ALL_TESTS();
}
