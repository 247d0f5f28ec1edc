// QuarvelSysTest's query of the adapter that drives the primary display.
#include "adapters/primary_video_adapter.h"

#include "adapters/tests/fake_video_system.h"
#include "adapters/tests/recorded_output.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Outcome {
    int result = 0;
    PrimaryVideoAdapter adapter;
    RecordedVideo boxes;
};

Outcome Query(FakeVideoSystem& system, PrimaryVideoAdapter start = {}) {
    Outcome outcome;
    outcome.adapter = std::move(start);
    VideoSystem sources = system.Sources();
    outcome.result = QueryPrimaryVideoAdapter(outcome.adapter, sources, outcome.boxes);
    return outcome;
}

TEST(QueryPrimaryVideoAdapter, NvidiaAdapterWithRegistryVersion) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp, 512, u"8.17.12.8562",
                                       u"20111205000000.000000-000")};
    system.AddDisplay(kQuadroDevice, u"quadro", kAttachedPrimary, u"8.17.12.9573");
    const Outcome run = Query(system);
    EXPECT_EQ(run.result, kAdapterQueryOk);
    EXPECT_EQ(system.queriedDialects, std::vector<Dialect>{Dialect::QuarvelSysTest});
    EXPECT_EQ(run.adapter.caption, u"NVIDIA Quadro FX 580");  // case kept
    EXPECT_EQ(run.adapter.driverVersion, (DriverVersionNumber{295, 73, 0, 0}));
    EXPECT_EQ(run.adapter.memoryBytes, 512 * kMb);
    EXPECT_EQ(run.adapter.driverDate, 20111205u);
    EXPECT_EQ(run.adapter.pnpDeviceId, kQuadroPnp);
    EXPECT_FALSE(run.adapter.adaptersDiffer);
    using Box = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(run.boxes.boxes, (std::vector<Box>{{u"Version", u"Version: 295.73.0.0"}}));
}

TEST(QueryPrimaryVideoAdapter, RegistryVersionOfOtherVendors) {
    const struct {
        const char* what;
        const char16_t* driverVersion;
        const char16_t* releaseVersion;
        bool keyExists;
        DriverVersionNumber expected;
    } cases[] = {
        // The registry scales a part 2 below 100 by 10.
        {"DriverVersion", u"8.17.12.9573", u"", true, {8, 170, 12, 9573}},
        {"ReleaseVersion when DriverVersion is empty",
         u"",
         u"8.85-110504a-118930C-ATI",
         true,
         {8, 850, 110504, 118930}},
        {"both: DriverVersion", u"8.15.11.8593", u"9.1.2.3", true, {8, 150, 11, 8593}},
        {"neither value keeps WMI's", u"", u"", true, {30, 0, 14023, 3004}},
        {"no key keeps WMI's", u"9.9.9.9", u"", false, {30, 0, 14023, 3004}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = {
            Controller(u"AMD FirePro V7900", kRadeonPnp, 2048, u"30.0.14023.3004")};
        system.AddDisplay(kRadeonDevice, u"firepro", kAttachedPrimary, c.driverVersion,
                          c.releaseVersion);
        if (!c.keyExists) {
            system.keys.clear();
        }
        const Outcome run = Query(system);
        EXPECT_EQ(run.result, kAdapterQueryOk);
        EXPECT_EQ(run.adapter.driverVersion, c.expected);
    }
}

TEST(QueryPrimaryVideoAdapter, AnEmptyRegistryValueGivesZeroVersion) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"AMD FirePro V7900", kRadeonPnp)};
    system.AddDisplay(kRadeonDevice, u"firepro", kAttachedPrimary, u"");
    // The value is there, but empty.
    system.keys.begin()->second.driverVersion.found = true;
    EXPECT_EQ(Query(system).adapter.driverVersion, (DriverVersionNumber{}));
}

TEST(QueryPrimaryVideoAdapter, RegistryTextsAreCutAt99Characters) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"AMD FirePro V7900", kRadeonPnp)};
    // The second dot is the 100th character: cut off, part 2 is not read.
    const std::u16string text = u"8." + std::u16string(96, u'0') + u"5.3.4";
    system.AddDisplay(kRadeonDevice, u"firepro", kAttachedPrimary, text);
    EXPECT_EQ(Query(system).adapter.driverVersion, (DriverVersionNumber{8, 0, 0, 0}));
}

