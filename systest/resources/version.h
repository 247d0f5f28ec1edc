// The version of QuarvelSysTest.exe, shared by its version resource and the
// results it writes.
#pragma once

#define QST_FILE_VERSION 2012, 0, 0, 0
#define QST_FILE_VERSION_TEXT "2012.0.0.0"
