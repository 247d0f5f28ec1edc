// cardlist as a Windows console program for support staff: wide arguments,
// files by CreateFileW, output to the console as UTF-16 (in pieces, as every
// Windows takes output of any length) or, redirected, as UTF-8, each line
// ending in CR LF. Output that does not arrive ends the tool with kToolFailed.
#include "cardlist/command.h"

#include "common/win/console_output.h"
#include "common/win/handles.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"

#include <windows.h>

#include <string>

namespace {

constexpr char16_t kPciIdsFileName[] = u"pci.ids";
// Files are read in pieces of this size; a list is a few kilobytes, the PCI
// ID database about 1.5 MB.
constexpr DWORD kReadChunk = 64 * 1024;

std::wstring Utf16FromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string WithCrLf(std::string_view text) {
    std::string lines;
    for (const char c : text) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return lines;
}

// False when the text did not arrive whole; a missing standard handle takes
// nothing, as a program started without one expects.
bool Write(DWORD standardHandle, std::string_view text) {
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return true;
    }
    const std::string lines = WithCrLf(text);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        return WriteConsoleText(handle, FromWide(Utf16FromUtf8(lines)));
    }
    return WriteAllBytes(handle, lines);
}

class WindowsSystem final : public ToolSystem {
  public:
    // Whether every text arrived, so that the exit code can tell otherwise.
    bool Written() const { return written_; }

    std::optional<std::string> ReadFile(const std::u16string& path) override {
        const UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
        if (!file) {
            return std::nullopt;
        }
        std::string bytes;
        std::string chunk(kReadChunk, '\0');
        DWORD read = 0;
        do {
            if (!::ReadFile(file.get(), chunk.data(), kReadChunk, &read, nullptr)) {
                return std::nullopt;
            }
            bytes.append(chunk, 0, read);
        } while (read != 0);
        return bytes;
    }
    void Out(std::string_view text) override {
        written_ = written_ && Write(STD_OUTPUT_HANDLE, text);
    }
    void Error(std::string_view text) override {
        written_ = written_ && Write(STD_ERROR_HANDLE, text);
    }
    // A pci.ids beside the program; Windows has none of its own.
    std::u16string DefaultPciIds() const override {
        const std::u16string path = ProgramFolder() + kPciIdsFileName;
        return GetFileAttributesW(WideCStr(path)) == INVALID_FILE_ATTRIBUTES ? std::u16string()
                                                                             : path;
    }

  private:
    bool written_ = true;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(FromWide(argv[i]));
    }
    WindowsSystem system;
    const int exitCode = RunCardListTool(arguments, system);
    // Output that did not arrive is a file error.
    return system.Written() ? exitCode : kToolFailed;
}