TEST(QueryPrimaryVideoAdapter, SeveralDevicesOfOneAdapter) {
    const struct {
        const char* what;
        std::vector<uint32_t> flags;  // of the devices, in order; versions 1.1.0.0, 2.2.0.0 ...
        bool primary;
        int32_t versionPart1;
        std::vector<int> keysOpened;
    } cases[] = {
        {"the primary device wins and ends the search", {1, kAttachedPrimary, 1}, true, 2, {1, 2}},
        {"without a primary device the last one wins", {1, 1, 1}, false, 3, {1, 2, 3}},
        {"a primary device first", {kAttachedPrimary, 1}, true, 1, {1}},
        {"devices not on the desktop are skipped", {kAttachedPrimary & ~1u, 1}, false, 2, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        for (size_t i = 0; i < c.flags.size(); ++i) {
            const std::u16string n = Utf16FromAscii(std::to_string(i + 1));
            system.AddDisplay(kQuadroDevice, n, c.flags[i], n + u"." + n + u".0.0");
        }
        DriverVersionNumber version{9, 9, 9, 9};
        const DisplayDeviceMatch match = ReadPrimaryDisplayDevice(
            kQuadroPnp, u"NVIDIA Quadro FX 580", system.displays, system, version);
        EXPECT_TRUE(match.found || c.keysOpened.empty());
        EXPECT_EQ(match.primary, c.primary);
        EXPECT_EQ(version.part1, c.versionPart1);
        std::vector<std::u16string> expectedKeys;
        for (int key : c.keysOpened) {
            expectedKeys.push_back(u"System\\CurrentControlSet\\Control\\Video\\{" +
                                   Utf16FromAscii(std::to_string(key)) + u"}\\0000");
        }
        EXPECT_EQ(system.openedKeys, expectedKeys);
    }
}

TEST(QueryPrimaryVideoAdapter, WhichDevicesBelongToTheAdapter) {
    const struct {
        const char* what;
        std::u16string deviceId;
        std::u16string deviceString;
        bool found;
    } cases[] = {
        {"the id begins the PNP device id", kQuadroDevice, u"", true},
        {"letter case counts", ToLowerAscii(kQuadroDevice), u"NVIDIA Quadro FX 580", false},
        {"the id inside the PNP device id", u"VEN_10DE&DEV_0659", u"", false},
        {"another device", kRadeonDevice, u"NVIDIA Quadro FX 580", false},
        // Some Windows 10 builds give no id: the name tells whose device it is.
        {"an empty id of the adapter's name", u"", u"NVIDIA QUADRO FX 580 ", true},
        {"an empty id of another name", u"", u"Intel(R) HD Graphics", false},
        {"an empty id without a name", u"", u"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.displays = {{c.deviceId, u"K", kAttachedPrimary, c.deviceString}};
        DriverVersionNumber version;
        EXPECT_EQ(ReadPrimaryDisplayDevice(kQuadroPnp, u"NVIDIA Quadro FX 580", system.displays,
                                           system, version)
                      .found,
                  c.found);
    }
}

TEST(QueryPrimaryVideoAdapter, TwoDifferentAdaptersKeepThePrimary) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp, 512),
                            Controller(u"AMD FirePro V7900", kRadeonPnp, 2048, u"8.88.0.0")};
    system.AddDisplay(kQuadroDevice, u"quadro", 1, u"");
    system.AddDisplay(kRadeonDevice, u"firepro", kAttachedPrimary, u"");
    const Outcome run = Query(system);
    EXPECT_EQ(run.result, kAdapterQueryOk);
    EXPECT_TRUE(run.adapter.adaptersDiffer);
    EXPECT_EQ(run.adapter.caption, u"AMD FirePro V7900");
    EXPECT_EQ(run.adapter.memoryBytes, 2048 * kMb);
    EXPECT_EQ(run.adapter.driverVersion, (DriverVersionNumber{8, 88, 0, 0}));
}

