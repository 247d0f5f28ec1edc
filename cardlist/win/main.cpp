// cardlist as a Windows console program for support staff: wide arguments,
// files by CreateFileW, output to the console as UTF-16 (in pieces, as every
// Windows takes output of any length) or, redirected, as UTF-8, each line
// ending in CR LF; progress only to a console. Output that does not arrive
// ends the tool with kToolFailed.
#include "cardlist/command.h"

#include "common/text.h"
#include "common/win/console_output.h"
#include "common/win/handles.h"
#include "common/win/program_folder.h"
#include "common/win/whole_file.h"
#include "common/win/wide.h"

#include <windows.h>

#include <string>
#include <utility>

namespace {

constexpr char16_t kPciIdsFileName[] = u"pci.ids";
constexpr char16_t kCardListFileName[] = u"GraphicsCardGBList.txt";

std::string WithCrLf(std::string_view text) {
    std::string lines;
    for (const char c : text) {
        if (c == '\n' && (lines.empty() || lines.back() != '\r')) {
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
        return WriteConsoleText(handle, Utf16FromUtf8(lines));
    }
    return WriteAllBytes(handle, lines);
}

class WindowsSystem final : public ToolSystem {
  public:
    // Whether every text arrived, so that the exit code can tell otherwise.
    bool Written() const { return written_; }

    // A file that fails while it is read counts as one that cannot be read.
    std::optional<std::string> ReadFile(const std::u16string& path) override {
        std::optional<WholeFile> file = ReadWholeFile(path);
        if (!file || !file->complete) {
            return std::nullopt;
        }
        return std::move(file->bytes);
    }
    bool WriteFile(const std::u16string& path, std::string_view bytes) override {
        const UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        return file &&
               ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                           nullptr) &&
               written == bytes.size();
    }
    std::optional<std::vector<FolderFile>> ListFolder(const std::u16string& folder) override {
        const std::u16string prefix =
            folder.ends_with(u'\\') || folder.ends_with(u'/') ? folder : folder + u'\\';
        WIN32_FIND_DATAW found{};
        const UniqueFindHandle search(FindFirstFileW(WideCStr(prefix + u"*"), &found));
        std::vector<FolderFile> files;
        if (!search) {
            // A drive's root without a file finds nothing at all.
            return GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional(files) : std::nullopt;
        }
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                const std::u16string name = FromWide(found.cFileName);
                files.push_back(
                    {name, prefix + name,
                     static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow});
            }
        } while (FindNextFileW(search.get(), &found));
        return GetLastError() == ERROR_NO_MORE_FILES ? std::optional(files) : std::nullopt;
    }
    void Out(std::string_view text) override {
        written_ = written_ && Write(STD_OUTPUT_HANDLE, text);
    }
    void Error(std::string_view text) override {
        written_ = written_ && Write(STD_ERROR_HANDLE, text);
    }
    void Progress(std::string_view text) override {
        DWORD mode = 0;
        if (GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode)) {
            Write(STD_ERROR_HANDLE, text);
        }
    }
    // A pci.ids beside the program; Windows has none of its own.
    std::u16string DefaultPciIds() const override {
        const std::u16string path = ProgramFolder() + kPciIdsFileName;
        return GetFileAttributesW(WideCStr(path)) == INVALID_FILE_ATTRIBUTES ? std::u16string()
                                                                             : path;
    }
    // The list that ships with the programs, which cardlist.zip holds beside it.
    std::u16string DefaultList() const override { return ProgramFolder() + kCardListFileName; }

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
