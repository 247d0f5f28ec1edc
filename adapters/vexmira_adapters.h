// The diagnostic program's two graphics adapter steps. They share one
// process-wide table of up to 10 adapter records: SummarizeVideoAdapters fills
// it once, SearchCardList reads it afterwards.
#pragma once

#include "adapters/diagnostic_log.h"

#include <string>

// Queries the video adapters (WMI, display devices, registry), writes one to
// three log lines and returns the adapter summary: -2 the desktop adapters
// differ, -1 no adapter on the desktop or no memory size, 0 a single Intel
// adapter, 1 below 256 MB, 2 256 MB or more.
int SummarizeVideoAdapters(DiagnosticLog& log);

// Searches the graphics card list at listPath for the first active adapter.
// mode 1 is the full check, 0 the check with OpenGL 3 or later (a card not
// named passes).
// Returns 0 to 3, or -1, -2 or -5 when no line gave a result; writes its lines.
int SearchCardList(const std::u16string& listPath, int mode, DiagnosticLog& log);
