// Files of an unattended run, written whole or not at all: the content goes to
// a new temporary file in the target's folder, which then takes the target's
// place in one rename. Whoever collects the files never reads half of one, and
// a write that fails leaves an earlier file as it was.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class FileReplacement {
  public:
    FileReplacement() = default;
    // Removes the temporary file unless it has taken the target's place.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file beside the target, so that a folder that
    // cannot take the file fails before any work is done. ERROR_SUCCESS, or
    // the system error; a target that is a folder or read-only is refused
    // with ERROR_ACCESS_DENIED, as the rename would refuse it.
    DWORD Prepare(const std::u16string& path);

    // The target's full path, and the file to write the content to.
    const std::u16string& Target() const { return target_; }
    const std::u16string& TemporaryPath() const { return temporary_; }

    // Writes the temporary file's content to disk and renames it over the
    // target. ERROR_SUCCESS, or the system error.
    DWORD Commit();

  private:
    std::u16string target_;
    std::u16string temporary_;
};

// Creates or replaces the file with the bytes. ERROR_SUCCESS, or the system
// error.
DWORD WriteBytesToFile(const std::u16string& path, std::string_view bytes);