TEST(QueryPrimaryVideoAdapter, AdaptersDiffer) {
    const auto quadro = [](std::u16string caption) {
        return Controller(std::move(caption), kQuadroPnp);
    };
    const struct {
        const char* what;
        std::vector<WmiVideoController> objects;
        bool differ;
    } cases[] = {
        {"same caption", {quadro(u"NVIDIA Quadro FX 580"), quadro(u"NVIDIA Quadro FX 580")}, false},
        {"captions differ in letter case",
         {quadro(u"NVIDIA Quadro FX 580"), quadro(u"NVIDIA QUADRO FX 580")},
         true},
        {"an empty caption first gives no reference",
         {quadro(u""), quadro(u"NVIDIA Quadro FX 580")},
         false},
        {"an empty caption later differs", {quadro(u"NVIDIA Quadro FX 580"), quadro(u"")}, true},
        {"a different adapter not on the desktop",
         {quadro(u"NVIDIA Quadro FX 580"), Controller(u"AMD FirePro V7900", kRadeonPnp)},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = c.objects;
        system.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
        const Outcome run = Query(system);
        EXPECT_EQ(run.result, kAdapterQueryOk);
        EXPECT_EQ(run.adapter.adaptersDiffer, c.differ);
    }
}

TEST(QueryPrimaryVideoAdapter, FailuresAndTheirResults) {
    const auto onDesktop = [](auto change) {
        WmiVideoController object = Controller(u"NVIDIA Quadro FX 580", kQuadroPnp);
        change(object);
        return object;
    };
    const WmiVideoController other = Controller(u"AMD FirePro V7900", kRadeonPnp);
    WmiVideoController otherWithoutVersion = other;
    otherWithoutVersion.driverVersion = NotText();

    const struct {
        const char* what;
        std::vector<WmiVideoController> objects;
        int result;
    } cases[] = {
        {"no caption", {onDesktop([](auto& o) { o.caption = NotText(); })}, kAdapterQueryFailed},
        {"caption read fails",
         {onDesktop([](auto& o) { o.caption = ReadFails(); })},
         kAdapterQueryFailed},
        {"no driver version",
         {onDesktop([](auto& o) { o.driverVersion = ReadFails(); })},
         kAdapterNoDriverVersion},
        {"an adapter off the desktop without driver version blocks nothing",
         {onDesktop([](auto&) {}), otherWithoutVersion},
         kAdapterQueryOk},
        {"memory read fails",
         {onDesktop([](auto& o) { o.adapterRam = WmiMemory{}; })},
         kAdapterNoMemory},
        {"no driver date",
         {onDesktop([](auto& o) { o.driverDate = NotText(); })},
         kAdapterNoDriverDate},
        // Off the desktop only the driver version is read.
        {"an adapter off the desktop without caption, memory or date",
         {[&] {
             WmiVideoController o = other;
             o.caption = ReadFails();
             o.adapterRam = WmiMemory{};
             o.driverDate = ReadFails();
             return o;
         }()},
         kAdapterQueryOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = c.objects;
        system.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
        const Outcome run = Query(system);
        EXPECT_EQ(run.result, c.result);
        // The version box comes only with success.
        EXPECT_EQ(run.boxes.boxes.size(), c.result == kAdapterQueryOk ? 1u : 0u);
    }

    FakeVideoSystem failed;
    failed.query.ok = false;
    EXPECT_EQ(Query(failed).result, kAdapterQueryFailed);
}

TEST(QueryPrimaryVideoAdapter, MemoryAndDate) {
    const struct {
        const char* what;
        WmiMemory memory;
        const char16_t* date;
        uint32_t bytes;
        DriverDateNumber driverDate;
    } cases[] = {
        {"VT_NULL memory is 0",
         {WmiMemory::State::Null, 0},
         u"20111205000000.000000-000",
         0,
         20111205},
        {"unconvertible memory is 0",
         {WmiMemory::State::Unconvertible, 0},
         u"20111205000000.000000-000",
         0,
         20111205},
        {"4 GB less 1 MB", Bytes(0xFFF00000u), u"20111205", 0xFFF00000u, 20111205},
        {"a date that is not valid is 0", Bytes(1), u"19991231000000.000000-000", 1, 0},
        {"a short date is 0", Bytes(1), u"2011", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        WmiVideoController object = Controller(u"NVIDIA Quadro FX 580", kQuadroPnp);
        object.adapterRam = c.memory;
        object.driverDate = Text(c.date);
        system.query.objects = {object};
        system.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
        const Outcome run = Query(system);
        EXPECT_EQ(run.adapter.memoryBytes, c.bytes);
        EXPECT_EQ(run.adapter.driverDate, c.driverDate);
    }
}

TEST(QueryPrimaryVideoAdapter, WithoutPrimaryAdapterEarlierValuesStay) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp)};
    const PrimaryVideoAdapter earlier{u"old", {1, 2, 3, 4}, 7, 20100101, u"PCI\\OLD", true, {}, {}};
    const Outcome run = Query(system, earlier);
    EXPECT_EQ(run.result, kAdapterQueryOk);
    EXPECT_EQ(run.adapter.caption, u"");
    EXPECT_FALSE(run.adapter.adaptersDiffer);
    EXPECT_EQ(run.adapter.driverVersion, (DriverVersionNumber{1, 2, 3, 4}));
    EXPECT_EQ(run.adapter.memoryBytes, 7u);
    EXPECT_EQ(run.adapter.driverDate, 20100101u);
    EXPECT_EQ(run.adapter.pnpDeviceId, u"PCI\\OLD");
}

