// Whole files through CreateFileW and ReadFile (common/win/whole_file.h).
#pragma once

#include "common/win/whole_file.h"
#include "vexmira/file_reader.h"

#include <utility>

class Win32FileReader final : public FileReader {
  public:
    // A read that fails ends the file where it did: the shader test compiles
    // what it has, or tells an empty file.
    std::optional<std::string> ReadWholeFile(const std::u16string& path) override {
        std::optional<WholeFile> file = ::ReadWholeFile(path);
        return file ? std::optional(std::move(file->bytes)) : std::nullopt;
    }
};
