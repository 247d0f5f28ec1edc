// Adapter discovery against what stock Wine reports: one WMI adapter (an
// NVIDIA GeForce GTX 470 of Wine's Direct3D) and one display device ("Wine
// Adapter") whose device id belongs to no WMI adapter.
#include "adapters/primary_video_adapter.h"
#include "adapters/tests/fake_video_system.h"
#include "adapters/tests/recorded_output.h"
#include "adapters/video_adapters.h"
#include "adapters/vexmira_adapters.h"
#include "adapters/win/display_devices.h"
#include "adapters/win/driver_keys.h"
#include "adapters/win/video_system.h"
#include "adapters/win/wmi_video_controllers.h"
#include "common/win/com.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <wbemcli.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Fixed in Wine 8 for its default adapter.
const std::u16string kWineCaption = u"NVIDIA GeForce GTX 470";
const std::u16string kWinePnp = u"PCI\\VEN_10DE&DEV_06CD&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD";
const std::u16string kWineDriverVersion = u"30.0.14023.3004";
const std::u16string kWineDriverDate = u"20220118000000.000000-000";
// Wine's AdapterRAM is a VT_I4 of -1048576: 4 GB less 1 MB as CIM's uint32.
constexpr uint32_t kWineAdapterRam = 0xFFF00000u;

// WBEM_E_NOT_FOUND, what Get returns for a property the class lacks.
const HRESULT kNotFound = static_cast<HRESULT>(0x80041002);

VARIANT Number(VARTYPE type, LONG value) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = type;
    variant.lVal = value;
    return variant;
}

void SetText(UniqueVariant& variant, const wchar_t* text) {
    VARIANT* value = variant.put();
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocString(text);
}

