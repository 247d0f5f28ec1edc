#include "adapters/primary_video_adapter.h"

#include <algorithm>

namespace {

// The system test cuts each registry text at 99 characters.
constexpr size_t kRegistryTextLimit = 99;

bool BelongsToAdapter(const DisplayDevice& device, std::u16string_view pnpDeviceId) {
    return device.deviceId.empty() || pnpDeviceId.starts_with(device.deviceId);
}

// Reads the registry version of one device into version. A key with at least
// one of the values replaces the version, even by an empty text's 0.0.0.0.
void ReadRegistryVersion(const DriverKeyValues& values, DriverVersionNumber& version) {
    if (!values.driverVersion.found && !values.releaseVersion.found) {
        return;
    }
    const std::u16string_view driverVersion =
        std::u16string_view(values.driverVersion.text).substr(0, kRegistryTextLimit);
    const std::u16string_view releaseVersion =
        std::u16string_view(values.releaseVersion.text).substr(0, kRegistryTextLimit);
    const std::u16string_view text = !driverVersion.empty() ? driverVersion : releaseVersion;
    version = ParseDriverVersion(text, Dialect::QuarvelSysTest, VersionSource::Registry).version;
}

}  // namespace

DisplayDeviceMatch ReadPrimaryDisplayDevice(std::u16string_view pnpDeviceId,
                                            const std::vector<DisplayDevice>& displays,
                                            DriverKeySource& driverKeys,
                                            DriverVersionNumber& version) {
    DisplayDeviceMatch match;
    for (const DisplayDevice& device : displays) {
        if (!IsDesktopDisplay(device) || !BelongsToAdapter(device, pnpDeviceId)) {
            continue;
        }
        match.found = true;
        match.primary = (device.stateFlags & kDisplayPrimaryDevice) != 0;
        const std::optional<DriverKeyValues> values =
            driverKeys.Read(DriverSubkey(device.deviceKey));
        if (!values) {
            continue;
        }
        ReadRegistryVersion(*values, version);
        if (match.primary) {
            break;
        }
    }
    return match;
}

int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VideoSystem& system,
                             VerboseVideo& verbose) {
    adapter.caption.clear();
    adapter.adaptersDiffer = false;

    const WmiVideoControllerQuery query = system.controllers.Query(Dialect::QuarvelSysTest);
    if (!query.ok) {
        return kAdapterQueryFailed;
    }
    const std::vector<DisplayDevice> displays = system.displays.Enumerate();

    std::u16string referenceCaption;  // of the first desktop adapter that has one
    const size_t objects = std::min(query.objects.size(), kMaxVideoControllers);
    for (size_t i = 0; i < objects; ++i) {
        const WmiVideoController& object = query.objects[i];
        const std::u16string pnpDeviceId =
            object.pnpDeviceId.IsText() ? object.pnpDeviceId.text : std::u16string();
        // Every adapter needs a driver version, even one that is not on the desktop.
        if (!object.driverVersion.IsText()) {
            return kAdapterNoDriverVersion;
        }
        DriverVersionNumber version =
            ParseDriverVersion(object.driverVersion.text, Dialect::QuarvelSysTest).version;

        const DisplayDeviceMatch match =
            ReadPrimaryDisplayDevice(pnpDeviceId, displays, system.driverKeys, version);
        if (!match.found) {
            continue;
        }
        if (!object.caption.IsText()) {
            return kAdapterQueryFailed;
        }
        if (object.adapterRam.state == WmiMemory::State::ReadFailed) {
            return kAdapterNoMemory;
        }
        if (!object.driverDate.IsText()) {
            return kAdapterNoDriverDate;
        }
        if (match.primary) {
            adapter.caption = object.caption.text;
            adapter.driverVersion = version;
            adapter.memoryBytes = object.adapterRam.BytesOrZero();
            adapter.driverDate = AdapterDriverDate(object.driverDate.text, Dialect::QuarvelSysTest);
            adapter.pnpDeviceId = pnpDeviceId;
        }
        if (referenceCaption.empty()) {
            referenceCaption = object.caption.text;
        } else if (object.caption.text != referenceCaption) {
            adapter.adaptersDiffer = true;
        }
    }

    ApplyNvidiaVersionRule(adapter.caption, adapter.driverVersion);
    verbose.Show(kVersionBoxCaption, VersionBoxText(adapter.driverVersion));
    return kAdapterQueryOk;
}
