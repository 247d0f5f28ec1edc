#include "adapters/primary_video_adapter.h"

#include "common/text.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The system test cuts each registry text at 99 characters.
constexpr size_t kRegistryTextLimit = 99;

// Reads the registry version of one device into version and gives the text
// read. A key with at least one of the values replaces the version, even by
// an empty text's 0.0.0.0.
std::optional<std::u16string> ReadRegistryVersion(const DriverKeyValues& values,
                                                  DriverVersionNumber& version) {
    if (!values.driverVersion.found && !values.releaseVersion.found) {
        return std::nullopt;
    }
    const std::u16string_view driverVersion =
        std::u16string_view(values.driverVersion.text).substr(0, kRegistryTextLimit);
    const std::u16string_view releaseVersion =
        std::u16string_view(values.releaseVersion.text).substr(0, kRegistryTextLimit);
    const std::u16string_view text = !driverVersion.empty() ? driverVersion : releaseVersion;
    version = ParseDriverVersion(text, Dialect::QuarvelSysTest, VersionSource::Registry).version;
    return std::u16string(text);
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
        match.registryVersion = ReadRegistryVersion(*values, version);
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
                 const DriverVersionNumber& version, size_t index) {
    adapter.caption = object.caption.text;
    adapter.driverVersion = version;
    adapter.memoryBytes = object.adapterRam.BytesOrZero();
    adapter.driverDate = AdapterDriverDate(object.driverDate.text, Dialect::QuarvelSysTest);
    adapter.pnpDeviceId = object.pnpDeviceId.IsText() ? object.pnpDeviceId.text : u"";
    adapter.judged = index;
    adapter.adapters[index].drivesScreen = true;  // it draws them, named or not
}

DriverVersionNumber WmiVersion(const WmiVideoController& object) {
    return ParseDriverVersion(object.driverVersion.text, Dialect::QuarvelSysTest).version;
}

std::optional<std::u16string> TextOf(const WmiText& property) {
    return property.IsText() ? std::optional(property.text) : std::nullopt;
}

// What WMI says of an adapter; the display devices add the rest.
ReportedAdapter Report(const WmiVideoController& object) {
    ReportedAdapter reported;
    reported.caption = TextOf(object.caption).value_or(u"");
    reported.pnpDeviceId = TextOf(object.pnpDeviceId).value_or(u"");
    reported.driverVersion = TextOf(object.driverVersion);
    reported.driverDate = TextOf(object.driverDate);
    if (object.adapterRam.state == WmiMemory::State::Value) {
        reported.memoryBytes = object.adapterRam.bytes;
    }
    reported.rendersOpenGL = RendersOpenGL(reported.pnpDeviceId);
    if (reported.driverVersion) {
        reported.comparedVersion = WmiVersion(object);
    }
    if (reported.driverDate) {
        reported.comparedDate = AdapterDriverDate(*reported.driverDate, Dialect::QuarvelSysTest);
    }
    return reported;
}

constexpr std::u16string_view kDiscreteGpuVendors[] = {u"PCI\\VEN_10DE", u"PCI\\VEN_1002"};

}  // namespace

int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VideoSystem& system,
                             VerboseVideo& verbose) {
    adapter.caption.clear();
    adapter.adaptersDiffer = false;
    adapter.adapters.clear();
    adapter.judged.reset();

    const WmiVideoControllerQuery query = system.controllers.Query(Dialect::QuarvelSysTest);
    if (!query.ok) {
        return kAdapterQueryFailed;
    }
    const std::vector<DisplayDevice> displays = system.displays.Enumerate();

    // The first reason an adapter on the desktop cannot be judged; the ones
    // after it are still reported, not judged.
    int result = kAdapterQueryOk;
    std::optional<std::pair<size_t, DriverVersionNumber>> firstOnDesktop;
    std::u16string referenceCaption;  // of the first desktop adapter that has one
    const size_t objects = std::min(query.objects.size(), kMaxVideoControllers);
    for (size_t i = 0; i < objects; ++i) {
        const WmiVideoController& object = query.objects[i];
        ReportedAdapter& reported = adapter.adapters.emplace_back(Report(object));
        DriverVersionNumber version = reported.comparedVersion;
        const DisplayDeviceMatch match = ReadPrimaryDisplayDevice(
            reported.pnpDeviceId, reported.caption, displays, system.driverKeys, version);
        reported.registryVersion = match.registryVersion;
        reported.drivesScreen = match.found;
        reported.primary = match.found && match.primary;
        reported.comparedVersion = version;
        ApplyNvidiaVersionRule(reported.caption, reported.comparedVersion);
        // A dock's or a virtual display's adapter presents screens that
        // another adapter draws: it is never the one judged, nor a second one.
        // One that drives no screen, a device without a driver too, blocks
        // nothing.
        if (!reported.rendersOpenGL || !match.found || result != kAdapterQueryOk) {
            continue;
        }
        // An adapter on the desktop without WMI's version text cannot be judged.
        result = reported.driverVersion ? CheckDesktopAdapter(object) : kAdapterNoDriverVersion;
        if (result != kAdapterQueryOk) {
            continue;
        }
        if (match.primary) {
            TakeAdapter(adapter, object, version, i);
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
    if (result != kAdapterQueryOk) {
        return result;
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
            TakeAdapter(adapter, object, WmiVersion(object), *sole);
        }
    } else if (!adapter.judged) {
        // No adapter of ours drives the primary screen (a dock's or a virtual
        // display's does): the first one on the desktop draws it.
        TakeAdapter(adapter, query.objects[firstOnDesktop->first], firstOnDesktop->second,
                    firstOnDesktop->first);
    }

    ApplyNvidiaVersionRule(adapter.caption, adapter.driverVersion);
    verbose.Show(kVersionBoxCaption, VersionBoxText(adapter.driverVersion));
    return kAdapterQueryOk;
}

std::optional<size_t> IdleDiscreteGpu(const PrimaryVideoAdapter& adapter) {
    if (!adapter.judged || !adapter.adapters[*adapter.judged].drivesScreen) {
        return std::nullopt;
    }
    for (size_t i = 0; i < adapter.adapters.size(); ++i) {
        const ReportedAdapter& other = adapter.adapters[i];
        const std::u16string pnp = ToUpperAscii(other.pnpDeviceId);
        const bool discrete =
            std::any_of(std::begin(kDiscreteGpuVendors), std::end(kDiscreteGpuVendors),
                        [&](std::u16string_view vendor) { return pnp.starts_with(vendor); });
        if (i != *adapter.judged && discrete && !other.drivesScreen && other.driverVersion) {
            return i;
        }
    }
    return std::nullopt;
}
