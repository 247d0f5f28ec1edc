// Conversions between the platform-free UTF-16 strings (char16_t) and the
// wchar_t strings of the Win32 API, which are the same 16-bit units on Windows.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

// For passing a UTF-16 string to a Win32 function.
inline const wchar_t* WideCStr(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}
