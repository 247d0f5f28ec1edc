// Adapter discovery's three sources on the real system.
#pragma once

#include "adapters/win/display_devices.h"
#include "adapters/win/driver_keys.h"
#include "adapters/win/wmi_video_controllers.h"

class Win32VideoSystem {
  public:
    Win32VideoSystem() = default;
    Win32VideoSystem(const Win32VideoSystem&) = delete;
    Win32VideoSystem& operator=(const Win32VideoSystem&) = delete;

    VideoSystem& Sources() { return system_; }

  private:
    WmiVideoControllerSource controllers_;
    Win32DisplayDeviceSource displays_;
    Win32DriverKeySource driverKeys_;
    VideoSystem system_{controllers_, displays_, driverKeys_};
};
