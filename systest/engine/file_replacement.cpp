#include "systest/engine/file_replacement.h"

#include "common/win/handles.h"
#include "common/win/wide.h"

#include <vector>

namespace {

// The temporary files are named "qst" + four hex digits + ".tmp".
constexpr wchar_t kTemporaryPrefix[] = L"qst";

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

}  // namespace

FileReplacement::~FileReplacement() {
    if (!temporary_.empty()) {
        DeleteFileW(WideCStr(temporary_));
    }
}

DWORD FileReplacement::Prepare(const std::u16string& path) {
    const std::wstring wide = ToWide(path);
    const DWORD units = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (units == 0) {
        return LastErrorOr(ERROR_INVALID_NAME);
    }
    std::vector<wchar_t> full(units);
    wchar_t* name = nullptr;
    const DWORD length = GetFullPathNameW(wide.c_str(), units, full.data(), &name);
    if (length == 0 || length >= units || name == nullptr) {
        // A path that ends in a backslash names a folder.
        return LastErrorOr(ERROR_INVALID_NAME);
    }
    target_ = FromWide(std::wstring_view(full.data(), length));

    const DWORD attributes = GetFileAttributesW(full.data());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return ERROR_ACCESS_DENIED;
    }

    const std::wstring folder(full.data(), name);
    wchar_t temporary[MAX_PATH] = {};
    // With 0 the system picks a free name and creates the file.
    if (GetTempFileNameW(folder.c_str(), kTemporaryPrefix, 0, temporary) == 0) {
        return LastErrorOr(ERROR_PATH_NOT_FOUND);
    }
    temporary_ = FromWide(temporary);
    return ERROR_SUCCESS;
}

DWORD FileReplacement::Commit() {
    {
        const UniqueFileHandle file(CreateFileW(WideCStr(temporary_), GENERIC_WRITE, 0, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() || !FlushFileBuffers(file.get())) {
            return LastErrorOr(ERROR_WRITE_FAULT);
        }
    }
    if (!MoveFileExW(WideCStr(temporary_), WideCStr(target_),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return LastErrorOr(ERROR_ACCESS_DENIED);
    }
    temporary_.clear();
    return ERROR_SUCCESS;
}

DWORD WriteBytesToFile(const std::u16string& path, std::string_view bytes) {
    const UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return GetLastError();
    }
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return GetLastError();
    }
    return written == bytes.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}