TEST(QueryPrimaryVideoAdapter, OnlyTheFirstTenObjects) {
    FakeVideoSystem system;
    for (int i = 0; i < 10; ++i) {
        system.query.objects.push_back(Controller(u"AMD FirePro V7900", kRadeonPnp));
    }
    system.query.objects.push_back(Controller(u"NVIDIA Quadro FX 580", kQuadroPnp));
    system.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
    EXPECT_EQ(Query(system).adapter.caption, u"");
}

}  // namespace

namespace {

// Every adapter of the query is reported as Windows gave it and as it was
// read, whether it was judged or not: a dock, the judged Intel GPU with its
// registry version, an idle NVIDIA GPU and an adapter without a driver.
TEST(QueryPrimaryVideoAdapter, ReportsEveryAdapterAndTheIdleDiscreteGpu) {
    FakeVideoSystem system;
    WmiVideoController dock = Controller(u"DisplayLink USB Device", u"USB\\VID_17E9&PID_430C");
    dock.adapterRam = {WmiMemory::State::Null, 0};
    WmiVideoController driverless = Controller(u"Video Controller (VGA Compatible)", u"PCI\\VEN_1");
    driverless.driverVersion = NotText();
    system.query.objects = {dock, Controller(u"Intel(R) HD Graphics 4000", kIntelPnp),
                            Controller(u"NVIDIA GeForce GT 635M", kQuadroPnp, 2048), driverless};
    system.AddDisplay(u"USB\\VID_17E9&PID_430C", u"dock", kDisplayAttachedToDesktop, u"");
    system.AddDisplay(kIntelDevice, u"intel", kAttachedPrimary, u"10.18.10.4425");
    const Outcome run = Query(system);
    ASSERT_EQ(run.result, kAdapterQueryOk);
    ASSERT_EQ(run.adapter.adapters.size(), 4u);
    EXPECT_EQ(run.adapter.judged, std::optional<size_t>(1));
    EXPECT_EQ(IdleDiscreteGpu(run.adapter), std::optional<size_t>(2));
    const struct {
        bool renders, screen, primary;
        std::optional<std::u16string> registry;
        DriverVersionNumber compared;
        std::optional<uint32_t> memory;
    } expected[] = {
        {false, true, false, std::nullopt, {8, 17, 12, 9573}, std::nullopt},
        {true, true, true, u"10.18.10.4425", {10, 180, 10, 4425}, 512 * kMb},
        {true, false, false, std::nullopt, {295, 73, 0, 0}, 2048 * kMb},
        {true, false, false, std::nullopt, {}, 512 * kMb},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const ReportedAdapter& a = run.adapter.adapters[i];
        EXPECT_EQ(a.caption, system.query.objects[i].caption.text);
        EXPECT_EQ(a.rendersOpenGL, expected[i].renders);
        EXPECT_EQ(a.drivesScreen, expected[i].screen);
        EXPECT_EQ(a.primary, expected[i].primary);
        EXPECT_EQ(a.registryVersion, expected[i].registry);
        EXPECT_EQ(a.comparedVersion, expected[i].compared);
        EXPECT_EQ(a.memoryBytes, expected[i].memory);
        EXPECT_EQ(a.driverDate, std::optional<std::u16string>(u"20120120000000.000000-000"));
        EXPECT_EQ(a.comparedDate, 20120120u);
    }
    EXPECT_EQ(run.adapter.adapters[3].driverVersion, std::nullopt);
}

}  // namespace
