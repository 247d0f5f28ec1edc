// The video adapters as WMI's Win32_VideoController class reports them.
#pragma once

#include "adapters/video_sources.h"

#include <windows.h>

#include <oleauto.h>

class WmiVideoControllerSource final : public VideoControllerSource {
  public:
    // COM must be initialized on the calling thread for the system test's
    // query; the diagnostic's query joins the multithreaded apartment itself.
    WmiVideoControllerQuery Query(Dialect dialect) override;
};

// A property as IWbemClassObject::Get returned it: getResult is Get's result,
// value what it filled in.
WmiText WmiTextFromVariant(HRESULT getResult, const VARIANT& value);
// AdapterRAM as CIM's uint32: a VT_I4, as WMI delivers it, is read as the
// unsigned 32 bits it carries; other number types are converted to VT_UI4;
// VT_NULL and VT_EMPTY are no value.
WmiMemory WmiMemoryFromVariant(HRESULT getResult, const VARIANT& value);
