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

    std::optional<std::string> ReadFile(const std::u16string& path) override {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    void Out(std::string_view text) override { out += text; }
    void Error(std::string_view text) override { error += text; }
    std::u16string DefaultPciIds() const override { return u"pci.ids"; }

    int Run(std::vector<std::u16string> arguments) {
        out.clear();
        error.clear();
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
