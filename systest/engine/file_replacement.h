// Files of an unattended run, written whole or not at all: the content goes to
// a new temporary file in the target's folder, which then takes the target's
// place in one rename. Whoever collects the files never reads half of one, and
// a write that fails leaves an earlier file as it was. Files that belong
// together (a report and its results) are put in place together or not at all.
//
// Virus scanners open a file as it is closed and may hold it for a moment, and
// so may whoever collects the files: the steps that touch a target retry for
// about two seconds while another program holds it.
//
// A collection share may let users create files but not delete them; then no
// file of theirs can be renamed either. There a new target is created in its
// place when every file is written, and held without sharing until all of
// them are whole, so no one reads it half written; a target that exists
// cannot be replaced there.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>

// The file calls of FileReplacement, each as the Win32 function makes it and
// answering ERROR_SUCCESS or the system error; paths in the extended-length
// form. Tests play a share with calls of their own.
class FileCalls {
  public:
    // A file made by CreateNew, open for writing without sharing until it is
    // destroyed.
    class File {
      public:
        virtual ~File() = default;
        virtual DWORD Write(std::string_view bytes) = 0;  // all of them
        virtual DWORD Flush() = 0;
        virtual DWORD Empty() = 0;  // cut to no bytes
    };
    enum class Closing {
        KeepsTheFile,
        DeletesTheFile,  // FILE_FLAG_DELETE_ON_CLOSE, through the creator's own right
    };

    virtual ~FileCalls() = default;
    virtual DWORD CreateNew(const std::u16string& path, Closing closing,
                            std::unique_ptr<File>& file) = 0;
    virtual DWORD Attributes(const std::u16string& path, DWORD& attributes) = 0;
    // Whether the file may be deleted, and so renamed, by its path (opened
    // with DELETE access and closed again).
    virtual DWORD MayDelete(const std::u16string& path) = 0;
    virtual DWORD Move(const std::u16string& from, const std::u16string& to) = 0;  // replacing
    virtual DWORD Copy(const std::u16string& from, const std::u16string& to) = 0;  // replacing
    virtual DWORD Delete(const std::u16string& path) = 0;
    virtual void Pause(DWORD milliseconds) = 0;
};

// The calls on the real file system.
FileCalls& SystemFileCalls();

class FileReplacement;

struct CommitResult {
    DWORD error = ERROR_SUCCESS;
    const FileReplacement* failed = nullptr;  // the file that could not take its place
};

class FileReplacement {
  public:
    explicit FileReplacement(FileCalls& calls = SystemFileCalls()) : calls_(calls) {}
    // Removes the temporary file unless it has taken the target's place, and
    // the copy of the earlier version kept while committing.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Finds out whether the folder lets this user delete the files they
    // create, with a file that removes itself as it is closed, and creates
    // the temporary file beside the target and keeps it open (or, where
    // files cannot be deleted, makes sure the target is new), so that a
    // folder that cannot take the file fails before any work is done. Paths
    // of any length are taken. ERROR_SUCCESS, or the system error; a target
    // that is a folder or read-only is refused with ERROR_ACCESS_DENIED, as
    // the rename would refuse it, and so is an earlier file where files
    // cannot be deleted; a device ("NUL") with ERROR_INVALID_NAME.
    DWORD Prepare(const std::u16string& path);

    // The target's full path (as GetFullPathNameW gives it), for messages.
    const std::u16string& Target() const { return target_; }

    // Writes the whole content, once, through the handle that created the
    // temporary file, flushes it to disk and closes it; where the target is
    // to be created in place, keeps the content for then. ERROR_SUCCESS, or
    // the system error.
    DWORD Write(std::string_view content);

  private:
    friend CommitResult CommitTogether(std::span<FileReplacement* const> files);

    DWORD ProbeDeletion(const std::u16string& folder);
    DWORD CreateUniqueFile(const std::u16string& folder, FileCalls::Closing closing,
                           std::u16string& path, std::unique_ptr<FileCalls::File>& file);
    DWORD KeepEarlierVersion();
    DWORD TakeTargetsPlace();
    void PutEarlierVersionBack();
    DWORD CreateInPlace();
    template <typename Step>
    DWORD Retried(Step step);

    FileCalls& calls_;
    bool inPlace_ = false;  // the folder lets no file of this user be deleted
    std::u16string target_;
    std::u16string systemTarget_;  // target_ in the extended-length form
    std::u16string temporary_;     // extended-length, empty once in place
    std::u16string earlierCopy_;   // extended-length; a copy of the target's earlier version
    std::unique_ptr<FileCalls::File> file_;  // the temporary file, or the target made in place
    std::string content_;                    // for the target made in place
};

// Puts written files in their targets' places: first, one after another, the
// ones that take them by a rename, then the ones made in place. When one
// cannot take its place, the renamed ones before it get their earlier
// versions back (or are removed where there was none) and the ones made in
// place are emptied, as they cannot be removed, so that either every target
// is replaced or none is. Temporary files and the copies kept for going back
// are removed on every path, as the files are destroyed.
CommitResult CommitTogether(std::span<FileReplacement* const> files);

// Whether two full paths name the same file as Windows compares names: without
// the extended-length prefix, and with the case of every letter folded.
bool NameTheSameFile(std::u16string_view a, std::u16string_view b);
