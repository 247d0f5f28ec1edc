#include "adapters/primary_video_adapter.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The system test cuts each registry text at 99 characters.
constexpr size_t kRegistryTextLimit = 99;

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
                                            std::u16string_view caption,
                                            const std::vector<DisplayDevice>& displays,
                                            DriverKeySource& driverKeys,
                                            DriverVersionNumber& version) {
    DisplayDeviceMatch match;
    for (const DisplayDevice& device : displays) {
        if (!IsDesktopDisplay(device) ||
            !DisplayBelongsToAdapter(device, pnpDeviceId, caption, Dialect::QuarvelSysTest)) {
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

namespace {

// The checks of one adapter that drives a screen, in the order the query
// makes them; kAdapterQueryOk when it can be judged.
int CheckDesktopAdapter(const WmiVideoController& object) {
    if (!object.caption.IsText()) {
        return kAdapterQueryFailed;
    }
    if (object.adapterRam.state == WmiMemory::State::ReadFailed) {
        return kAdapterNoMemory;
    }
    if (!object.driverDate.IsText()) {
        return kAdapterNoDriverDate;
    }
    return kAdapterQueryOk;
}

void TakeAdapter(PrimaryVideoAdapter& adapter, const WmiVideoController& object,
                 const DriverVersionNumber& version) {
    adapter.caption = object.caption.text;
    adapter.driverVersion = version;
    adapter.memoryBytes = object.adapterRam.BytesOrZero();
    adapter.driverDate = AdapterDriverDate(object.driverDate.text, Dialect::QuarvelSysTest);
    adapter.pnpDeviceId = object.pnpDeviceId.IsText() ? object.pnpDeviceId.text : u"";
}

DriverVersionNumber WmiVersion(const WmiVideoController& object) {
    return ParseDriverVersion(object.driverVersion.text, Dialect::QuarvelSysTest).version;
}

}  // namespace

int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VideoSystem& system,
                             VerboseVideo& verbose) {
    adapter.caption.clear();
    adapter.adaptersDiffer = false;

    const WmiVideoControllerQuery query = system.controllers.Query(Dialect::QuarvelSysTest);
    if (!query.ok) {
        return kAdapterQueryFailed;
    }
    const std::vector<DisplayDevice> displays = system.displays.Enumerate();

    bool primaryTaken = false;
    std::optional<std::pair<size_t, DriverVersionNumber>> firstOnDesktop;
    std::u16string referenceCaption;  // of the first desktop adapter that has one
    const size_t objects = std::min(query.objects.size(), kMaxVideoControllers);
    for (size_t i = 0; i < objects; ++i) {
        const WmiVideoController& object = query.objects[i];
        const std::u16string pnpDeviceId =
            object.pnpDeviceId.IsText() ? object.pnpDeviceId.text : std::u16string();
        // A dock's or a virtual display's adapter presents screens that
        // another adapter draws: it is never the one judged, nor a second one.
        if (!RendersOpenGL(pnpDeviceId)) {
            continue;
        }
        DriverVersionNumber version =
            object.driverVersion.IsText() ? WmiVersion(object) : DriverVersionNumber{};
        const DisplayDeviceMatch match = ReadPrimaryDisplayDevice(
            pnpDeviceId, object.caption.IsText() ? object.caption.text : u"", displays,
            system.driverKeys, version);
        if (!match.found) {
            continue;  // drives no screen: a device without a driver blocks nothing
        }
        // An adapter on the desktop without WMI's version text cannot be judged.
        if (!object.driverVersion.IsText()) {
            return kAdapterNoDriverVersion;
        }
        if (const int checked = CheckDesktopAdapter(object); checked != kAdapterQueryOk) {
            return checked;
        }
        if (match.primary) {
            TakeAdapter(adapter, object, version);
            primaryTaken = true;
        }
        if (!firstOnDesktop) {
            firstOnDesktop.emplace(i, version);
        }
        if (referenceCaption.empty()) {
            referenceCaption = object.caption.text;
        } else if (object.caption.text != referenceCaption) {
            adapter.adaptersDiffer = true;
        }
    }

    if (!firstOnDesktop) {
        // Screens that name no adapter of ours are drawn by the only one that
        // can; its version stays WMI's, as no key is known to be its own.
        if (const std::optional<size_t> sole =
                SoleRenderingAdapter(query.objects, displays, Dialect::QuarvelSysTest)) {
            const WmiVideoController& object = query.objects[*sole];
            if (const int checked = CheckDesktopAdapter(object); checked != kAdapterQueryOk) {
                return checked;
            }
            TakeAdapter(adapter, object, WmiVersion(object));
            primaryTaken = true;
        }
    } else if (!primaryTaken) {
        // No adapter of ours drives the primary screen (a dock's or a virtual
        // display's does): the first one on the desktop draws it.
        TakeAdapter(adapter, query.objects[firstOnDesktop->first], firstOnDesktop->second);
    }

    ApplyNvidiaVersionRule(adapter.caption, adapter.driverVersion);
    verbose.Show(kVersionBoxCaption, VersionBoxText(adapter.driverVersion));
    return kAdapterQueryOk;
}