TEST(WmiVariants, AdapterRamConversion) {
    UniqueVariant text;
    SetText(text, L"512");
    UniqueVariant word;
    SetText(word, L"lots");
    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    VARIANT empty;
    VariantInit(&empty);

    const struct {
        const char* what;
        HRESULT getResult;
        VARIANT value;
        WmiMemory::State state;
        uint32_t bytes;
    } cases[] = {
        // Windows' VariantChangeType refuses a negative VT_I4 as VT_UI4
        // (DISP_E_OVERFLOW) where Wine's converts it: the VT_I4 rows hold
        // whatever the system's conversion does.
        {"VT_I4 from 2 GB on is CIM's uint32", S_OK, Number(VT_I4, -1048576),
         WmiMemory::State::Value, kWineAdapterRam},
        {"VT_I4 of 4 GB less 1 byte", S_OK, Number(VT_I4, -1), WmiMemory::State::Value,
         0xFFFFFFFFu},
        {"VT_I4", S_OK, Number(VT_I4, 536870912), WmiMemory::State::Value, 536870912},
        {"VT_UI4", S_OK, Number(VT_UI4, -1), WmiMemory::State::Value, 0xFFFFFFFFu},
        {"VT_UI2", S_OK, Number(VT_UI2, 65535), WmiMemory::State::Value, 65535},
        {"a negative VT_I2 is no size", S_OK, Number(VT_I2, -1), WmiMemory::State::Unconvertible,
         0},
        {"VT_NULL", S_OK, null, WmiMemory::State::Null, 0},
        {"VT_EMPTY", S_OK, empty, WmiMemory::State::Null, 0},
        {"a number as text", S_OK, text.get(), WmiMemory::State::Value, 512},
        {"text that is no number", S_OK, word.get(), WmiMemory::State::Unconvertible, 0},
        {"a failed read", kNotFound, empty, WmiMemory::State::ReadFailed, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const WmiMemory memory = WmiMemoryFromVariant(c.getResult, c.value);
        EXPECT_EQ(memory.state, c.state);
        EXPECT_EQ(memory.BytesOrZero(), c.bytes);
    }
}

TEST(WmiVariants, AdapterRamOfFourGigabytesInBothPrograms) {
    FakeVideoSystem system;
    WmiVideoController controller = Controller(u"NVIDIA Quadro FX 580", kQuadroPnp);
    controller.adapterRam = WmiMemoryFromVariant(S_OK, Number(VT_I4, -1048576));
    system.query.objects = {controller};
    system.AddDisplay(kQuadroDevice, u"quadro", kAttachedPrimary, u"");
    VideoSystem sources = system.Sources();

    VideoAdapterTable table;
    MemoryLog log;
    EXPECT_EQ(SummarizeVideoAdapters(table, sources, log), 2) << "256 MB or more";
    EXPECT_EQ(table[0].memoryMb, 4095u);

    PrimaryVideoAdapter adapter;
    SilentVideo verbose;
    EXPECT_EQ(QueryPrimaryVideoAdapter(adapter, sources, verbose), kAdapterQueryOk);
    EXPECT_EQ(adapter.memoryBytes, 4293918720u);
    EXPECT_EQ(adapter.memoryBytes >> kBytesPerMbShift, 4095u);
}

TEST(WmiVariants, TextOnlyFromBstr) {
    UniqueVariant text;
    SetText(text, L"Quadro");
    VARIANT nullBstr;
    VariantInit(&nullBstr);
    nullBstr.vt = VT_BSTR;
    nullBstr.bstrVal = nullptr;
    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;

    EXPECT_EQ(WmiTextFromVariant(S_OK, text.get()).state, WmiText::State::Text);
    EXPECT_EQ(WmiTextFromVariant(S_OK, text.get()).text, u"Quadro");
    EXPECT_EQ(WmiTextFromVariant(S_OK, nullBstr).state, WmiText::State::Text);
    EXPECT_EQ(WmiTextFromVariant(S_OK, nullBstr).text, u"");
    EXPECT_EQ(WmiTextFromVariant(S_OK, null).state, WmiText::State::NotText);
    EXPECT_EQ(WmiTextFromVariant(S_OK, Number(VT_I4, 5)).state, WmiText::State::NotText);
    EXPECT_EQ(WmiTextFromVariant(kNotFound, text.get()).state, WmiText::State::ReadFailed);
}

void ExpectWineController(const WmiVideoControllerQuery& query) {
    ASSERT_TRUE(query.ok);
    ASSERT_EQ(query.objects.size(), 1u);
    const WmiVideoController& object = query.objects[0];
    EXPECT_EQ(object.caption.text, kWineCaption);
    EXPECT_EQ(object.adapterRam.state, WmiMemory::State::Value);
    EXPECT_EQ(object.adapterRam.bytes, kWineAdapterRam);
    EXPECT_EQ(object.driverDate.text, kWineDriverDate);
    EXPECT_EQ(object.driverVersion.text, kWineDriverVersion);
    EXPECT_EQ(object.pnpDeviceId.text, kWinePnp);
}

TEST(WmiVideoControllers, DiagnosticQueryInItsOwnApartment) {
    WmiVideoControllerSource source;
    ExpectWineController(source.Query(Dialect::Vexmira));
}

TEST(WmiVideoControllers, SystemTestQueryInTheCallersApartment) {
    // QuarvelSysTest initializes COM for its user interface thread at start.
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    ASSERT_EQ(com.Result(), S_OK);
    WmiVideoControllerSource source;
    ExpectWineController(source.Query(Dialect::QuarvelSysTest));
    // Security is set once per process; a second query still works.
    ExpectWineController(source.Query(Dialect::QuarvelSysTest));
}

TEST(WmiVideoControllers, QueryAfterTheProcessSetItsOwnSecurity) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    ASSERT_EQ(com.Result(), S_OK);
    // A host that set COM security first, at levels too low for WMI: the
    // query's own call then fails with RPC_E_TOO_LATE, and its proxy blanket
    // carries the levels WMI needs.
    ASSERT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                                   RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr),
              S_OK);
    WmiVideoControllerSource source;
    ExpectWineController(source.Query(Dialect::QuarvelSysTest));
}

TEST(WmiVideoControllers, SystemTestQueryWithoutComFails) {
    WmiVideoControllerSource source;
    EXPECT_FALSE(source.Query(Dialect::QuarvelSysTest).ok);
}

TEST(WmiVideoControllers, DiagnosticLeavesTheCallersComAsItWas) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    ASSERT_EQ(com.Result(), S_OK);
    // The diagnostic's multithreaded apartment cannot be joined from here; the
    // query goes on in the caller's apartment and must not end it.
    WmiVideoControllerSource source;
    ExpectWineController(source.Query(Dialect::Vexmira));
    const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(again, S_FALSE);  // still initialized
    if (SUCCEEDED(again)) {
        CoUninitialize();
    }
}

