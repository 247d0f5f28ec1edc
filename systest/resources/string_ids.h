// Identifiers of the strings of the language libraries Lang_<code>.Dll, shared
// by the program and the libraries' resource scripts. A string with arguments
// is a wvsprintfW format; its arguments, in order, are given beside it.
#pragma once

#define IDS_MAIN_DESCRIPTION 900  // text above the results list
#define IDS_COLUMN_STATUS 901     // title of results column 0
#define IDS_COLUMN_CHECK 902      // title of results column 1
#define IDS_MAIN_CAPTION 903      // %s product name
#define IDS_STATUS_FAILED 904     // status words ...
#define IDS_STATUS_WARNING 905
#define IDS_STATUS_PASSED 906
#define IDS_STATUS_NO_RESULT 908
#define IDS_OS_NOT_SUPPORTED 910         // Windows version not supported
#define IDS_OS_SERVICE_PACK_TOO_OLD 912  // %d required service pack
#define IDS_OS_PASSED 913
#define IDS_OS_NEWER_WINDOWS 914  // newer Windows than the program knows
#define IDS_REPORT_BUTTON 915
#define IDS_META_DATA 916  // %c 34, %s computer, %c 34, %s date, %s version, %s build date
#define IDS_CPU_FAILED 920
#define IDS_CPU_PASSED 922
#define IDS_AGREEMENT_ACCEPT 924
#define IDS_AGREEMENT_DECLINE 925
#define IDS_AGREEMENT_INSTRUCTIONS 926
#define IDS_AGREEMENT_CHECKBOX 927
#define IDS_AGREEMENT_CAPTION 928  // %s product name
#define IDS_DISK_BELOW 930         // %s drive letter, %d required GB (10 or 5)
#define IDS_DISK_PASSED 931        // %s drive letter, %d required GB (10)
#define IDS_GPU_MEMORY_LOW 940     // %s adapter caption, %d 256 (MB)
#define IDS_GPU_MEMORY_PASSED 941  // %s adapter caption, %d 256 (MB)
#define IDS_MEMORY_FAILED 950
#define IDS_MEMORY_WARNING 951
#define IDS_MEMORY_PASSED 952
#define IDS_MEMORY_UNREADABLE 954
#define IDS_SCREEN_BELOW 960              // %d width, %d height required
#define IDS_SCREEN_PASSED 961             // %d width, %d height reached
#define IDS_SUMMARY_FAILED 970            // %s product name
#define IDS_SUMMARY_WARNING 971           // %s product name
#define IDS_SUMMARY_PASSED 972            // %s product name
#define IDS_CARD_NOT_SUPPORTED 980        // %s adapter caption
#define IDS_CARD_DRIVER_CHECK 981         // card listed for a driver check (list row)
#define IDS_CARD_DRIVER_CHECK_REPORT 982  // %s product name (report line of 981)
#define IDS_CARD_SUPPORTED 985
#define IDS_DIAGNOSTIC_UNFINISHED 986  // the graphics test ended without its verdict
#define IDS_ADAPTERS_DIFFER 987
#define IDS_DRIVER_VERSION_UNREADABLE 988
#define IDS_CARD_SWITCHABLE_SUPPORTED 989  // OpenGL 3+ on switchable graphics
// Console lines of an unattended run ("-silent").
#define IDS_SILENT_NOT_ACCEPTED 990    // the agreement was not accepted for the user
#define IDS_SILENT_CANNOT_WRITE 991    // %s file path, %s the system's reason
#define IDS_SILENT_NO_TEMP_FOLDER 992  // no temporary folder for the report
#define IDS_SILENT_SAME_FILE 993       // -report and -json name one file
// Rows of checks that could not be made.
#define IDS_DIAGNOSTIC_NOT_STARTED 994  // the diagnostic program could not be started
#define IDS_SCREEN_NOT_MEASURED 995     // no interactive desktop: the screen was not checked
#define IDS_GRAPHICS_NOT_MEASURED 996   // no interactive desktop: graphics not checked
// The forms of 940, 941 and 980 for an adapter that reports no name.
#define IDS_GPU_MEMORY_LOW_UNNAMED 997     // %d 256 (MB)
#define IDS_GPU_MEMORY_PASSED_UNNAMED 998  // %d 256 (MB)
#define IDS_CARD_NOT_SUPPORTED_UNNAMED 999
// The graphics card row as the list, the diagnostic and the machine decide it.
#define IDS_CARD_NOT_CERTIFIED 1000                  // %s adapter caption: passes, on no list line
#define IDS_CARD_NOT_CERTIFIED_UNNAMED 1001          // the same for an adapter without a name
#define IDS_GRAPHICS_REMOTE_SESSION 1002             // a remote session: nothing was tested
#define IDS_CARD_SCREENS_ON_DIFFERENT_ADAPTERS 1003  // the card could not be judged
#define IDS_CARD_VIRTUAL_MACHINE 1004                // a virtual machine's adapter that passes
#define IDS_CARD_VIRTUAL_MACHINE_NOT_SUPPORTED 1005  // one that does not
// A driver older than its line's: the driver row of a "GD" card, the card row
// of a certified one, by version or, where the versions agree, by date.
#define IDS_DRIVER_OLDER_VERSION 1006       // %s list version, %s installed version
#define IDS_DRIVER_OLDER_DATE 1007          // %s list date, %s installed date (yyyy-mm-dd)
#define IDS_CARD_DRIVER_OLDER_VERSION 1008  // %s installed version, %s list version
#define IDS_CARD_DRIVER_OLDER_DATE 1009     // %s installed date, %s list date (yyyy-mm-dd)
// The facts behind the graphics rows.
#define IDS_HYBRID_GRAPHICS 1010  // %s the judged adapter, %s an idle discrete GPU
#define IDS_REPORT_ADAPTERS 1011  // heading of the report's list of adapters
// The agreement page while the checks run.
#define IDS_AGREEMENT_CHECKING 1040
// The results list's context menu: the command and its shortcut after a tab.
#define IDS_LIST_MENU_COPY 1041
#define IDS_LIST_MENU_SELECT_ALL 1042

