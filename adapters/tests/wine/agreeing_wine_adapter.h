// Wine's recipe for a video adapter that WMI and the display devices agree
// on: an NVIDIA GeForce 9500 GT with 2 GB whose driver key holds the registry
// version 8.17.12.9573. For tests in a Wine session of their own; the changes
// last as long as its wineserver.
#pragma once

#include "common/win/handles.h"

#include <gtest/gtest.h>

#include <string>

namespace agreeing {

inline const std::u16string kCaption = u"NVIDIA GeForce 9500 GT";
inline const std::u16string kPnp =
    u"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD";
inline constexpr DWORD kMemoryMb = 2048;  // AdapterRAM 2^31: a negative VT_I4
inline constexpr wchar_t kHardwareId[] = L"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\0";
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

inline bool SetText(HKEY root, const std::wstring& path, const wchar_t* name,
                    const std::wstring& text) {
    return SetValue(root, path, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
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

// Wine's recipe: the Direct3D adapter that WMI reports is chosen under HKCU,
// the display device's hardware id under its Enum key, whose VideoID names the
// driver key.
class AgreeingAdapterSetup : public testing::Environment {
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

}  // namespace agreeing
