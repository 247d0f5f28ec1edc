// QuarvelSysTest's view of the video adapters: the adapter that drives the
// primary display, and whether the adapters on the desktop differ.
#pragma once

#include "adapters/driver_version.h"
#include "adapters/verbose_video.h"
#include "adapters/video_sources.h"

#include <optional>
#include <string>
#include <vector>

// One adapter as Windows reported it and as the system test read it: the
// facts behind the graphics rows, for the results file and the report.
struct ReportedAdapter {
    std::u16string caption;                         // WMI's Caption; empty when it gave none
    std::u16string pnpDeviceId;                     // WMI's PNPDeviceID; empty when it gave none
    std::optional<std::u16string> driverVersion;    // WMI's text; none without a driver
    std::optional<std::u16string> driverDate;       // WMI's CIM datetime
    std::optional<std::u16string> registryVersion;  // the driver key's text that replaced it
    std::optional<uint32_t> memoryBytes;            // WMI's AdapterRAM; none when unknown
    DriverVersionNumber comparedVersion;  // as the list is compared with it: NVIDIA's short form
    DriverDateNumber comparedDate = 0;    // 0 when WMI gives no valid date
    bool rendersOpenGL = true;            // false for a dock's or a virtual display's
    bool drivesScreen = false;            // a desktop display device is its
    bool primary = false;                 // the primary screen is on it
};

// What the adapter query leaves for the graphics checks. Only caption,
// adaptersDiffer, adapters and judged are cleared by a query; the rest keeps
// its earlier values when no adapter is on the desktop.
struct PrimaryVideoAdapter {
    std::u16string caption;  // WMI Caption, case kept; empty when none was found
    DriverVersionNumber driverVersion;
    uint32_t memoryBytes = 0;         // WMI AdapterRAM; 0 when unknown
    DriverDateNumber driverDate = 0;  // 0 when WMI gives no valid date
    std::u16string pnpDeviceId;
    bool adaptersDiffer = false;            // two adapters on the desktop have different captions
    std::vector<ReportedAdapter> adapters;  // every object of the query, in its order
    std::optional<size_t> judged;           // the one of adapters whose data are above
};

// Results of QueryPrimaryVideoAdapter.
inline constexpr int kAdapterQueryOk = 0;
inline constexpr int kAdapterQueryFailed = -1;  // COM, WMI, or a desktop adapter without caption
inline constexpr int kAdapterNoDriverVersion = -2;  // a desktop adapter without driver version text
inline constexpr int kAdapterNoMemory = -3;         // a desktop adapter's AdapterRAM unreadable
inline constexpr int kAdapterNoDriverDate = -4;     // a desktop adapter without driver date text

// What the display devices tell about one WMI adapter.
struct DisplayDeviceMatch {
    bool found = false;    // a desktop display device belongs to the adapter
    bool primary = false;  // the device read last drives the primary display
    std::optional<std::u16string> registryVersion;  // the key's text that replaced the version
};

// Every desktop display device whose device id begins the PNP device id (or,
// when the id is empty, whose device string is the caption) belongs to the
// adapter. Each one's registry version replaces the
// version; the primary device's values win, since reading stops there.
DisplayDeviceMatch ReadPrimaryDisplayDevice(std::u16string_view pnpDeviceId,
                                            std::u16string_view caption,
                                            const std::vector<DisplayDevice>& displays,
                                            DriverKeySource& driverKeys,
                                            DriverVersionNumber& version);

// Queries the adapters and fills adapter with the one that drives the primary
// display, its version in NVIDIA short form. Adapters that render no OpenGL
// (docks, virtual displays) are left out: when one of them has the primary
// display, the first other adapter on the desktop is taken, and when none
// other is named by a screen, the only one that renders OpenGL. Adapters that
// drive no screen are not judged, a driverless one neither. Returns one of
// the results above. On success shows the version in a diagnostic box.
int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VideoSystem& system,
                             VerboseVideo& verbose);

// On a hybrid laptop: a discrete GPU (NVIDIA's or AMD's) with a driver that
// drives no screen, beside the judged adapter, which drives one. Programs run
// on the judged one unless told otherwise. Its index in adapter.adapters.
std::optional<size_t> IdleDiscreteGpu(const PrimaryVideoAdapter& adapter);
