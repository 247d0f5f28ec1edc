// Resource identifiers of QuarvelSysTest.exe, shared by its resource scripts and
// its code.
#pragma once

// Bitmaps and icon. The status strip and the logo come in four sizes, for
// screens of 96, 120, 144 and 192 DPI; a larger size has the identifier of the
// 96 DPI one plus 10, 20 or 30. The results list brings its own images and
// cursors (systest/ui/userlist/win/list_resources.h).
#define IDB_STATUS_IMAGES 103  // status strip: cross, warning, tick, thumbs-up, 16 pixels
#define IDB_LOGO 107           // product logo, 210 x 56
#define IDB_STATUS_IMAGES_20 113
#define IDB_LOGO_125 117
#define IDB_STATUS_IMAGES_24 123
#define IDB_LOGO_150 127
#define IDB_STATUS_IMAGES_32 133
#define IDB_LOGO_200 137
#define IDI_APPLICATION_ICON 128

// Dialogs.
#define IDD_MAIN 129
#define IDD_AGREEMENT 201

// Controls.
#define IDC_SUMMARY_ICON 1000
#define IDC_RESULTS_LIST 1001    // main dialog
#define IDC_AGREEMENT_TEXT 1001  // agreement page
#define IDC_DESCRIPTION 1002
#define IDC_LOGO 1003
#define IDC_SUMMARY_TEXT 1004
#define IDC_SUMMARY_STATUS 1005
#define IDC_ACCEPT_BOX 1006
#define IDC_REPORT_BUTTON 1008
