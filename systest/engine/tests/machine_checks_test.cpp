#include "systest/engine/machine_checks.h"

#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr uint64_t kMB = uint64_t{1} << 20;
constexpr uint64_t kGB = uint64_t{1} << 30;

struct Expected {
    int32_t level;
    std::u16string text;
};

void ExpectResult(const CheckResult& result, const Expected& expected) {
    EXPECT_EQ(static_cast<int32_t>(result.level), expected.level);
    EXPECT_EQ(result.displayText, expected.text);
}

// A machine whose facts the test sets; records which facts were asked for.
class FakeProbe final : public MachineProbe {
  public:
    bool sse = true;
    bool sse2 = true;
    std::map<uint32_t, uint32_t> cpuidEax = {{0, 0xD}, {4, 0}};
    std::optional<uint64_t> memory = 4 * kGB;
    std::map<std::u16string, uint64_t> fixedDrives;  // root path -> free bytes
    ScreenSize screen = {1280, 1024};
    std::optional<OSReading> os;

    std::vector<std::string> calls;
    std::vector<std::u16string> driveQueries;

    std::optional<OSReading> ReadOperatingSystem() override { return os; }
    bool ProbeProcessorFeature(ProcessorFeature feature) override {
        calls.push_back(feature == ProcessorFeature::Sse ? "sse" : "sse2");
        return feature == ProcessorFeature::Sse ? sse : sse2;
    }
    CpuidRegisters Cpuid(uint32_t leaf, uint32_t subleaf) override {
        calls.push_back("cpuid " + std::to_string(leaf) + "." + std::to_string(subleaf));
        return {cpuidEax[leaf], 0, 0, 0};
    }
    std::optional<uint64_t> TotalPhysicalMemory() override { return memory; }
    bool IsFixedDrive(std::u16string_view rootPath) override {
        driveQueries.emplace_back(rootPath);
        return fixedDrives.contains(std::u16string(rootPath));
    }
    uint64_t DiskFreeBytes(std::u16string_view rootPath) override {
        calls.push_back("free " + std::string(rootPath.begin(), rootPath.end() - 1));
        return fixedDrives.at(std::u16string(rootPath));
    }
    ScreenSize PrimaryScreenSize() override { return screen; }
};

TEST(CheckProcessor, ProbesSseThenSse2ThenCountsCores) {
    struct Case {
        const char* name;
        bool sse;
        bool sse2;
        uint32_t highestLeaf;
        uint32_t leaf4Eax;
        std::vector<std::string> calls;
        Expected expected;
    };
    const Case cases[] = {
        {"no SSE", false, true, 0xD, 0, {"sse"}, {1, u"Processor without SSE2"}},
        {"no SSE2", true, false, 0xD, 0, {"sse", "sse2"}, {1, u"Processor without SSE2"}},
        {"one core",
         true,
         true,
         0xD,
         0x0000'0121,
         {"sse", "sse2", "cpuid 0.0", "cpuid 4.0"},
         {3, u"Processor with SSE2"}},
        {"two cores",
         true,
         true,
         4,
         0x0400'0121,
         {"sse", "sse2", "cpuid 0.0", "cpuid 4.0"},
         {4, u"Processor with SSE2"}},
        // Below leaf 4 the count is 1 and leaf 4 is never executed.
        {"old processor",
         true,
         true,
         3,
         0xFC00'0000,
         {"sse", "sse2", "cpuid 0.0"},
         {3, u"Processor with SSE2"}},
    };
    const MemoryStrings strings;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeProbe probe;
        probe.sse = c.sse;
        probe.sse2 = c.sse2;
        probe.cpuidEax = {{0, c.highestLeaf}, {4, c.leaf4Eax}};
        ExpectResult(ProbedSystemChecks(probe, strings).CheckProcessor(), c.expected);
        EXPECT_EQ(probe.calls, c.calls);
    }
}

