#include "adapters/win/display_devices.h"

#include "common/win/handles.h"
#include "common/win/wide.h"

namespace {

// The structure the system fills: 840 bytes with its four texts.
static_assert(sizeof(DISPLAY_DEVICEW) == 840);

// A text field of the structure, which the system ends with a NUL.
template <size_t N>
std::u16string FieldText(const wchar_t (&field)[N]) {
    return FromWide(std::wstring_view(field, wcsnlen(field, N)));
}

}  // namespace

std::vector<DisplayDevice> Win32DisplayDeviceSource::Enumerate() {
    std::vector<DisplayDevice> devices;
    // user32.dll is loaded: both programs import it.
    const auto enumDisplayDevices = ResolveFunction<BOOL(LPCWSTR, DWORD, PDISPLAY_DEVICEW, DWORD)>(
        L"user32.dll", "EnumDisplayDevicesW");
    if (enumDisplayDevices == nullptr) {
        return devices;
    }
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEW device{};
        device.cb = sizeof(device);
        if (!enumDisplayDevices(nullptr, index, &device, 0)) {
            break;
        }
        devices.push_back({FieldText(device.DeviceID), FieldText(device.DeviceKey),
                           device.StateFlags, FieldText(device.DeviceString)});
    }
    return devices;
}
