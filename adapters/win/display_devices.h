// The display devices of the desktop, through EnumDisplayDevicesW.
#pragma once

#include "adapters/video_sources.h"

class Win32DisplayDeviceSource final : public DisplayDeviceSource {
  public:
    // EnumDisplayDevicesW is resolved from "user32.dll" at run time: without it
    // there are no devices.
    std::vector<DisplayDevice> Enumerate() override;
};
