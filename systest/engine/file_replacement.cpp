#include "systest/engine/file_replacement.h"

#include "common/format.h"
#include "common/win/wide.h"
#include "systest/engine/file_paths.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The pauses between the attempts of a step that another program blocks: about
// two seconds in all, long enough for a virus scanner to look at a small file.
constexpr DWORD kRetryPausesMs[] = {50, 100, 200, 350, 550, 750};
// Names tried for a new temporary file before giving up.
constexpr int kNameAttempts = 100;
constexpr size_t kWriteChunk = 1 << 20;

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

class SystemFile final : public FileCalls::File {
  public:
    explicit SystemFile(UniqueFileHandle file) : file_(std::move(file)) {}

    DWORD Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kWriteChunk));
            if (!WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) {
                return LastErrorOr(ERROR_WRITE_FAULT);
            }
            if (written == 0) {
                return ERROR_WRITE_FAULT;
            }
            bytes.remove_prefix(written);
        }
        return ERROR_SUCCESS;
    }
    DWORD Flush() override {
        return FlushFileBuffers(file_.get()) ? ERROR_SUCCESS : LastErrorOr(ERROR_WRITE_FAULT);
    }
    DWORD Empty() override {
        const bool emptied =
            SetFilePointer(file_.get(), 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(file_.get());
        return emptied ? ERROR_SUCCESS : LastErrorOr(ERROR_WRITE_FAULT);
    }

  private:
    UniqueFileHandle file_;
};

class Win32FileCalls final : public FileCalls {
  public:
    DWORD CreateNew(const std::u16string& path, Closing closing,
                    std::unique_ptr<File>& file) override {
        // A file that deletes itself lets its folder's probe open it for deleting.
        const bool deletes = closing == Closing::DeletesTheFile;
        UniqueFileHandle handle(CreateFileW(
            WideCStr(path), GENERIC_WRITE, deletes ? FILE_SHARE_DELETE : 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL | (deletes ? FILE_FLAG_DELETE_ON_CLOSE : 0), nullptr));
        if (!handle) {
            return LastErrorOr(ERROR_ACCESS_DENIED);
        }
        file = std::make_unique<SystemFile>(std::move(handle));
        return ERROR_SUCCESS;
    }
    DWORD Attributes(const std::u16string& path, DWORD& attributes) override {
        attributes = GetFileAttributesW(WideCStr(path));
        return attributes != INVALID_FILE_ATTRIBUTES ? ERROR_SUCCESS
                                                     : LastErrorOr(ERROR_FILE_NOT_FOUND);
    }
    DWORD MayDelete(const std::u16string& path) override {
        const UniqueFileHandle file(CreateFileW(
            WideCStr(path), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file ? ERROR_SUCCESS : LastErrorOr(ERROR_ACCESS_DENIED);
    }
    DWORD Move(const std::u16string& from, const std::u16string& to) override {
        return MoveFileExW(WideCStr(from), WideCStr(to),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? ERROR_SUCCESS
                   : LastErrorOr(ERROR_ACCESS_DENIED);
    }
    DWORD Copy(const std::u16string& from, const std::u16string& to) override {
        return CopyFileW(WideCStr(from), WideCStr(to), FALSE) ? ERROR_SUCCESS
                                                              : LastErrorOr(ERROR_ACCESS_DENIED);
    }
    DWORD Delete(const std::u16string& path) override {
        return DeleteFileW(WideCStr(path)) ? ERROR_SUCCESS : LastErrorOr(ERROR_ACCESS_DENIED);
    }
    void Pause(DWORD milliseconds) override { Sleep(milliseconds); }
};

// The full path, of any length; empty with the system error set when there is
// none.
std::u16string FullPath(const std::u16string& path) {
    std::vector<wchar_t> full(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetFullPathNameW(WideCStr(path), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return {};
        }
        if (length < full.size()) {
            return FromWide(std::wstring_view(full.data(), length));
        }
        full.resize(length);
    }
}

std::u16string FolderOf(const std::u16string& path) {
    return path.substr(0, path.rfind(u'\\') + 1);
}

// The path with the case of every letter folded as the file system folds it:
// one upper-case table for every locale (a Turkish "i" stays an "I").
std::wstring FoldedForComparison(std::u16string_view path) {
    const std::wstring text = ToWide(WithoutExtendedPrefix(path));
    if (text.empty()) {
        return text;
    }
    std::wstring folded(text.size(), L'\0');
    const int length =
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                     folded.data(), static_cast<int>(folded.size()));
    folded.resize(static_cast<size_t>(length));
    return folded;
}

}  // namespace

FileCalls& SystemFileCalls() {
    static Win32FileCalls calls;
    return calls;
}

// Runs a step (ERROR_SUCCESS or the system error) again while another program
// holds the file it needs.
template <typename Step>
DWORD FileReplacement::Retried(Step step) {
    DWORD error = step();
    for (const DWORD pause : kRetryPausesMs) {
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) {
            break;
        }
        calls_.Pause(pause);
        error = step();
    }
    return error;
}

FileReplacement::~FileReplacement() {
    file_.reset();
    for (const std::u16string* path : {&temporary_, &earlierCopy_}) {
        if (!path->empty()) {
            Retried([this, path] { return calls_.Delete(*path); });
        }
    }
}

// A new file in the folder (extended-length, with its closing backslash),
// created and kept open. Its name holds the process id and the time in
// milliseconds, "qst<pid>-<time>.tmp" in hex, so that runs on many computers
// that write to one share, and runs that were ended before they removed
// theirs, leave no name taken for the next; a name taken all the same is
// passed over.
DWORD FileReplacement::CreateUniqueFile(const std::u16string& folder, FileCalls::Closing closing,
                                        std::u16string& path,
                                        std::unique_ptr<FileCalls::File>& file) {
    static uint32_t sequence = 0;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t milliseconds =
        ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10'000;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
        path = folder +
               FormatString(u"qst%x-%x.tmp", {static_cast<uint32_t>(GetCurrentProcessId()),
                                              static_cast<uint32_t>(milliseconds) + sequence++});
        error = calls_.CreateNew(path, closing, file);
    }
    if (error != ERROR_SUCCESS) {
        path.clear();
    }
    return error;
}

