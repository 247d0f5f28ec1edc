// Adapter discovery where WMI's adapter and the display device agree, in a
// Wine session of its own (agreeing_wine_adapter.h).
#include "adapters/card_list_search.h"
#include "adapters/primary_video_adapter.h"
#include "adapters/tests/recorded_output.h"
#include "adapters/vexmira_adapters.h"
#include "adapters/tests/wine/agreeing_wine_adapter.h"
#include "adapters/win/video_system.h"
#include "common/text.h"
#include "common/win/com.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const testing::Environment* const kAgreeingAdapters =
    testing::AddGlobalTestEnvironment(new agreeing::AgreeingAdapterSetup);

using agreeing::kCaption;
using agreeing::kMemoryMb;
using agreeing::kPnp;

TEST(AgreeingAdapters, DiagnosticFindsOneActiveAdapter) {
    MemoryLog log;
    EXPECT_EQ(SummarizeVideoAdapters(log), 2);  // 256 MB or more
    EXPECT_EQ(log.lines, (std::vector<std::u16string>{u"1 active video adapters were found.\n",
                                                      u"caption: NVIDIA GEFORCE 9500 GT \n"}));

    // The list search shows what the table holds: the registry's version in
    // NVIDIA short form and WMI's driver date.
    MemoryLog search;
    EXPECT_EQ(SearchCardList(u"Z:\\no such folder\\GraphicsCardGBList.txt", 1, search), 0);
    ASSERT_EQ(search.lines.size(), 3u);
    EXPECT_EQ(search.lines[1], u"Searching for NVIDIA GEFORCE 9500 GT (" + ToUpperAscii(kPnp) +
                                   u") driver version: 295.73.0.0  date: 20220118...\n\n");
}

TEST(AgreeingAdapters, DiagnosticTableRecord) {
    Win32VideoSystem system;
    VideoAdapterTable table;
    EXPECT_EQ(QueryVideoAdapters(table, system.Sources()), 1);
    const VideoAdapterRecord& record = table[0];
    EXPECT_TRUE(record.active);
    EXPECT_EQ(record.caption, u"NVIDIA GEFORCE 9500 GT");
    EXPECT_EQ(record.memoryMb, kMemoryMb);
    EXPECT_EQ(record.driverVersion, (DriverVersionNumber{295, 73, 0, 0}));
    EXPECT_EQ(record.driverDate, 20220118u);
    EXPECT_EQ(record.pnpDeviceId, kPnp);
}

TEST(AgreeingAdapters, SystemTestFindsThePrimaryAdapter) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    Win32VideoSystem system;
    SilentVideo verbose;
    PrimaryVideoAdapter adapter;
    EXPECT_EQ(QueryPrimaryVideoAdapter(adapter, system.Sources(), verbose), kAdapterQueryOk);
    EXPECT_EQ(adapter.caption, kCaption);
    // 8.17.12.9573 from the registry reads as 8.170.12.9573, in short form 295.73.
    EXPECT_EQ(adapter.driverVersion, (DriverVersionNumber{295, 73, 0, 0}));
    EXPECT_EQ(adapter.memoryBytes, kMemoryMb << 20);
    EXPECT_EQ(adapter.driverDate, 20220118u);
    EXPECT_EQ(adapter.pnpDeviceId, kPnp);
    EXPECT_FALSE(adapter.adaptersDiffer);
}

TEST(AgreeingAdapters, DisplayDeviceStepOfTheSystemTest) {
    Win32VideoSystem system;
    VideoSystem& sources = system.Sources();
    DriverVersionNumber version{30, 0, 14023, 3004};
    const DisplayDeviceMatch match = ReadPrimaryDisplayDevice(
        kPnp, kCaption, sources.displays.Enumerate(), sources.driverKeys, version);
    EXPECT_TRUE(match.found);
    EXPECT_TRUE(match.primary);
    EXPECT_EQ(version, (DriverVersionNumber{8, 170, 12, 9573}));
}

}  // namespace
