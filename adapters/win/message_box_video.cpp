#include "adapters/win/message_box_video.h"

#include "common/win/wide.h"

#include <windows.h>

void MessageBoxVideo::Show(std::u16string_view caption, std::u16string_view text) {
    const std::u16string captionText(caption);
    const std::u16string boxText(text);
    MessageBoxW(nullptr, WideCStr(boxText), WideCStr(captionText), MB_OK);
}

std::unique_ptr<VerboseVideo> VerboseVideoOfCommandLine() {
    if (HasVerboseVideoSwitch(FromWide(GetCommandLineW()))) {
        return std::make_unique<MessageBoxVideo>();
    }
    return std::make_unique<SilentVideo>();
}
