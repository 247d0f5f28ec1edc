// Whole-file reading for the shader test: the Windows layer reads real files,
// the tests serve memory.
#pragma once

#include <string>

struct FileContents {
    bool opened = false;  // false when the file could not be opened
    std::string bytes;    // every byte read, none added
};

class FileReader {
  public:
    virtual ~FileReader() = default;
    virtual FileContents ReadWholeFile(const std::u16string& path) = 0;
};
