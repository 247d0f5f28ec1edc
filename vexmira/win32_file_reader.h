// Whole files through CreateFileW and ReadFile.
#pragma once

#include "vexmira/file_reader.h"

class Win32FileReader final : public FileReader {
  public:
    // Opens for reading, shared with other readers, and reads to the end.
    FileContents ReadWholeFile(const std::u16string& path) override;
};
