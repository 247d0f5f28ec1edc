// Reading the graphics card list: the lines a program sees, the diagnostic's
// search for its first active adapter and the system test's scan for its
// primary adapter.
#pragma once

#include "adapters/diagnostic_log.h"
#include "adapters/primary_video_adapter.h"
#include "adapters/verbose_video.h"
#include "adapters/video_adapters.h"

#include <memory>
#include <string>
#include <string_view>

// The lines of an open list file, each without its line break.
class CardListLines {
  public:
    virtual ~CardListLines() = default;
    // False at the end of the file.
    virtual bool ReadLine(std::u16string& line) = 0;
};

class CardListFiles {
  public:
    virtual ~CardListFiles() = default;
    // Null when the file cannot be opened for reading.
    virtual std::unique_ptr<CardListLines> Open(const std::u16string& path) = 0;
};

// The text of a line that the diagnostic's search looks at: its text-mode
// stream leaves the line feed at the end, and a carriage return may stand
// before it.
std::u16string_view WithoutLineBreak(std::u16string_view line);

// Whether a line is an entry line: both programs pass over comments ("#" in
// the first column) and blank lines without a word.
bool IsCardListEntryLine(std::u16string_view line);

// The diagnostic's modes. Below OpenGL 3 the list must name the card (the
// full check); with OpenGL 3 or later a card the list does not name passes,
// and the list still decides for every card it names.
enum class CardListMode : int { NamedCardsOnly = 0, Full = 1 };

// Results of SearchCardList.
inline constexpr int kSearchNoEntryLine = -5;
inline constexpr int kSearchNoMatch = -2;
inline constexpr int kSearchNothingEnded = -1;  // an invalid line or a code that ends nothing
inline constexpr int kSearchNotSupported = 0;   // also: no active adapter, no file
inline constexpr int kSearchDriverCurrent = 1;
inline constexpr int kSearchDriverOutdated = 2;
inline constexpr int kSearchNotNamed = 3;  // OpenGL 3 or later: no line decided

// The diagnostic's search of the list at listPath for the first active
// adapter of table, with every step in the log. The first "NG", "GD" or "GL"
// line that matches ends it; every matching "CD" line whose date the driver
// does not meet makes the driver outdated, whatever line ends the search.
int SearchCardList(const VideoAdapterTable& table, const std::u16string& listPath,
                   CardListMode mode, CardListFiles& files, DiagnosticLog& log);

// What the system test's scan remembers of the last line that matched, and
// how the adapter's driver compared with that line's.
struct CardListMatch {
    bool matched = false;
    std::u16string entryCode;
    DriverVersionNumber listVersion;
    DriverDateNumber listDate = 0;
    bool versionCurrent = false;  // the driver's version is at least the line's
    bool dateCurrent = false;     // the driver's date is at least the line's, or unknown
};

// The system test's scan of the list for its primary adapter: the last
// matching line wins, except that a "CD" line whose date the driver meets ends
// the scan. Each match shows its comparison in the diagnostic boxes. Null
// lines (no file) give nothing remembered.
CardListMatch ScanCardList(CardListLines* lines, const PrimaryVideoAdapter& adapter,
                           VerboseVideo& verbose);
