// Folders and files of the Wine tests: a folder of the test's own under the
// temporary directory, and files read and written whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A folder of its own under the temporary directory, removed with the files it
// holds. Its name is unique within the process and among processes.
class TempFolder {
  public:
    explicit TempFolder(std::u16string_view name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with its closing backslash: a prefix for file names.
    const std::u16string& Path() const { return path_; }
    std::u16string File(std::u16string_view name) const { return path_ + std::u16string(name); }

  private:
    std::u16string path_;
};

// A folder of the build named by its Unix path, as Wine's drive Z: maps it,
// with its closing backslash.
std::u16string BuildFolder(std::string_view unixPath);

// The names of the files (not folders) in a folder, with its closing
// backslash, that match a pattern such as "vexmira_*.txt".
std::vector<std::u16string> FilesIn(const std::u16string& folder, std::u16string_view pattern);

// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::u16string& path);
// Creates or replaces a file with the bytes; false when that fails.
bool WriteBytes(const std::u16string& path, std::string_view bytes);
