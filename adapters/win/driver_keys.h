// The version values of a display driver's registry key.
#pragma once

#include "adapters/video_sources.h"

class Win32DriverKeySource final : public DriverKeySource {
  public:
    // Opens the subkey of HKEY_LOCAL_MACHINE for querying values only.
    std::optional<DriverKeyValues> Read(std::u16string_view subkey) override;
};