// A share that lets users create files but not delete them lets them rename
// none either: renaming needs the right to delete. The probe deletes itself
// as it is closed, by the right its creator holds.
DWORD FileReplacement::ProbeDeletion(const std::u16string& folder) {
    std::u16string probe;
    std::unique_ptr<FileCalls::File> file;
    const DWORD error = CreateUniqueFile(folder, FileCalls::Closing::DeletesTheFile, probe, file);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    // Anything else than a refusal (a scanner holding the probe) leaves the
    // rename to find out.
    inPlace_ = calls_.MayDelete(probe) == ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

DWORD FileReplacement::Prepare(const std::u16string& path) {
    target_ = FullPath(path);
    if (target_.empty()) {
        return LastErrorOr(ERROR_INVALID_NAME);
    }
    systemTarget_ = ExtendedLengthPath(target_);
    const std::u16string folder = FolderOf(systemTarget_);
    // A device is no file to replace, and a path that ends in a backslash
    // names a folder.
    if (IsDevicePath(target_) || folder.size() == systemTarget_.size()) {
        return ERROR_INVALID_NAME;
    }

    DWORD attributes = 0;
    const bool exists = calls_.Attributes(systemTarget_, attributes) == ERROR_SUCCESS;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    const DWORD probed = ProbeDeletion(folder);
    if (probed != ERROR_SUCCESS) {
        return probed;
    }
    if (inPlace_) {
        // Replacing a file needs the right to delete it.
        return exists ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    }
    return CreateUniqueFile(folder, FileCalls::Closing::KeepsTheFile, temporary_, file_);
}

DWORD FileReplacement::Write(std::string_view content) {
    if (inPlace_) {
        content_ = content;
        return ERROR_SUCCESS;
    }
    DWORD error = file_->Write(content);
    if (error == ERROR_SUCCESS) {
        error = file_->Flush();
    }
    // Closed, so that it can be renamed.
    file_.reset();
    return error;
}

DWORD FileReplacement::KeepEarlierVersion() {
    DWORD attributes = 0;
    const DWORD missing = calls_.Attributes(systemTarget_, attributes);
    if (missing != ERROR_SUCCESS) {
        // No earlier version: going back means removing the new one.
        return missing == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : missing;
    }
    std::unique_ptr<FileCalls::File> copy;
    const DWORD error = CreateUniqueFile(FolderOf(systemTarget_), FileCalls::Closing::KeepsTheFile,
                                         earlierCopy_, copy);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    copy.reset();
    // A copy, not a rename: the target stays in its place all along.
    return Retried([this] { return calls_.Copy(systemTarget_, earlierCopy_); });
}

DWORD FileReplacement::TakeTargetsPlace() {
    const DWORD error = Retried([this] { return calls_.Move(temporary_, systemTarget_); });
    if (error == ERROR_SUCCESS) {
        temporary_.clear();
    }
    return error;
}

void FileReplacement::PutEarlierVersionBack() {
    if (inPlace_) {
        // It cannot be removed: it is left empty, never half written.
        if (file_) {
            file_->Empty();
        }
        return;
    }
    if (earlierCopy_.empty()) {
        Retried([this] { return calls_.Delete(systemTarget_); });
        return;
    }
    // Moved back; or, when even that fails, left beside the target, as the
    // only earlier version there is.
    Retried([this] { return calls_.Move(earlierCopy_, systemTarget_); });
    earlierCopy_.clear();
}

// Created where no file of the name may be, and written whole; held open
// until the commit ends, so no one reads it before.
DWORD FileReplacement::CreateInPlace() {
    DWORD error = calls_.CreateNew(systemTarget_, FileCalls::Closing::KeepsTheFile, file_);
    if (error == ERROR_SUCCESS) {
        error = file_->Write(content_);
    }
    if (error == ERROR_SUCCESS) {
        error = file_->Flush();
    }
    return error;
}

CommitResult CommitTogether(std::span<FileReplacement* const> files) {
    // The renamed ones first: they can go back.
    std::vector<FileReplacement*> order;
    for (const bool inPlace : {false, true}) {
        for (FileReplacement* file : files) {
            if (file->inPlace_ == inPlace) {
                order.push_back(file);
            }
        }
    }
    CommitResult result;
    for (size_t i = 0; i < order.size() && result.error == ERROR_SUCCESS; ++i) {
        FileReplacement& file = *order[i];
        if (file.inPlace_) {
            result.error = file.CreateInPlace();
        } else {
            // The last file needs no way back: nothing comes after it that can fail.
            result.error = i + 1 < order.size() ? file.KeepEarlierVersion() : ERROR_SUCCESS;
            if (result.error == ERROR_SUCCESS) {
                result.error = file.TakeTargetsPlace();
            }
        }
        if (result.error != ERROR_SUCCESS) {
            result.failed = &file;
            // A file made in place that failed has been created and is emptied too.
            for (size_t j = file.inPlace_ ? i + 1 : i; j-- > 0;) {
                order[j]->PutEarlierVersionBack();
            }
        }
    }
    for (FileReplacement* file : order) {
        if (file->inPlace_) {
            file->file_.reset();
        }
    }
    return result;
}

bool NameTheSameFile(std::u16string_view a, std::u16string_view b) {
    return FoldedForComparison(a) == FoldedForComparison(b);
}
