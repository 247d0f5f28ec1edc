// Wine's recipe for a video adapter that WMI and the display devices agree
// on, for tests in a Wine session of their own; the changes last as long as
// its wineserver. The Direct3D adapter that WMI reports is chosen under HKCU,
// the display device's hardware id under its Enum key, whose VideoID names
// the driver key.
#pragma once

#include "common/win/handles.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace agreeing {

// A graphics card Wine knows by its PCI ids.
struct WineAdapterModel {
    DWORD vendorId;
    DWORD deviceId;
    const wchar_t* hardwareId;     // the display device's hardware id
    DWORD memoryMb;                // what WMI reports as AdapterRAM
    const wchar_t* driverVersion;  // "DriverVersion" of the display driver's key
};

// The display device of Wine's default adapter.
inline constexpr wchar_t kWineDisplayDevice[] =
    L"System\\CurrentControlSet\\Enum\\PCI\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00\\00000000";

inline bool SetValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
                     const void* data, size_t size) {
    UniqueRegKey key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

// A REG_SZ value, or with multiString a REG_MULTI_SZ of one string.
inline bool SetText(HKEY root, const std::wstring& path, const wchar_t* name,
                    std::wstring_view text, bool multiString = false) {
    std::wstring data(text);
    data += L'\0';
    if (multiString) {
        data += L'\0';
    }
    return SetValue(root, path, name, multiString ? REG_MULTI_SZ : REG_SZ, data.c_str(),
                    data.size() * sizeof(wchar_t));
}

inline bool SetNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD number) {
    return SetValue(root, path, name, REG_DWORD, &number, sizeof(number));
}

inline std::wstring ReadText(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return buffer;
}

// Makes Wine's adapter the model; a failed step fails the test.
inline void MakeWineAdapterAgree(const WineAdapterModel& model) {
    const std::wstring direct3d = L"Software\\Wine\\Direct3D";
    ASSERT_TRUE(SetNumber(HKEY_CURRENT_USER, direct3d, L"VideoPciVendorID", model.vendorId));
    ASSERT_TRUE(SetNumber(HKEY_CURRENT_USER, direct3d, L"VideoPciDeviceID", model.deviceId));
    ASSERT_TRUE(
        SetText(HKEY_CURRENT_USER, direct3d, L"VideoMemorySize", std::to_wstring(model.memoryMb)));
    ASSERT_TRUE(
        SetText(HKEY_LOCAL_MACHINE, kWineDisplayDevice, L"HardwareID", model.hardwareId, true));
    const std::wstring videoId = ReadText(
        HKEY_LOCAL_MACHINE, std::wstring(kWineDisplayDevice) + L"\\Device Parameters", L"VideoID");
    ASSERT_FALSE(videoId.empty());
    ASSERT_TRUE(SetText(HKEY_LOCAL_MACHINE,
                        L"System\\CurrentControlSet\\Control\\Video\\" + videoId + L"\\0000",
                        L"DriverVersion", model.driverVersion));
}

// The adapter tests' card: an NVIDIA GeForce 9500 GT with 2 GB whose driver
// key holds the registry version 8.17.12.9573.
inline const std::u16string kCaption = u"NVIDIA GeForce 9500 GT";
inline const std::u16string kPnp =
    u"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD";
inline constexpr DWORD kMemoryMb = 2048;  // AdapterRAM 2^31: a negative VT_I4
inline constexpr WineAdapterModel kGeForce9500 = {
    0x10de, 0x0640, L"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00", kMemoryMb, L"8.17.12.9573"};

// Makes the adapter tests' card agree before the first test.
class AgreeingAdapterSetup : public testing::Environment {
  public:
    void SetUp() override { MakeWineAdapterAgree(kGeForce9500); }
};

}  // namespace agreeing
