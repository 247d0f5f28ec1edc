// Files of an unattended run, written whole or not at all: the content goes to
// a new temporary file in the target's folder, which then takes the target's
// place in one rename. Whoever collects the files never reads half of one, and
// a write that fails leaves an earlier file as it was. Files that belong
// together (a report and its results) are put in place together or not at all.
//
// Virus scanners open a file as it is closed and may hold it for a moment, and
// so may whoever collects the files: the steps that touch a target retry for
// about two seconds while another program holds it.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

class FileReplacement;

struct CommitResult {
    DWORD error = ERROR_SUCCESS;
    const FileReplacement* failed = nullptr;  // the file that could not take its place
};

class FileReplacement {
  public:
    FileReplacement() = default;
    // Removes the temporary file unless it has taken the target's place, and
    // the copy of the earlier version kept while committing.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file beside the target and keeps it open, so that
    // a folder that cannot take the file fails before any work is done. Paths
    // of any length are taken. ERROR_SUCCESS, or the system error; a target
    // that is a folder or read-only is refused with ERROR_ACCESS_DENIED, as
    // the rename would refuse it, and a device ("NUL") with ERROR_INVALID_NAME.
    DWORD Prepare(const std::u16string& path);

    // The target's full path (as GetFullPathNameW gives it), for messages.
    const std::u16string& Target() const { return target_; }

    // Writes the whole content, once, through the handle that created the
    // temporary file, flushes it to disk and closes it. ERROR_SUCCESS, or the
    // system error.
    DWORD Write(std::string_view content);

  private:
    friend CommitResult CommitTogether(std::span<FileReplacement* const> files);

    DWORD KeepEarlierVersion();
    DWORD TakeTargetsPlace();
    void PutEarlierVersionBack();

    std::u16string target_;
    std::u16string systemTarget_;  // target_ in the extended-length form
    std::u16string temporary_;     // extended-length, empty once in place
    std::u16string earlierCopy_;   // extended-length; a copy of the target's earlier version
    UniqueFileHandle file_;        // the temporary file until it is written
};

// Puts written files in their targets' places one after another. When one
// cannot take its place, the files before it get their earlier versions back
// (or are removed where there was none), so that either every target is
// replaced or none is. Temporary files and the copies kept for going back are
// removed on every path, as the files are destroyed.
CommitResult CommitTogether(std::span<FileReplacement* const> files);

// Whether two full paths name the same file as Windows compares names: without
// the extended-length prefix, and with the case of every letter folded.
bool NameTheSameFile(std::u16string_view a, std::u16string_view b);
