// What the list draws with: the system's colours and message font, and its
// own images and cursors (list_resources.h). Created once per control and
// again when the system settings change.
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

struct ListImages {
    UniqueImageList controls;  // sort arrows, check marks, header images (ListImage)
    UniqueCursor resize;
    UniqueCursor link;
};

// Loads the list's own images, in the metrics' image size, and cursors from
// the module that links them; false at the first that fails.
bool LoadListImages(HINSTANCE module, const ListMetrics& metrics, ListImages& images);

// A strip of square images, magenta showing through, one bitmap per size of
// kImageSizes in that order, loaded in the metrics' image size; invalid when
// it cannot be loaded.
UniqueImageList LoadImageStrip(HINSTANCE module, const int (&bitmaps)[std::size(kImageSizes)],
                               const ListMetrics& metrics);