TEST(DisplayDevices, WineAdapterOnTheDesktop) {
    Win32DisplayDeviceSource source;
    const std::vector<DisplayDevice> devices = source.Enumerate();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].deviceId, u"PCI\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00");
    EXPECT_EQ(devices[0].stateFlags, kDisplayAttachedToDesktop | kDisplayPrimaryDevice);
    EXPECT_TRUE(devices[0].deviceKey.starts_with(
        u"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{"));
    EXPECT_TRUE(IsDesktopDisplay(devices[0]));
}

TEST(DriverKeys, WineDisplayKeyHasNoVersion) {
    Win32DisplayDeviceSource displays;
    const std::vector<DisplayDevice> devices = displays.Enumerate();
    ASSERT_FALSE(devices.empty());
    Win32DriverKeySource keys;
    const std::optional<DriverKeyValues> values = keys.Read(DriverSubkey(devices[0].deviceKey));
    ASSERT_TRUE(values);
    EXPECT_FALSE(values->driverVersion.found);
    EXPECT_FALSE(values->releaseVersion.found);
    EXPECT_FALSE(keys.Read(u"System\\CurrentControlSet\\Control\\Video\\{missing}\\0000"));
    // Without the kernel's prefix dropped the key is not found under HKLM.
    EXPECT_FALSE(keys.Read(devices[0].deviceKey));
}

// A key of the test's own under HKLM\Software with the given values.
class TestKey {
  public:
    static constexpr wchar_t kPath[] = L"Software\\QuarvelSysTestAdapterTests";
    TestKey() {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key_.put(), nullptr);
    }
    ~TestKey() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPath); }
    void Set(const wchar_t* name, const std::vector<BYTE>& data, DWORD type = REG_SZ) {
        RegSetValueExW(key_.get(), name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    }
    static std::vector<BYTE> Bytes(std::wstring_view text, bool terminated = true) {
        const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
        std::vector<BYTE> data(bytes, bytes + text.size() * sizeof(wchar_t));
        if (terminated) {
            data.push_back(0);
            data.push_back(0);
        }
        return data;
    }

  private:
    UniqueRegKey key_;
};

TEST(DriverKeys, ValuesAreReadIntoTwoHundredBytes) {
    TestKey key;
    key.Set(L"DriverVersion", TestKey::Bytes(L"8.17.12.9573"));
    // 100 characters without their NUL fill the buffer exactly.
    key.Set(L"ReleaseVersion", TestKey::Bytes(std::wstring(100, L'7'), false));
    Win32DriverKeySource keys;
    std::optional<DriverKeyValues> values = keys.Read(FromWide(TestKey::kPath));
    ASSERT_TRUE(values);
    EXPECT_TRUE(values->driverVersion.found);
    EXPECT_EQ(values->driverVersion.text, u"8.17.12.9573");
    EXPECT_TRUE(values->releaseVersion.found);
    EXPECT_EQ(values->releaseVersion.text, std::u16string(100, u'7'));

    // A value too long for the buffer is not read.
    key.Set(L"DriverVersion", TestKey::Bytes(std::wstring(100, L'8')));
    values = keys.Read(FromWide(TestKey::kPath));
    ASSERT_TRUE(values);
    EXPECT_FALSE(values->driverVersion.found);
    EXPECT_EQ(values->driverVersion.text, u"");
}

TEST(VexmiraAdapters, StockWineHasNoAdapterOnTheDesktop) {
    MemoryLog log;
    EXPECT_EQ(SummarizeVideoAdapters(log), -1);
    EXPECT_EQ(log.lines, std::vector<std::u16string>{u"0 active video adapters were found.\n"});

    MemoryLog search;
    EXPECT_EQ(SearchCardList(u"GraphicsCardGBList.txt", 1, search), 0);
    EXPECT_EQ(search.lines, std::vector<std::u16string>{u"GB-list file GraphicsCardGBList.txt\n"});
}

TEST(PrimaryVideoAdapter, StockWineHasNoPrimaryAdapter) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    Win32VideoSystem system;
    SilentVideo verbose;
    PrimaryVideoAdapter adapter;
    EXPECT_EQ(QueryPrimaryVideoAdapter(adapter, system.Sources(), verbose), kAdapterQueryOk);
    EXPECT_EQ(adapter.caption, u"");
    EXPECT_EQ(adapter.memoryBytes, 0u);
    EXPECT_EQ(adapter.driverVersion, DriverVersionNumber{});
    EXPECT_FALSE(adapter.adaptersDiffer);
}

}  // namespace