TEST(CoresPerPackage, TakesBits26To31OfLeaf4) {
    EXPECT_EQ(CoresPerPackage(3, 0xFC00'0000), 1);
    EXPECT_EQ(CoresPerPackage(4, 0), 1);
    EXPECT_EQ(CoresPerPackage(4, 0x03FF'FFFF), 1);
    EXPECT_EQ(CoresPerPackage(4, 0x0400'0000), 2);
    EXPECT_EQ(CoresPerPackage(0xD, 0x1C00'4121), 8);
    EXPECT_EQ(CoresPerPackage(4, 0xFC00'0000), 64);
}

TEST(JudgeMemory, CountsUnitsOf512MegabytesRoundedUp) {
    struct Case {
        std::optional<uint64_t> bytes;
        Expected expected;
    };
    const Case cases[] = {
        {std::nullopt, {2, u"Memory not readable"}},
        {0, {1, u"Memory too small"}},
        {512 * kMB, {1, u"Memory too small"}},
        {512 * kMB + 1, {2, u"Memory small"}},
        {513 * kMB, {2, u"Memory small"}},
        {1536 * kMB, {2, u"Memory small"}},
        {1536 * kMB + 1, {3, u"Memory sufficient"}},
        {2 * kGB, {3, u"Memory sufficient"}},
        {uint64_t{1} << 40, {3, u"Memory sufficient"}},
    };
    const MemoryStrings strings;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes ? std::to_string(*c.bytes) : "unreadable");
        ExpectResult(JudgeMemory(c.bytes, strings), c.expected);
    }
    EXPECT_EQ(MemoryUnits(512 * kMB), 1u);
    EXPECT_EQ(MemoryUnits(512 * kMB + 1), 2u);
    EXPECT_EQ(MemoryUnits(UINT64_MAX), uint64_t{1} << 35);
}

TEST(JudgeDiskSpace, WholeGigabytesAgainstTenAndFive) {
    struct Case {
        DriveSpace drive;
        Expected expected;
    };
    const Case cases[] = {
        {{u'C', 10 * kGB}, {3, u"Drive C: at least 10 GB"}},
        {{u'D', 500 * kGB}, {3, u"Drive D: at least 10 GB"}},
        {{u'C', 10 * kGB - 1}, {2, u"Drive C: below 10 GB"}},
        {{u'C', 5 * kGB}, {2, u"Drive C: below 10 GB"}},
        {{u'C', 5 * kGB - 1}, {1, u"Drive C: below 5 GB"}},
        {{u'E', 4 * kGB}, {1, u"Drive E: below 5 GB"}},
        {{u'C', 0}, {1, u"Drive C: below 5 GB"}},
    };
    const MemoryStrings strings;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drive.freeBytes);
        ExpectResult(JudgeDiskSpace(c.drive, strings), c.expected);
    }
}

TEST(ChooseDiskDrive, MostFreeBytesEarlierLetterOnATie) {
    struct Case {
        const char* name;
        std::vector<DriveSpace> drives;
        char16_t letter;
        uint64_t freeBytes;
    };
    const Case cases[] = {
        {"most free", {{u'C', 3 * kGB}, {u'D', 12 * kGB}, {u'E', 7 * kGB}}, u'D', 12 * kGB},
        {"tie", {{u'C', 12 * kGB}, {u'D', 12 * kGB}}, u'C', 12 * kGB},
        {"later tie after a gain", {{u'C', 1}, {u'D', 5}, {u'E', 5}}, u'D', 5},
        {"no fixed drive", {}, u'C', 0},
        {"nothing free names the first", {{u'E', 0}, {u'F', 0}}, u'E', 0},
        {"only a later drive has space", {{u'C', 0}, {u'F', 1}}, u'F', 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DriveSpace chosen = ChooseDiskDrive(c.drives);
        EXPECT_EQ(chosen.letter, c.letter);
        EXPECT_EQ(chosen.freeBytes, c.freeBytes);
    }
}

TEST(CheckDiskSpace, AsksEveryLetterAndMeasuresFixedDrivesOnly) {
    FakeProbe probe;
    probe.fixedDrives = {{u"C:\\", 4 * kGB}, {u"D:\\", 11 * kGB}, {u"Z:\\", 11 * kGB}};
    const MemoryStrings strings;
    ExpectResult(ProbedSystemChecks(probe, strings).CheckDiskSpace(),
                 {3, u"Drive D: at least 10 GB"});
    ASSERT_EQ(probe.driveQueries.size(), 26u);
    EXPECT_EQ(probe.driveQueries.front(), u"A:\\");
    EXPECT_EQ(probe.driveQueries.back(), u"Z:\\");
    EXPECT_EQ(probe.calls, (std::vector<std::string>{"free C:", "free D:", "free Z:"}));
}

TEST(FreeBytesFromClusters, MultipliesIn64Bits) {
    EXPECT_EQ(FreeBytesFromClusters(8, 512, 0xFFFF'FFFF), uint64_t{0xFFFF'FFFF} * 4096);
    EXPECT_EQ(FreeBytesFromClusters(0, 512, 100), 0u);
}

TEST(JudgeScreen, EveryBoundaryOfBothSides) {
    struct Case {
        ScreenSize screen;
        Expected expected;
    };
    const Case cases[] = {
        {{800, 600}, {1, u"Screen below 1024x768"}},
        {{1023, 768}, {1, u"Screen below 1024x768"}},
        {{1024, 767}, {1, u"Screen below 1024x768"}},
        {{4000, 767}, {1, u"Screen below 1024x768"}},
        {{1024, 768}, {2, u"Screen below 1280x1024"}},
        {{1280, 800}, {2, u"Screen below 1280x1024"}},
        {{1279, 1024}, {2, u"Screen below 1280x1024"}},
        {{1200, 1920}, {2, u"Screen below 1280x1024"}},
        {{1280, 1024}, {3, u"Screen at least 1280x1024"}},
        {{1599, 1200}, {3, u"Screen at least 1280x1024"}},
        {{1920, 1080}, {3, u"Screen at least 1280x1024"}},
        {{1600, 1200}, {4, u"Screen at least 1600x1200"}},
        {{2560, 1600}, {4, u"Screen at least 1600x1200"}},
    };
    const MemoryStrings strings;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height));
        ExpectResult(JudgeScreen(c.screen, strings), c.expected);
    }
}

TEST(ProbedSystemChecks, TakeMemoryScreenAndOSFromTheProbe) {
    FakeProbe probe;
    probe.memory = std::nullopt;
    probe.screen = {1600, 1200};
    probe.os = OSReading{u"Windows XP Professional Service Pack 2", {u'-', u'3'}};
    const MemoryStrings strings;
    ProbedSystemChecks checks(probe, strings);
    ExpectResult(checks.CheckMemory(), {2, u"Memory not readable"});
    ExpectResult(checks.CheckScreen(), {4, u"Screen at least 1600x1200"});
    const OperatingSystemCheck os = checks.CheckOperatingSystem();
    ExpectResult(os.result, {1, u"Service Pack 3 required"});
    ASSERT_TRUE(os.reading);
    EXPECT_EQ(os.reading->description, u"Windows XP Professional Service Pack 2");
}

}  // namespace
