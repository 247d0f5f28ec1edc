// QuarvelSysTest's view of the video adapters: the adapter that drives the
// primary display, and whether the adapters on the desktop differ.
#pragma once

#include "adapters/driver_version.h"
#include "adapters/verbose_video.h"
#include "adapters/video_sources.h"

#include <string>

// What the adapter query leaves for the graphics checks. Only caption and
// adaptersDiffer are cleared by a query; the rest keeps its earlier values when
// no adapter is on the desktop.
struct PrimaryVideoAdapter {
    std::u16string caption;  // WMI Caption, case kept; empty when none was found
    DriverVersionNumber driverVersion;
    uint32_t memoryBytes = 0;         // WMI AdapterRAM; 0 when unknown
    DriverDateNumber driverDate = 0;  // 0 when WMI gives no valid date
    std::u16string pnpDeviceId;
    bool adaptersDiffer = false;  // two adapters on the desktop have different captions
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
