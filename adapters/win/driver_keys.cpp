#include "adapters/win/driver_keys.h"

#include "common/win/handles.h"
#include "common/win/wide.h"

#include <algorithm>
#include <array>

namespace {

// Both programs read a version value into 200 bytes.
constexpr size_t kValueBufferUnits = 100;

// The value's text up to its first NUL. A value that does not fit the buffer
// is not read (ERROR_MORE_DATA), and one stored without a terminating NUL ends
// with the data the system returned.
RegistryText QueryText(HKEY key, const wchar_t* name) {
    std::array<wchar_t, kValueBufferUnits> buffer{};
    DWORD size = sizeof(buffer);
    RegistryText value;
    value.found = RegQueryValueExW(key, name, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS;
    if (value.found) {
        const size_t units = std::min<size_t>(size / sizeof(wchar_t), buffer.size());
        value.text = FromWide(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), units)));
    }
    return value;
}

}  // namespace

std::optional<DriverKeyValues> Win32DriverKeySource::Read(std::u16string_view subkey) {
    UniqueRegKey key;
    const std::u16string path(subkey);
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideCStr(path), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DriverKeyValues values;
    values.driverVersion = QueryText(key.get(), L"DriverVersion");
    values.releaseVersion = QueryText(key.get(), L"ReleaseVersion");
    return values;
}
