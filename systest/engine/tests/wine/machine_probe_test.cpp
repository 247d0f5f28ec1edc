// The Win32 facts of checks 1 to 5 against what Wine reports, and the whole
// check sequence on this system.
#include "systest/engine/machine_probe.h"

#include "common/text.h"
#include "common/win/wide.h"
#include "systest/engine/build_date.h"
#include "systest/engine/run_facts.h"
#include "systest/engine/tests/memory_strings.h"
#include "systest/engine/tests/wine/text_file_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Wine counts whole pages of its own reading, the host kilobytes: they
// differ by a page or so.
constexpr uint64_t kMemoryTolerance = uint64_t{1} << 20;

// MemTotal of the Linux host under Wine, which maps its root to drive Z:.
uint64_t HostMemoryBytes() {
    TextFileReader meminfo(u"Z:\\proc\\meminfo");
    for (const std::u16string& line : ReadAllLines(meminfo)) {
        if (line.starts_with(u"MemTotal:")) {
            return uint64_t(ParseLeadingInt(line.substr(9))) * 1024;
        }
    }
    return 0;
}

TEST(ReadTotalPhysicalMemory, IsTheHostsMemory) {
    const std::optional<uint64_t> memory = ReadTotalPhysicalMemory();
    ASSERT_TRUE(memory.has_value());
    const uint64_t host = HostMemoryBytes();
    ASSERT_GT(host, 0u);
    EXPECT_LT(*memory > host ? *memory - host : host - *memory, kMemoryTolerance);
}

TEST(GetDiskFreeBytes, ReadsFixedDrivesAndGivesZeroForMissingOnes) {
    Win32MachineProbe probe;
    EXPECT_TRUE(probe.IsFixedDrive(u"C:\\"));
    // Other processes (a build beside the tests) write to the disk between
    // the two readings: the same drive, give or take their writes.
    const uint64_t free = GetDiskFreeBytes(L"C:\\");
    EXPECT_GT(free, 0u);
    const uint64_t probed = probe.DiskFreeBytes(u"C:\\");
    EXPECT_LT(probed > free ? probed - free : free - probed, 1ull << 30);

    // The first letter no drive uses.
    wchar_t root[] = L"A:\\";
    const DWORD drives = GetLogicalDrives();
    while (root[0] <= L'Z' && (drives & (1u << (root[0] - L'A'))) != 0) {
        ++root[0];
    }
    ASSERT_LE(root[0], L'Z');
    EXPECT_FALSE(probe.IsFixedDrive(FromWide(root)));
    EXPECT_EQ(GetDiskFreeBytes(root), 0u);
}

TEST(ReadRunFacts, ComputerNameDateTimeAndBuildStamp) {
    const RunFacts facts = ReadRunFacts();
    // The test session's window station is the one on its screen (the one of
    // a deployment agent is not: tests/e2e).
    EXPECT_TRUE(facts.interactiveDesktop);
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &length));
    EXPECT_EQ(facts.computerName, FromWide(name));
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(facts.today.year, now.wYear);
    EXPECT_EQ(facts.buildDateText, kBuildDateText);

    // Local time is UTC less the bias of the zone's current part of the year;
    // the test runs in a zone 5:45 hours ahead of UTC.
    TIME_ZONE_INFORMATION zone{};
    const DWORD part = GetTimeZoneInformation(&zone);
    const LONG bias = zone.Bias + (part == TIME_ZONE_ID_DAYLIGHT   ? zone.DaylightBias
                                   : part == TIME_ZONE_ID_STANDARD ? zone.StandardBias
                                                                   : 0);
    EXPECT_EQ(facts.time.utcOffsetMinutes, -bias);
}

// The gate stays closed: the graphics checks belong to the diagnostic.
class ClosedGate final : public GraphicsChecks {
  public:
    GraphicsFindings RunDiagnostic() override { return {}; }
};

TEST(RunChecks, RunsTheMachineChecksOfThisSystem) {
    // The shared session is Wine's default Windows 7 SP1 on a 1600 x 1200 screen.
    Win32MachineProbe probe;
    const MemoryStrings strings;
    ProbedSystemChecks checks(probe, strings);
    ClosedGate gate;
    const RunFacts facts = ReadRunFacts();
    const CheckRun run = RunChecks(checks, gate, strings, facts);

    ASSERT_EQ(run.verdicts.size(), 5u);
    EXPECT_EQ(run.verdicts[0].displayText, u"Windows version supported");
    EXPECT_EQ(run.verdicts[0].level, CheckLevel::Passed);
    EXPECT_EQ(run.verdicts[1].displayText, u"Processor with SSE2");
    EXPECT_EQ(run.verdicts[4].displayText, u"Screen at least 1600x1200");
    // The operating system as GetOSDisplayString tells it, read once.
    ASSERT_TRUE(run.os);
    EXPECT_NE(run.os->description.find(u"Windows 7"), std::u16string::npos)
        << Utf8FromUtf16(run.os->description);
    EXPECT_TRUE(run.metaLine.starts_with(u"Meta data: \"" + facts.computerName + u"\" "));
}

}  // namespace
