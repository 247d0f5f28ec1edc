// The diagnostic's adapter table and adapter test.
#include "adapters/video_adapters.h"

#include "adapters/tests/fake_video_system.h"
#include "adapters/tests/recorded_output.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct QueryRun {
    VideoAdapterTable table;
    int count = 0;
};

QueryRun Query(FakeVideoSystem& system) {
    QueryRun run;
    VideoSystem sources = system.Sources();
    run.count = QueryVideoAdapters(run.table, sources);
    return run;
}

TEST(QueryVideoAdapters, NvidiaRegistryVersionInShortForm) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp, 512, u"8.17.12.8562",
                                       u"20111205000000.000000-000")};
    system.AddDisplay(kQuadroDevice, u"quadro", kAttachedPrimary, u"8.17.12.9573");

    const QueryRun run = Query(system);
    EXPECT_EQ(run.count, 1);
    EXPECT_EQ(system.queriedDialects, std::vector<Dialect>{Dialect::Vexmira});
    const VideoAdapterRecord& record = run.table[0];
    EXPECT_TRUE(record.active);
    EXPECT_EQ(record.caption, u"NVIDIA QUADRO FX 580");
    EXPECT_EQ(record.memoryMb, 512u);
    EXPECT_EQ(record.driverVersion, (DriverVersionNumber{295, 73, 0, 0}));
    EXPECT_EQ(record.driverDate, 20111205u);
    EXPECT_EQ(record.pnpDeviceId, ToUpperAscii(kQuadroPnp));
    // The kernel's prefix is dropped from the device key.
    EXPECT_EQ(system.openedKeys, std::vector<std::u16string>{
                                     u"System\\CurrentControlSet\\Control\\Video\\{quadro}\\0000"});
}

TEST(QueryVideoAdapters, RegistryValuesAndTheirFallbacks) {
    const struct {
        const char* what;
        const char16_t* driverVersion;  // the key's values; empty: missing
        const char16_t* releaseVersion;
        bool keyExists;
        DriverVersionNumber expected;
    } cases[] = {
        {"DriverVersion wins", u"8.15.11.8593", u"9.1.2", true, {8, 15, 11, 8593}},
        {"ReleaseVersion when DriverVersion is missing",
         u"",
         u"8.850-110504a-118930C-ATI",
         true,
         {8, 850, 110504, 118930}},
        {"neither value keeps WMI's", u"", u"", true, {8, 17, 12, 9573}},
        {"a key that cannot be opened keeps WMI's", u"9.9.9.9", u"", false, {8, 17, 12, 9573}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = {Controller(u"AMD FirePro V7900", kRadeonPnp)};
        system.AddDisplay(kRadeonDevice, u"firepro", kAttachedPrimary, c.driverVersion,
                          c.releaseVersion);
        if (!c.keyExists) {
            system.keys.clear();
        }
        const QueryRun run = Query(system);
        EXPECT_EQ(run.count, 1);
        EXPECT_TRUE(run.table[0].active);
        EXPECT_EQ(run.table[0].driverVersion, c.expected);
    }
}

TEST(QueryVideoAdapters, WhichDisplayDevicesBelongToAnAdapter) {
    const struct {
        const char* what;
        DisplayDevice device;
        bool active;
    } cases[] = {
        {"id in the PNP device id", {kQuadroDevice, u"\\Registry\\Machine\\K", 1, u""}, true},
        {"id in lower case",
         {ToLowerAscii(kQuadroDevice), u"\\Registry\\Machine\\K", 1, u""},
         true},
        {"id anywhere in the PNP device id", {u"DEV_0659", u"K", 1, u""}, true},
        {"an empty id names no adapter: the only one draws its screen", {u"", u"K", 1, u""}, true},
        {"not attached to the desktop", {kQuadroDevice, u"K", kDisplayPrimaryDevice, u""}, false},
        {"a mirroring driver", {kQuadroDevice, u"K", 1 | kDisplayMirroringDriver, u""}, false},
        {"no device key", {kQuadroDevice, u"", 1, u""}, false},
        {"another device", {kRadeonDevice, u"K", 5, u""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp)};
        system.displays = {c.device};
        const QueryRun run = Query(system);
        EXPECT_EQ(run.table[0].active, c.active);
        EXPECT_EQ(run.count, c.active ? 1 : 0);
        // An adapter that is not active keeps its system version.
        EXPECT_EQ(run.table[0].driverVersion, c.active ? (DriverVersionNumber{295, 73, 0, 0})
                                                       : (DriverVersionNumber{8, 17, 12, 9573}));
    }
}

TEST(QueryVideoAdapters, DeviceKeyWithoutPrefixIsOpenedUnchanged) {
    FakeVideoSystem system;
    system.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp)};
    system.displays = {{kQuadroDevice, u"System\\Video\\{x}\\0000", 1, u""},
                       {kQuadroDevice, u"\\REGISTRY\\MACHINE\\System", 1, u""}};
    Query(system);
    // The first belonging device ends the search.
    EXPECT_EQ(system.openedKeys, std::vector<std::u16string>{u"System\\Video\\{x}\\0000"});

    FakeVideoSystem upper;
    upper.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp)};
    upper.displays = {{kQuadroDevice, u"\\REGISTRY\\MACHINE\\System", 1, u""}};
    Query(upper);
    EXPECT_EQ(upper.openedKeys, std::vector<std::u16string>{u"\\REGISTRY\\MACHINE\\System"});
}

