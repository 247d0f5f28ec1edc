// The program icon at the system's large and small sizes, set on a dialog.
#pragma once

#include "common/win/gdi.h"

class WindowIcons {
  public:
    // Loads the icon resource of the module at SM_CXICON and SM_CXSMICON and
    // sets them as the window's big and small icons.
    void Apply(HWND window, HINSTANCE module, int iconId);

  private:
    UniqueIcon large_;
    UniqueIcon small_;
};
