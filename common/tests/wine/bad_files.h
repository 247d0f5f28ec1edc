// Data files as a user's machine may hold them instead of the shipped ones.
// A test puts each kind where a program reads a file and compares what the
// program does with a table of outcomes (docs/robustness.md lists them).
#pragma once

#include "common/win/handles.h"

#include <string>
#include <string_view>

enum class BadFile {
    Missing,
    Empty,
    Folder,      // a folder of the file's name
    Locked,      // held open by another program without sharing
    Huge,        // 100 MB of zero bytes
    Binary,      // bytes of every kind: NUL, CR, LF, 0x80 to 0xFF
    Utf16,       // the test's text in UTF-16 LE with its byte order mark
    Unreadable,  // opens, and its first read fails
};

inline constexpr BadFile kBadFiles[] = {
    BadFile::Missing, BadFile::Empty,  BadFile::Folder, BadFile::Locked,
    BadFile::Huge,    BadFile::Binary, BadFile::Utf16,  BadFile::Unreadable,
};

const char* BadFileName(BadFile kind);

inline constexpr long long kHugeFileBytes = 100LL * 1024 * 1024;

// Puts a bad file at a path for the life of the object, then takes it away.
class PlacedBadFile {
  public:
    // utf16Text: what the Utf16 kind holds.
    PlacedBadFile(std::u16string path, BadFile kind, std::u16string_view utf16Text = u"");
    ~PlacedBadFile();
    PlacedBadFile(const PlacedBadFile&) = delete;
    PlacedBadFile& operator=(const PlacedBadFile&) = delete;

    // Where a reader finds it. An unreadable file cannot be made at an
    // ordinary path under Wine: that kind names /proc/self/mem on Wine's
    // drive Z: (the Unix root) instead, which opens but refuses a read at its
    // first byte, as a file on a failing disk does.
    const std::u16string& Path() const { return readPath_; }

  private:
    std::u16string path_;
    std::u16string readPath_;
    BadFile kind_;
    UniqueFileHandle holder_;  // the Locked kind's other program
};
