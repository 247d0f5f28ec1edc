#include "systest/ui/parent_console.h"

#include "common/text.h"

#include <string>

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}

// A standard output that a command prompt redirected to a file or a pipe.
bool IsRedirected(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD type = GetFileType(handle);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

}  // namespace

ParentConsole::ParentConsole() {
    // Wine attaches a GUI program started by a console program to that
    // console itself, where Windows leaves it without one; AttachConsole then
    // fails as for any process that has a console already.
    attached_ =
        AttachConsole(ATTACH_PARENT_PROCESS) != FALSE || GetLastError() == ERROR_ACCESS_DENIED;
    if (!attached_) {
        return;
    }
    // A GUI program's standard handles are valid only when its parent handed
    // them over, as a command prompt does for a redirection.
    const HANDLE standard = GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsConsole(standard) || IsRedirected(standard)) {
        output_ = standard;
    } else {
        ownOutput_.reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        output_ = ownOutput_.get();
    }
    outputIsConsole_ = IsConsole(output_);
}

void ParentConsole::WriteLine(std::u16string_view text) {
    if (!attached_ || output_ == nullptr || output_ == INVALID_HANDLE_VALUE) {
        return;
    }
    std::u16string line(text);
    line += kLineBreak;
    DWORD written = 0;
    if (outputIsConsole_) {
        WriteConsoleW(output_, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
    } else {
        const std::string bytes = Utf8FromUtf16(line);
        WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}
