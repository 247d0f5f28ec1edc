#include "adapters/video_sources.h"

namespace {

constexpr std::u16string_view kKernelMachinePrefix = u"\\Registry\\Machine\\";

}  // namespace

bool IsDesktopDisplay(const DisplayDevice& device) {
    return (device.stateFlags & kDisplayAttachedToDesktop) != 0 &&
           (device.stateFlags & kDisplayMirroringDriver) == 0 && !device.deviceKey.empty();
}

std::u16string_view DriverSubkey(std::u16string_view deviceKey) {
    if (deviceKey.starts_with(kKernelMachinePrefix)) {
        deviceKey.remove_prefix(kKernelMachinePrefix.size());
    }
    return deviceKey;
}
