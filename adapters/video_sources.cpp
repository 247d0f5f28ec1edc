#include "adapters/video_sources.h"

#include "common/text.h"

#include <algorithm>

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

namespace {

// PNP enumerators of adapters that present screens without drawing them.
constexpr std::u16string_view kNonRenderingEnumerators[] = {u"USB\\", u"ROOT\\", u"SWD\\"};

// PCI vendors of virtual machines' display adapters: VMware, VirtualBox,
// Hyper-V's emulated VGA, QEMU (its standard VGA under Bochs' id, virtio and
// the QXL of Red Hat's ranges), Parallels.
constexpr std::u16string_view kVirtualMachineVendors[] = {u"15AD", u"80EE", u"1414", u"1234",
                                                          u"1AF4", u"1B36", u"1AB8"};
constexpr std::u16string_view kPciVendorMark = u"PCI\\VEN_";
constexpr std::u16string_view kHyperVBus = u"VMBUS\\";

bool HasDriver(const WmiVideoController& object) {
    return object.driverVersion.IsText() && !object.driverVersion.text.empty();
}

std::u16string_view PnpIdOf(const WmiVideoController& object) {
    return object.pnpDeviceId.IsText() ? std::u16string_view(object.pnpDeviceId.text)
                                       : std::u16string_view();
}

std::u16string_view CaptionOf(const WmiVideoController& object) {
    return object.caption.IsText() ? std::u16string_view(object.caption.text)
                                   : std::u16string_view();
}

}  // namespace

bool DisplayBelongsToAdapter(const DisplayDevice& device, std::u16string_view pnpDeviceId,
                             std::u16string_view caption, Dialect dialect) {
    if (device.deviceId.empty()) {
        const std::u16string name = TrimSpaces(device.deviceString);
        return !name.empty() && ToUpperAscii(name) == ToUpperAscii(TrimSpaces(caption));
    }
    if (dialect == Dialect::Vexmira) {
        return ToUpperAscii(pnpDeviceId).find(ToUpperAscii(device.deviceId)) !=
               std::u16string::npos;
    }
    return pnpDeviceId.starts_with(device.deviceId);
}

bool RendersOpenGL(std::u16string_view pnpDeviceId) {
    const std::u16string upper = ToUpperAscii(pnpDeviceId);
    for (const std::u16string_view enumerator : kNonRenderingEnumerators) {
        if (upper.starts_with(enumerator)) {
            return false;
        }
    }
    return true;
}

bool IsVirtualMachineAdapter(std::u16string_view pnpDeviceId) {
    const std::u16string upper = ToUpperAscii(pnpDeviceId);
    if (upper.starts_with(kHyperVBus)) {
        return true;
    }
    if (!upper.starts_with(kPciVendorMark)) {
        return false;
    }
    const std::u16string_view vendor = std::u16string_view(upper).substr(kPciVendorMark.size(), 4);
    for (const std::u16string_view known : kVirtualMachineVendors) {
        if (vendor == known) {
            return true;
        }
    }
    return false;
}

std::optional<size_t> SoleRenderingAdapter(const std::vector<WmiVideoController>& objects,
                                           const std::vector<DisplayDevice>& displays,
                                           Dialect dialect) {
    const size_t count = std::min(objects.size(), kMaxVideoControllers);
    bool screenOfNoRenderer = false;
    for (const DisplayDevice& device : displays) {
        if (!IsDesktopDisplay(device)) {
            continue;
        }
        bool named = false;
        for (size_t i = 0; i < count; ++i) {
            if (DisplayBelongsToAdapter(device, PnpIdOf(objects[i]), CaptionOf(objects[i]),
                                        dialect)) {
                if (RendersOpenGL(PnpIdOf(objects[i]))) {
                    return std::nullopt;  // a rendering adapter is named: no guess
                }
                named = true;
            }
        }
        // A device of an adapter that WMI does not list is no screen of ours;
        // one that names no adapter at all (an empty id) is.
        screenOfNoRenderer = screenOfNoRenderer || named || device.deviceId.empty();
    }
    if (!screenOfNoRenderer) {
        return std::nullopt;
    }
    std::optional<size_t> sole;
    for (size_t i = 0; i < count; ++i) {
        if (RendersOpenGL(PnpIdOf(objects[i])) && HasDriver(objects[i])) {
            if (sole) {
                return std::nullopt;
            }
            sole = i;
        }
    }
    return sole;
}