#ifndef RC_INVOKED
// Every identifier above: a language library holds a string for each, and a
// library that lacks one is no language library of the program.
inline constexpr int kLanguageStringIds[] = {
    IDS_MAIN_DESCRIPTION,
    IDS_COLUMN_STATUS,
    IDS_COLUMN_CHECK,
    IDS_MAIN_CAPTION,
    IDS_STATUS_FAILED,
    IDS_STATUS_WARNING,
    IDS_STATUS_PASSED,
    IDS_STATUS_NO_RESULT,
    IDS_OS_NOT_SUPPORTED,
    IDS_OS_SERVICE_PACK_TOO_OLD,
    IDS_OS_PASSED,
    IDS_OS_NEWER_WINDOWS,
    IDS_REPORT_BUTTON,
    IDS_META_DATA,
    IDS_CPU_FAILED,
    IDS_CPU_PASSED,
    IDS_AGREEMENT_ACCEPT,
    IDS_AGREEMENT_DECLINE,
    IDS_AGREEMENT_INSTRUCTIONS,
    IDS_AGREEMENT_CHECKBOX,
    IDS_AGREEMENT_CAPTION,
    IDS_DISK_BELOW,
    IDS_DISK_PASSED,
    IDS_GPU_MEMORY_LOW,
    IDS_GPU_MEMORY_PASSED,
    IDS_MEMORY_FAILED,
    IDS_MEMORY_WARNING,
    IDS_MEMORY_PASSED,
    IDS_MEMORY_UNREADABLE,
    IDS_SCREEN_BELOW,
    IDS_SCREEN_PASSED,
    IDS_SUMMARY_FAILED,
    IDS_SUMMARY_WARNING,
    IDS_SUMMARY_PASSED,
    IDS_CARD_NOT_SUPPORTED,
    IDS_CARD_DRIVER_CHECK,
    IDS_CARD_DRIVER_CHECK_REPORT,
    IDS_CARD_SUPPORTED,
    IDS_DIAGNOSTIC_UNFINISHED,
    IDS_ADAPTERS_DIFFER,
    IDS_DRIVER_VERSION_UNREADABLE,
    IDS_CARD_SWITCHABLE_SUPPORTED,
    IDS_SILENT_NOT_ACCEPTED,
    IDS_SILENT_CANNOT_WRITE,
    IDS_SILENT_NO_TEMP_FOLDER,
    IDS_SILENT_SAME_FILE,
    IDS_DIAGNOSTIC_NOT_STARTED,
    IDS_SCREEN_NOT_MEASURED,
    IDS_GRAPHICS_NOT_MEASURED,
    IDS_GPU_MEMORY_LOW_UNNAMED,
    IDS_GPU_MEMORY_PASSED_UNNAMED,
    IDS_CARD_NOT_SUPPORTED_UNNAMED,
    IDS_CARD_NOT_CERTIFIED,
    IDS_CARD_NOT_CERTIFIED_UNNAMED,
    IDS_GRAPHICS_REMOTE_SESSION,
    IDS_CARD_SCREENS_ON_DIFFERENT_ADAPTERS,
    IDS_CARD_VIRTUAL_MACHINE,
    IDS_CARD_VIRTUAL_MACHINE_NOT_SUPPORTED,
    IDS_DRIVER_OLDER_VERSION,
    IDS_DRIVER_OLDER_DATE,
    IDS_CARD_DRIVER_OLDER_VERSION,
    IDS_CARD_DRIVER_OLDER_DATE,
    IDS_HYBRID_GRAPHICS,
    IDS_REPORT_ADAPTERS,
    IDS_AGREEMENT_CHECKING,
    IDS_LIST_MENU_COPY,
    IDS_LIST_MENU_SELECT_ALL,
};
#endif
