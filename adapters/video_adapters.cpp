#include "adapters/video_adapters.h"

#include "common/format.h"
#include "common/text.h"

#include <algorithm>

namespace {

constexpr int kQueryFailed = -1;

constexpr int kSummaryAdaptersDiffer = -2;
constexpr int kSummaryNoAdapter = -1;
constexpr int kSummaryIntel = 0;
constexpr int kSummaryLowMemory = 1;
constexpr int kSummaryEnoughMemory = 2;

constexpr std::u16string_view kIntel = u"INTEL";

std::u16string UpperLimited(std::u16string_view text) {
    return ToUpperAscii(text.substr(0, kVexmiraTextUnits - 1));
}

bool ReadFailed(const WmiText& property) {
    return property.state == WmiText::State::ReadFailed;
}

// Copies one WMI object into its record. False when a property read failed;
// the others are still read, and a property that is not text leaves its field
// as it was.
bool FillRecord(VideoAdapterRecord& record, const WmiVideoController& object) {
    if (object.caption.IsText()) {
        record.caption = UpperLimited(object.caption.text);
    }
    if (object.adapterRam.state == WmiMemory::State::Value ||
        object.adapterRam.state == WmiMemory::State::Unconvertible) {
        record.memoryMb = object.adapterRam.BytesOrZero() >> kBytesPerMbShift;
    }
    if (object.driverDate.IsText()) {
        record.driverDate = AdapterDriverDate(object.driverDate.text, Dialect::Vexmira);
    }
    if (object.driverVersion.IsText()) {
        record.driverVersion =
            ParseDriverVersion(object.driverVersion.text, Dialect::Vexmira).version;
    }
    if (object.pnpDeviceId.IsText()) {
        record.pnpDeviceId = UpperLimited(object.pnpDeviceId.text);
    }
    return !ReadFailed(object.caption) && object.adapterRam.state != WmiMemory::State::ReadFailed &&
           !ReadFailed(object.driverDate) && !ReadFailed(object.driverVersion) &&
           !ReadFailed(object.pnpDeviceId);
}

// The registry value replaces the version only when it has text: the
// "DriverVersion", or else the "ReleaseVersion".
void ReadRegistryVersion(VideoAdapterRecord& record, std::u16string_view deviceKey,
                         DriverKeySource& driverKeys) {
    const std::optional<DriverKeyValues> values = driverKeys.Read(DriverSubkey(deviceKey));
    if (!values) {
        return;
    }
    const std::u16string& text = !values->driverVersion.text.empty() ? values->driverVersion.text
                                                                     : values->releaseVersion.text;
    if (!text.empty()) {
        record.driverVersion = ParseDriverVersion(text, Dialect::Vexmira).version;
    }
}

}  // namespace

bool ReadDisplayDeviceVersion(VideoAdapterRecord& record,
                              const std::vector<DisplayDevice>& displays,
                              DriverKeySource& driverKeys) {
    for (const DisplayDevice& device : displays) {
        if (!IsDesktopDisplay(device)) {
            continue;
        }
        if (!DisplayBelongsToAdapter(device, record.pnpDeviceId, record.caption,
                                     Dialect::Vexmira)) {
            continue;
        }
        record.active = true;
        ReadRegistryVersion(record, device.deviceKey, driverKeys);
        return true;
    }
    return false;
}

int QueryVideoAdapters(VideoAdapterTable& table, VideoSystem& system) {
    table = {};
    const WmiVideoControllerQuery query = system.controllers.Query(Dialect::Vexmira);
    if (!query.ok || query.objects.empty()) {
        return kQueryFailed;
    }
    const std::vector<DisplayDevice> displays = system.displays.Enumerate();
    int result = 0;
    int count = 0;
    const size_t objects = std::min(query.objects.size(), table.size());
    for (size_t i = 0; i < objects; ++i) {
        VideoAdapterRecord& record = table[i];
        if (!FillRecord(record, query.objects[i])) {
            result = kQueryFailed;
        }
        // A dock's or a virtual display's adapter presents screens that
        // another adapter draws: it never counts as active.
        if (RendersOpenGL(record.pnpDeviceId) &&
            ReadDisplayDeviceVersion(record, displays, system.driverKeys)) {
            ApplyNvidiaVersionRule(record.caption, record.driverVersion);
            ++count;
        }
    }
    if (count == 0) {
        // Screens that name no adapter of ours are drawn by the only one that
        // can; its version stays WMI's, as no key is known to be its own.
        if (const std::optional<size_t> sole =
                SoleRenderingAdapter(query.objects, displays, Dialect::Vexmira)) {
            VideoAdapterRecord& record = table[*sole];
            record.active = true;
            ApplyNvidiaVersionRule(record.caption, record.driverVersion);
            count = 1;
        }
    }
    return count != 0 ? count : result;
}

const VideoAdapterRecord* FirstActiveAdapter(const VideoAdapterTable& table) {
    for (const VideoAdapterRecord& record : table) {
        if (record.active) {
            return &record;
        }
    }
    return nullptr;
}

int SummarizeVideoAdapters(VideoAdapterTable& table, VideoSystem& system, DiagnosticLog& log) {
    const int count = QueryVideoAdapters(table, system);
    const VideoAdapterRecord* first = FirstActiveAdapter(table);
    log.Print(FormatString(u"%d active video adapters were found.\n", {count}));
    if (first == nullptr) {
        return kSummaryNoAdapter;
    }
    log.Print(FormatString(u"caption: %s \n", {first->caption}));

    if (count <= 1) {
        if (first->caption.starts_with(kIntel)) {
            return kSummaryIntel;
        }
    } else {
        // Several adapters on the desktop must be the same model.
        for (const VideoAdapterRecord& record : table) {
            if (record.active && record.caption != first->caption) {
                log.Print(u"Error! The adapters are not identical !\n");
                return kSummaryAdaptersDiffer;
            }
        }
    }

    if (first->memoryMb == 0) {
        return kSummaryNoAdapter;
    }
    return first->memoryMb < kRecommendedGraphicsMemoryMb ? kSummaryLowMemory
                                                          : kSummaryEnoughMemory;
}
