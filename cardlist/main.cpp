// cardlist on Linux and other POSIX systems: arguments and files in UTF-8.
#include "cardlist/command.h"

#include "common/text.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {

constexpr char16_t kPciIds[] = u"/usr/share/misc/pci.ids";

class PosixSystem final : public ToolSystem {
  public:
    std::optional<std::string> ReadFile(const std::u16string& path) override {
        const std::filesystem::path file(Utf8FromUtf16(path));
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) {
            return std::nullopt;
        }
        std::ifstream stream(file, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
        if (!stream || stream.bad()) {
            return std::nullopt;
        }
        return bytes;
    }
    bool WriteFile(const std::u16string& path, std::string_view bytes) override {
        std::ofstream stream(std::filesystem::path(Utf8FromUtf16(path)),
                             std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        stream.close();
        return !stream.fail();
    }
    std::optional<std::vector<FolderFile>> ListFolder(const std::u16string& folder) override {
        const std::filesystem::path path(Utf8FromUtf16(folder));
        std::error_code error;
        std::filesystem::directory_iterator entry(path, error);
        if (error) {
            return std::nullopt;
        }
        std::vector<FolderFile> files;
        for (; entry != std::filesystem::directory_iterator(); entry.increment(error)) {
            if (error) {
                return std::nullopt;
            }
            if (entry->is_regular_file(error)) {
                const uint64_t bytes = entry->file_size(error);
                files.push_back({Utf16FromUtf8(entry->path().filename().string()),
                                 Utf16FromUtf8(entry->path().string()), error ? 0 : bytes});
            }
        }
        return files;
    }
    void Out(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }
    void Error(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stderr); }
    void Progress(std::string_view text) override {
        if (isatty(fileno(stderr))) {
            Error(text);
        }
    }
    std::u16string DefaultPciIds() const override { return kPciIds; }
    std::u16string DefaultList() const override { return Utf16FromUtf8(QST_SHIPPED_CARD_LIST); }
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(Utf16FromUtf8(argv[i]));
    }
    PosixSystem system;
    return RunCardListTool(arguments, system);
}
