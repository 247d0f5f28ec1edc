// The column record of the list control: what a column shows, how its cells
// are drawn and edited, and the rules applied when a column is added.
#pragma once

#include "systest/ui/userlist/list_metrics.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How the cells of a column are drawn and edited.
enum ColumnFormat : int32_t {
    FormatText = 0,      // plain text
    FormatEdit = 1,      // text, edited in place with an edit box
    FormatDate = 2,      // fourteen digits yyyyMMddHHmmss, shown in the user's formats
    FormatChoice = 3,    // drawn and handled like plain text
    FormatCheck = 4,     // integer text: above 0 shows a tick
    FormatTriState = 5,  // integer text: below 0, 0 or above 0
    FormatLink = 6,      // text drawn as a link under the mouse
    FormatProgress = 7,  // number from 0 to 100 shown as a bar
    FormatCutOff = 8,    // the row is painted up to this column only
};

// Bits of ListColumn::flags.
enum ColumnFlags : uint32_t {
    AlignLeft = 0x0001,  // also the default when no alignment bit is set
    AlignRight = 0x0002,
    AlignCenter = 0x0004,  // text and image
    ReadOnly = 0x0008,     // no editing, check toggling or link behaviour
    Uppercase = 0x0010,    // the edit box raises typed letters
    Integer = 0x0020,      // the edit box accepts an integer only
    Decimal = 0x0040,      // the edit box accepts one decimal point
    AllowNegative = 0x0080,
    AllowCompare = 0x0100,  // "<", ">" and "=" may precede the number
    DateTimeBoth = 0x0200,  // clears the three date options below
    DateOnly = 0x0400,
    TimeOnly = 0x0800,
    DateAllowNone = 0x1000,  // the date picker offers an empty value
};

// The list's own images (win/list_resources.rc), by index: the header shows
// them (ListColumn::image) and so may the rows of a program that has none of
// its own.
enum ListImage : int32_t {
    kListImageSortDescending = 0,
    kListImageSortAscending = 1,
    kListImageEmptyBox = 2,
    kListImageBlueTick = 3,
    kListImageGreenTick = 4,
    kListImageRedCross = 5,
    kListImagePadlock = 6,
    kListImagePaperClip = 7,
    kListImageBlackTick = 8,
    kListImageBlackCross = 9,
};

struct ListColumn {
    std::u16string title;
    int32_t width = 0;  // pixels; 0 hides the column
    // The width stays as given: no resizing, no auto-size, no sort arrow.
    bool fixedWidth = false;
    int32_t format = FormatText;  // ColumnFormat
    uint32_t flags = 0;           // ColumnFlags
    int32_t image = -1;           // header image (ListImage), -1 for none
    // The row field the column shows. Hit tests, focus and editors work with
    // column indexes; the row store, sorting and notifications with this.
    int32_t subItem = 0;
    std::vector<std::u16string> choices;  // carried for the caller, read by no operation
};

// Resolves contradicting flags, in this order: centre over right over left,
// date only over time only, the number options only with Integer or Decimal
// (Uppercase only without), and DateTimeBoth over every date option.
uint32_t NormaliseColumnFlags(uint32_t flags);

// Header images sit in a column this much wider than the image, at 96 DPI.
inline constexpr int32_t kImageColumnPadding = 5;

// The record as AddColumn stores it: a negative width is 0; a column with an
// image and no title becomes exactly as wide as the image and centred; flags
// are normalised and the column shows the row field of its position.
ListColumn PrepareNewColumn(ListColumn column, const ListMetrics& metrics, int32_t existingColumns);

// The value a click or Space gives a check cell: a check box turns on (1) and
// off (0); a three-state mark goes from empty (0) to tick (1) to cross (-1)
// and back to empty. Other formats keep their text.
std::u16string NextCheckValue(int32_t format, std::u16string_view text);
