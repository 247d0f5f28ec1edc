// What the list draws with: the system's colours and message font, and the
// image lists and cursors of the program's resources. Created once per
// control and again when the system settings change.
//
// The list knows none of the program's resource ids: whoever shows a list
// names its bitmaps and cursors (ListResourceIds).
#pragma once

#include "common/win/gdi.h"
#include "systest/ui/userlist/list_metrics.h"

#include <windows.h>

#include <iterator>

struct ListColours {
    COLORREF window;        // background, inside of progress frames, the cell being edited
    COLORREF headerFace;    // header background, inner progress frame
    COLORREF headerLight;   // right line of dividers, top and left of the header frame
    COLORREF headerShadow;  // left line of dividers, right and bottom of the frame
    COLORREF headerText;
    COLORREF pressedHeader;  // a header cell held down
    COLORREF selection;      // selected rows, also without the focus
    COLORREF selectionText;
    COLORREF rowText;        // also the rubber band's frame
    COLORREF progressLight;  // left end of the progress bar
    COLORREF progressDark;   // right end of the progress bar
    COLORREF focusCell;      // the focused cell, the frame while editing, the rubber band
    COLORREF link;           // a link cell under the mouse
};

ListColours ReadListColours();

// A font made from the system's message font (lfMessageFont of
// SPI_GETNONCLIENTMETRICS); invalid when it cannot be read or made.
UniqueFont CreateMessageFont();

struct ListFonts {
    UniqueFont list;
    UniqueFont link;  // the list font underlined
};

bool CreateListFonts(ListFonts& fonts);

// Where a program keeps the list's bitmaps and cursors. A strip of square
// images, magenta showing through, is one bitmap per size of kImageSizes, in
// that order.
struct ListResourceIds {
    int rowImages[std::size(kImageSizes)];      // the images of the rows (ItemImage)
    int controlImages[std::size(kImageSizes)];  // sort arrows, check marks, header images
    int resizeCursor;                           // a horizontal double arrow
    int linkCursor;                             // a hand
};

struct ListImages {
    UniqueImageList rows;
    UniqueImageList controls;
    UniqueCursor resize;
    UniqueCursor link;
};

// Loads from the module, the image strips in the metrics' image size; false
// at the first that fails.
bool LoadListImages(HINSTANCE module, const ListResourceIds& ids, const ListMetrics& metrics,
                    ListImages& images);

// A strip (one bitmap per size) in the metrics' image size; invalid when it
// cannot be loaded.
UniqueImageList LoadImageStrip(HINSTANCE module, const int (&bitmaps)[std::size(kImageSizes)],
                               const ListMetrics& metrics);
