// Full paths as the file functions take them at any length, and as they are
// compared. A path of MAX_PATH (260) characters or more reaches the file
// functions only in its extended-length form ("\\?\C:\..." or
// "\\?\UNC\server\share\..."), which also switches off their normalisation;
// so a path is made full first (GetFullPathNameW) and extended after.
#pragma once

#include <string>
#include <string_view>

// The extended-length form of a full path: "\\?\" before a drive path,
// "\\?\UNC\" in place of a UNC path's "\\". A path that has the prefix
// already, or one of a device ("\\.\"), is returned as it is.
std::u16string ExtendedLengthPath(std::u16string_view fullPath);

// The path without its extended-length prefix, as it is written everywhere
// else: "\\?\UNC\server\share" becomes "\\server\share", "\\?\C:\x" "C:\x".
std::u16string WithoutExtendedPrefix(std::u16string_view path);

// Whether the full path names a device ("\\.\NUL", "\\.\COM1") rather than a
// file: what GetFullPathNameW makes of "NUL" or "COM1".
bool IsDevicePath(std::u16string_view fullPath);
