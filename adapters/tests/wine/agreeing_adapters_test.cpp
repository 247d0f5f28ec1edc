// Adapter discovery where WMI's adapter and the display device agree. Wine's
// Direct3D adapter is set to an NVIDIA GeForce 9500 GT with 2 GB, the display
// device's hardware id to that card's, and its driver key gets the registry
// version 8.17.12.9573. Runs in a Wine session of its own: the changes stay
// there.
#include "adapters/card_list_search.h"
#include "adapters/primary_video_adapter.h"
#include "adapters/vexmira_adapters.h"
#include "adapters/win/video_system.h"
#include "common/text.h"
#include "common/win/com.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::u16string kCaption = u"NVIDIA GeForce 9500 GT";
const std::u16string kPnp = u"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD";
constexpr DWORD kMemoryMb = 2048;  // AdapterRAM 2^31: a negative VT_I4
constexpr wchar_t kHardwareId[] = L"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\0";
constexpr wchar_t kWineDisplayDevice[] =
    L"System\\CurrentControlSet\\Enum\\PCI\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00\\00000000";

class MemoryLog final : public DiagnosticLog {
  public:
    std::vector<std::u16string> lines;
    void Print(std::u16string_view text) override { lines.emplace_back(text); }
};

bool SetValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
              const void* data, size_t size) {
    UniqueRegKey key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    return SetValue(root, path, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool SetNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD number) {
    return SetValue(root, path, name, REG_DWORD, &number, sizeof(number));
}

std::wstring ReadText(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return buffer;
}

// Wine's recipe: the Direct3D adapter that WMI reports is chosen under HKCU,
// the display device's hardware id under its Enum key, whose VideoID names the
// driver key.
class AgreeingAdapters : public testing::Environment {
  public:
    void SetUp() override {
        const std::wstring direct3d = L"Software\\Wine\\Direct3D";
        ASSERT_TRUE(SetNumber(HKEY_CURRENT_USER, direct3d, L"VideoPciVendorID", 0x10de));
        ASSERT_TRUE(SetNumber(HKEY_CURRENT_USER, direct3d, L"VideoPciDeviceID", 0x0640));
        ASSERT_TRUE(
            SetText(HKEY_CURRENT_USER, direct3d, L"VideoMemorySize", std::to_wstring(kMemoryMb)));
        ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, kWineDisplayDevice, L"HardwareID", REG_MULTI_SZ,
                             kHardwareId, sizeof(kHardwareId)));
        const std::wstring videoId =
            ReadText(HKEY_LOCAL_MACHINE, std::wstring(kWineDisplayDevice) + L"\\Device Parameters",
                     L"VideoID");
        ASSERT_FALSE(videoId.empty());
        ASSERT_TRUE(SetText(HKEY_LOCAL_MACHINE,
                            L"System\\CurrentControlSet\\Control\\Video\\" + videoId + L"\\0000",
                            L"DriverVersion", L"8.17.12.9573"));
    }
};

const testing::Environment* const kAgreeingAdapters =
    testing::AddGlobalTestEnvironment(new AgreeingAdapters);

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
    const DisplayDeviceMatch match =
        ReadPrimaryDisplayDevice(kPnp, sources.displays.Enumerate(), sources.driverKeys, version);
    EXPECT_TRUE(match.found);
    EXPECT_TRUE(match.primary);
    EXPECT_EQ(version, (DriverVersionNumber{8, 170, 12, 9573}));
}

}  // namespace
