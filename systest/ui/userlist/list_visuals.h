// What the list draws with: the system's colours and message font, and the
// image lists and cursors of the program's resources. Created once per
// control and again when the system settings change.
#pragma once

#include "common/win/gdi.h"
#include "systest/ui/userlist/list_metrics.h"

#include <windows.h>

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
    UniqueImageList rows;      // the status images (bitmap 103 and its larger sizes)
    UniqueImageList controls;  // sort arrows, check marks, header images (bitmap 104 ...)
    UniqueCursor resize;       // a horizontal double arrow (cursor 105)
    UniqueCursor link;         // a hand (cursor 106)
};

// Loads from the program's own module, the image strips in the metrics'
// image size; false at the first that fails.
bool LoadListImages(HINSTANCE module, const ListMetrics& metrics, ListImages& images);

// The status strip (bitmap 103) in the metrics' image size, magenta showing
// through; invalid when it cannot be loaded.
UniqueImageList LoadStatusImages(HINSTANCE module, const ListMetrics& metrics);
