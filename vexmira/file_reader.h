// Whole-file reading for the shader test: the Windows layer reads real files,
// the tests serve memory.
#pragma once

#include <optional>
#include <string>

class FileReader {
  public:
    virtual ~FileReader() = default;
    // Every byte the file gave, none added; none when it cannot be opened.
    virtual std::optional<std::string> ReadWholeFile(const std::u16string& path) = 0;
};
