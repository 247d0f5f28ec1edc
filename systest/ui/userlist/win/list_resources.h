// The list control's own bitmaps and cursors (list_resources.rc, drawn by
// make_list_images.py at build time). Every program that shows a list links
// them, and the list loads them from the running module; their identifiers
// are the list's, apart from any a program gives its own resources.
#pragma once

// The control images (ListImage) in four sizes, for screens of 96, 120, 144
// and 192 DPI; a larger size has the identifier of the 96 DPI one plus 10,
// 20 or 30.
#define IDB_LIST_IMAGES 3104
#define IDB_LIST_IMAGES_20 3114
#define IDB_LIST_IMAGES_24 3124
#define IDB_LIST_IMAGES_32 3134
#define IDC_LIST_RESIZE_CURSOR 3105  // horizontal double arrow, hot spot 15,15
#define IDC_LIST_LINK_CURSOR 3106    // hand, hot spot 6,0

#ifndef RC_INVOKED
// By the sizes of kImageSizes (list_metrics.h).
inline constexpr int kListImageBitmaps[] = {IDB_LIST_IMAGES, IDB_LIST_IMAGES_20, IDB_LIST_IMAGES_24,
                                            IDB_LIST_IMAGES_32};
#endif
