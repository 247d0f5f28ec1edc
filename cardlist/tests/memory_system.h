// The tool's system in memory: files by path, and what it writes.
#pragma once

#include "cardlist/command.h"

#include <fstream>
#include <iterator>
#include <map>
#include <string>

class MemorySystem final : public ToolSystem {
  public:
    std::map<std::u16string, std::string> files;
    std::string out;
    std::string error;
    std::string progress;

    std::optional<std::string> ReadFile(const std::u16string& path) override {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    bool WriteFile(const std::u16string& path, std::string_view bytes) override {
        files[path] = bytes;
        return true;
    }
    // The files whose path begins with the folder and a slash.
    std::optional<std::vector<FolderFile>> ListFolder(const std::u16string& folder) override {
        std::vector<FolderFile> listed;
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(folder + u"/")) {
                listed.push_back({path.substr(folder.size() + 1), path, bytes.size()});
            }
        }
        return listed;
    }
    void Out(std::string_view text) override { out += text; }
    void Error(std::string_view text) override { error += text; }
    void Progress(std::string_view text) override { progress += text; }
    std::u16string DefaultPciIds() const override { return u"pci.ids"; }
    std::u16string DefaultList() const override { return u"GraphicsCardGBList.txt"; }

    int Run(std::vector<std::u16string> arguments) {
        out.clear();
        error.clear();
        progress.clear();
        return RunCardListTool(arguments, *this);
    }
};

inline std::string ReadBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline const std::string& ShippedList() {
    static const std::string bytes = ReadBytes(QST_CARD_LIST_PATH);
    return bytes;
}
