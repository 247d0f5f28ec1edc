// The graphics card list "GraphicsCardGBList.txt": its entry lines and how a
// line's name is matched against an adapter. Both programs share the format
// but read it in their own dialect.
#pragma once

#include "adapters/dialect.h"
#include "adapters/driver_version.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr std::u16string_view kCardListFileName = u"GraphicsCardGBList.txt";

// Entry codes: how a matching adapter counts.
inline constexpr std::u16string_view kEntryNotSupported = u"NG";   // not qualified
inline constexpr std::u16string_view kEntryDriverDate = u"GD";     // qualified with a driver date
inline constexpr std::u16string_view kEntryDriverVersion = u"GL";  // like GD, with a driver test
inline constexpr std::u16string_view kEntryCurrentDriver = u"CD";  // a driver date to be current

// One parsed entry line: name,version,yyyymmdd,code
struct CardListEntry {
    std::u16string name;              // words of the adapter name, or a "pci..." id fragment
    DriverVersionNumber listVersion;  // NVIDIA versions in their short form
    DriverDateNumber listDate = 0;    // always a valid date
    std::u16string entryCode;         // as written: only exact upper case codes count
};

// Why a dialect rejects an entry line.
enum class CardListLineFault {
    None,
    TooFewCommas,      // the system test needs three commas
    OnlyCommas,        // the diagnostic finds no field at all
    NothingAfterName,  // the diagnostic needs a comma and a field after the name
    VersionTooShort,   // the diagnostic needs two version parts
    NoDate,            // the date field is missing or empty
    InvalidDate,       // not yyyymmdd of a year 2000 to 3000
};

// The diagnostic tokenizes at commas (an empty name field shifts the fields,
// the code is the two characters after the date); the system test splits at
// the first three commas by position (the code is all text after the third).
// Empty when the line is invalid, and then fault (when given) says why.
// Comment and blank lines are the caller's.
std::optional<CardListEntry> ParseCardListLine(std::u16string_view line, Dialect dialect,
                                               CardListLineFault* fault = nullptr);

// Whether an entry's name matches an adapter. A name that begins with "pci" is
// a fragment of the PNP device id; any other name is a list of words that must
// each stand in the caption at a word start and not run on into a digit or an
// "m" (so "GeForce 8600" is not "GeForce 8600M GT"). Letter case does not
// matter; a name without words matches every adapter.
bool MatchCardListEntry(std::u16string_view name, std::u16string_view caption,
                        std::u16string_view pnpDeviceId, Dialect dialect);

// Whether a name is a PNP device id fragment rather than words.
bool IsPnpFragment(std::u16string_view name);

// Whether general matches every adapter that specific matches, whatever its
// caption and PNP device id: the same name, a fragment found in the other
// fragment, or words that each begin one of specific's words without running
// on ("Quadro 2000" covers "Quadro 2000D", not "Quadro 20000").
bool CardListNameCovers(std::u16string_view general, std::u16string_view specific, Dialect dialect);