TEST(QueryVideoAdapters, PropertiesAndResults) {
    WmiVideoController nullMemory = Controller(u"NVIDIA Quadro FX 580", kQuadroPnp);
    nullMemory.adapterRam = {WmiMemory::State::Null, 0};
    WmiVideoController unconvertible = nullMemory;
    unconvertible.adapterRam = {WmiMemory::State::Unconvertible, 0};
    WmiVideoController badDate = nullMemory;
    badDate.driverDate = Text(u"19991231000000.000000-000");
    WmiVideoController shortDate = nullMemory;
    shortDate.driverDate = Text(u"2011");
    WmiVideoController failedCaption = Controller(u"x", kQuadroPnp);
    failedCaption.caption = ReadFails();
    WmiVideoController numberCaption = Controller(u"x", kQuadroPnp);
    numberCaption.caption = NotText();

    const struct {
        const char* what;
        WmiVideoController object;
        bool onDesktop;
        int count;
        uint32_t memoryMb;
        DriverDateNumber date;
        const char16_t* caption;
    } cases[] = {
        {"VT_NULL memory", nullMemory, true, 1, 0, 20120120, u"NVIDIA QUADRO FX 580"},
        {"unconvertible memory counts as unknown", unconvertible, true, 1, 0, 20120120,
         u"NVIDIA QUADRO FX 580"},
        {"a date that is not valid is kept", badDate, true, 1, 0, 19991231,
         u"NVIDIA QUADRO FX 580"},
        {"a short date is 0", shortDate, true, 1, 0, 0, u"NVIDIA QUADRO FX 580"},
        {"a failed read with the adapter on the desktop", failedCaption, true, 1, 512, 20120120,
         u""},
        {"a failed read without desktop adapter", failedCaption, false, -1, 512, 20120120, u""},
        {"a caption that is not text", numberCaption, false, 0, 512, 20120120, u""},
        {"an adapter not on the desktop", Controller(u"NVIDIA Quadro FX 580", kQuadroPnp), false, 0,
         512, 20120120, u"NVIDIA QUADRO FX 580"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = {c.object};
        if (c.onDesktop) {
            system.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
        }
        const QueryRun run = Query(system);
        EXPECT_EQ(run.count, c.count);
        EXPECT_EQ(run.table[0].memoryMb, c.memoryMb);
        EXPECT_EQ(run.table[0].driverDate, c.date);
        EXPECT_EQ(run.table[0].caption, c.caption);
    }
}

TEST(QueryVideoAdapters, FailedQueryOrNoObjects) {
    FakeVideoSystem failed;
    failed.query.ok = false;
    failed.query.objects = {Controller(u"NVIDIA Quadro FX 580", kQuadroPnp)};
    failed.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
    EXPECT_EQ(Query(failed).count, -1);

    FakeVideoSystem empty;
    EXPECT_EQ(Query(empty).count, -1);
}

TEST(QueryVideoAdapters, TextsAreCutAt255Characters) {
    FakeVideoSystem system;
    const std::u16string longCaption = u"NVIDIA Quadro " + std::u16string(300, u'x');
    system.query.objects = {Controller(longCaption, kQuadroPnp + std::u16string(300, u'y'))};
    const QueryRun run = Query(system);
    EXPECT_EQ(run.table[0].caption, ToUpperAscii(longCaption.substr(0, 255)));
    EXPECT_EQ(run.table[0].pnpDeviceId.size(), 255u);
}

TEST(QueryVideoAdapters, OnlyTheFirstTenObjects) {
    FakeVideoSystem system;
    for (int i = 0; i < 12; ++i) {
        system.query.objects.push_back(Controller(u"NVIDIA Quadro FX 580", kQuadroPnp));
    }
    system.AddDisplay(kQuadroDevice, u"q", kAttachedPrimary, u"");
    const QueryRun run = Query(system);
    EXPECT_EQ(run.count, 10);
}

struct SummaryCase {
    const char* what;
    std::vector<WmiVideoController> objects;
    std::vector<std::u16string> devices;  // each attached to the desktop
    int summary;
    std::vector<std::u16string> log;
};

TEST(SummarizeVideoAdapters, SummaryAndLogLines) {
    const auto quadro = [](uint32_t mb) {
        return Controller(u"NVIDIA Quadro FX 580", kQuadroPnp, mb);
    };
    const auto intel = [](uint32_t mb) {
        return Controller(u"Intel(R) HD Graphics 4000", kIntelPnp, mb);
    };
    WmiVideoController nullMemory = quadro(0);
    nullMemory.adapterRam = {WmiMemory::State::Null, 0};
    WmiVideoController intelNullMemory = intel(0);
    intelNullMemory.adapterRam = {WmiMemory::State::Null, 0};
    const std::u16string one = u"1 active video adapters were found.\n";
    const std::u16string two = u"2 active video adapters were found.\n";
    const std::u16string quadroCaption = u"caption: NVIDIA QUADRO FX 580 \n";
    const std::u16string intelCaption = u"caption: INTEL(R) HD GRAPHICS 4000 \n";
    const std::u16string differ = u"Error! The adapters are not identical !\n";

    const SummaryCase cases[] = {
        {"256 MB", {quadro(256)}, {kQuadroDevice}, 2, {one, quadroCaption}},
        {"255 MB", {quadro(255)}, {kQuadroDevice}, 1, {one, quadroCaption}},
        {"VT_NULL memory", {nullMemory}, {kQuadroDevice}, -1, {one, quadroCaption}},
        {"a single Intel adapter, whatever its memory",
         {intel(64)},
         {kIntelDevice},
         0,
         {one, intelCaption}},
        {"a single Intel adapter without memory",
         {intelNullMemory},
         {kIntelDevice},
         0,
         {one, intelCaption}},
        {"two identical Intel adapters get a memory class",
         {intel(64), intel(64)},
         {kIntelDevice},
         1,
         {two, intelCaption}},
        {"two different adapters",
         {quadro(512), Controller(u"AMD FirePro V7900", kRadeonPnp)},
         {kQuadroDevice, kRadeonDevice},
         -2,
         {two, quadroCaption, differ}},
        {"a different adapter that is not on the desktop",
         {Controller(u"AMD FirePro V7900", kRadeonPnp), quadro(1024)},
         {kQuadroDevice},
         2,
         {one, quadroCaption}},
        {"no adapter on the desktop",
         {quadro(512)},
         {},
         -1,
         {u"0 active video adapters were found.\n"}},
        {"query failed", {}, {}, -1, {u"-1 active video adapters were found.\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeVideoSystem system;
        system.query.objects = c.objects;
        int n = 0;
        for (const auto& device : c.devices) {
            system.AddDisplay(device, u"d" + Utf16FromAscii(std::to_string(n++)), 1, u"");
        }
        VideoAdapterTable table;
        VideoSystem sources = system.Sources();
        MemoryLog log;
        EXPECT_EQ(SummarizeVideoAdapters(table, sources, log), c.summary);
        EXPECT_EQ(log.lines, c.log);
    }
}

}  // namespace
