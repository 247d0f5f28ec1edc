// The diagnostic program's view of the video adapters: a table of up to 10
// records, filled from WMI, the display devices and the registry, and the
// adapter test that summarizes it.
#pragma once

#include "adapters/diagnostic_log.h"
#include "adapters/driver_version.h"
#include "adapters/video_sources.h"

#include <array>
#include <string>

struct VideoAdapterRecord {
    bool active = false;                // a display device on the desktop belongs to it
    std::u16string caption;             // WMI Caption in upper case
    uint32_t memoryMb = 0;              // WMI AdapterRAM in whole MB
    DriverVersionNumber driverVersion;  // the registry's when it has one, NVIDIA short form
    DriverDateNumber driverDate = 0;    // kept even when not a valid date
    std::u16string pnpDeviceId;         // WMI PNPDeviceID in upper case
};

// Record i holds the i-th object of the query; unused records stay empty.
using VideoAdapterTable = std::array<VideoAdapterRecord, kMaxVideoControllers>;

// Marks the record active when a desktop display device belongs to it (its
// device id is part of the record's PNP device id, or an empty id's device
// string is its caption) and replaces its version by the registry value of
// the first such device. True when one belongs to it.
bool ReadDisplayDeviceVersion(VideoAdapterRecord& record,
                              const std::vector<DisplayDevice>& displays,
                              DriverKeySource& driverKeys);

// Fills the table. Adapters that render no OpenGL (docks, virtual displays)
// are never active; when no other adapter is named by a screen, the only one
// that renders OpenGL draws them all. Returns the number of active adapters
// when there is one; otherwise -1 when the query or a property read failed,
// else 0.
int QueryVideoAdapters(VideoAdapterTable& table, VideoSystem& system);

// The adapter test: runs the query, writes one to three log lines and returns
// -2 the active adapters differ, -1 no active adapter or no memory size, 0 a
// single Intel adapter, 1 below 256 MB, 2 256 MB or more.
int SummarizeVideoAdapters(VideoAdapterTable& table, VideoSystem& system, DiagnosticLog& log);

// The first active record in table order; null when there is none.
const VideoAdapterRecord* FirstActiveAdapter(const VideoAdapterTable& table);
