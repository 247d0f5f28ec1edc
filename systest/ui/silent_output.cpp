#include "systest/ui/silent_output.h"

#include "common/text.h"
#include "common/win/console_output.h"
#include "systest/ui/output_sink.h"

#include <string>

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

StandardOutputKind KindOf(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return StandardOutputKind::None;
    }
    switch (GetFileType(handle)) {
        case FILE_TYPE_DISK:
            return StandardOutputKind::DiskFile;
        case FILE_TYPE_PIPE:
            return StandardOutputKind::Pipe;
        case FILE_TYPE_CHAR: {
            DWORD mode = 0;
            return GetConsoleMode(handle, &mode) ? StandardOutputKind::Console
                                                 : StandardOutputKind::CharacterDevice;
        }
        default:
            // Also the console handles that a GUI program may find without
            // being attached to their console (before Windows 8): they are
            // not valid in it.
            return StandardOutputKind::None;
    }
}

}  // namespace

SilentOutput::SilentOutput() {
    const HANDLE standard = GetStdHandle(STD_OUTPUT_HANDLE);
    switch (ChooseOutputSink(KindOf(standard))) {
        case OutputSink::StandardOutputAsUtf8:
            output_ = standard;
            break;
        case OutputSink::StandardOutputAsConsole:
            output_ = standard;
            toConsole_ = true;
            break;
        case OutputSink::ParentConsole:
            // A process that has a console already (Wine attaches a GUI child
            // of a console program itself) fails AttachConsole so.
            if (AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED) {
                console_ = OpenConsoleOutput();
                output_ = console_ ? console_.get() : nullptr;
                toConsole_ = true;
            } else {
                // The parent has no console (ERROR_INVALID_HANDLE) or is gone.
                withoutConsole_ = true;
            }
            break;
        case OutputSink::Nothing:
            break;
    }
}

void SilentOutput::WriteLine(std::u16string_view text) {
    if (output_ == nullptr) {
        return;
    }
    std::u16string line(text);
    line += kLineBreak;
    const bool written =
        toConsole_ ? WriteConsoleText(output_, line) : WriteAllBytes(output_, Utf8FromUtf16(line));
    if (!written) {
        // The lines after one that went missing would mislead.
        output_ = nullptr;
    }
}
