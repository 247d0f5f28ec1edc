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

// Runs a step (ERROR_SUCCESS or the system error) again while another program
// holds the file it needs.
template <typename Step>
DWORD Retried(Step step) {
    DWORD error = step();
    for (const DWORD pause : kRetryPausesMs) {
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) {
            break;
        }
        Sleep(pause);
        error = step();
    }
    return error;
}

DWORD Moved(const std::u16string& from, const std::u16string& to) {
    return MoveFileExW(WideCStr(from), WideCStr(to),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? ERROR_SUCCESS
               : LastErrorOr(ERROR_ACCESS_DENIED);
}

DWORD Deleted(const std::u16string& path) {
    return DeleteFileW(WideCStr(path)) ? ERROR_SUCCESS : LastErrorOr(ERROR_ACCESS_DENIED);
}

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

// A new file in the folder (extended-length, with its closing backslash),
// created and kept open. Its name holds the process id and the time in
// milliseconds, "qst<pid>-<time>.tmp" in hex, so that runs on many computers
// that write to one share, and runs that were ended before they removed
// theirs, leave no name taken for the next.
UniqueFileHandle CreateUniqueFile(const std::u16string& folder, std::u16string& path) {
    static uint32_t sequence = 0;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t milliseconds =
        ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10'000;
    UniqueFileHandle file;
    for (int attempt = 0; attempt < kNameAttempts && !file; ++attempt) {
        path = folder +
               FormatString(u"qst%x-%x.tmp", {static_cast<uint32_t>(GetCurrentProcessId()),
                                              static_cast<uint32_t>(milliseconds) + sequence++});
        file.reset(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (!file) {
        path.clear();
    }
    return file;
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

FileReplacement::~FileReplacement() {
    file_.reset();
    for (const std::u16string* path : {&temporary_, &earlierCopy_}) {
        if (!path->empty()) {
            Retried([path] { return Deleted(*path); });
        }
    }
}

DWORD FileReplacement::Prepare(const std::u16string& path) {
    target_ = FullPath(path);
    if (target_.empty()) {
        return LastErrorOr(ERROR_INVALID_NAME);
    }
    systemTarget_ = ExtendedLengthPath(target_);
    const size_t name = systemTarget_.rfind(u'\\') + 1;
    // A device is no file to replace, and a path that ends in a backslash
    // names a folder.
    if (IsDevicePath(target_) || name == systemTarget_.size()) {
        return ERROR_INVALID_NAME;
    }

    const DWORD attributes = GetFileAttributesW(WideCStr(systemTarget_));
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    file_ = CreateUniqueFile(systemTarget_.substr(0, name), temporary_);
    return file_ ? ERROR_SUCCESS : LastErrorOr(ERROR_PATH_NOT_FOUND);
}

DWORD FileReplacement::Write(std::string_view content) {
    while (!content.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(content.size(), kWriteChunk));
        if (!WriteFile(file_.get(), content.data(), chunk, &written, nullptr)) {
            return LastErrorOr(ERROR_WRITE_FAULT);
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        content.remove_prefix(written);
    }
    if (!FlushFileBuffers(file_.get())) {
        return LastErrorOr(ERROR_WRITE_FAULT);
    }
    // Closed, so that it can be renamed.
    file_.reset();
    return ERROR_SUCCESS;
}

DWORD FileReplacement::KeepEarlierVersion() {
    if (GetFileAttributesW(WideCStr(systemTarget_)) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // No earlier version: going back means removing the new one.
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    const std::u16string folder = systemTarget_.substr(0, systemTarget_.rfind(u'\\') + 1);
    if (!CreateUniqueFile(folder, earlierCopy_)) {
        return LastErrorOr(ERROR_ACCESS_DENIED);
    }
    // A copy, not a rename: the target stays in its place all along.
    return Retried([this] {
        return CopyFileW(WideCStr(systemTarget_), WideCStr(earlierCopy_), FALSE)
                   ? ERROR_SUCCESS
                   : LastErrorOr(ERROR_ACCESS_DENIED);
    });
}

DWORD FileReplacement::TakeTargetsPlace() {
    const DWORD error = Retried([this] { return Moved(temporary_, systemTarget_); });
    if (error == ERROR_SUCCESS) {
        temporary_.clear();
    }
    return error;
}

void FileReplacement::PutEarlierVersionBack() {
    if (earlierCopy_.empty()) {
        Retried([this] { return Deleted(systemTarget_); });
        return;
    }
    // Moved back; or, when even that fails, left beside the target, as the
    // only earlier version there is.
    Retried([this] { return Moved(earlierCopy_, systemTarget_); });
    earlierCopy_.clear();
}

CommitResult CommitTogether(std::span<FileReplacement* const> files) {
    for (size_t i = 0; i < files.size(); ++i) {
        FileReplacement& file = *files[i];
        // The last file needs no way back: nothing comes after it that can fail.
        DWORD error = i + 1 < files.size() ? file.KeepEarlierVersion() : ERROR_SUCCESS;
        if (error == ERROR_SUCCESS) {
            error = file.TakeTargetsPlace();
        }
        if (error != ERROR_SUCCESS) {
            for (size_t j = i; j-- > 0;) {
                files[j]->PutEarlierVersionBack();
            }
            return {error, &file};
        }
    }
    return {};
}

bool NameTheSameFile(std::u16string_view a, std::u16string_view b) {
    return FoldedForComparison(a) == FoldedForComparison(b);
}
