// A console of the test's own, for the programs it starts to write to, and
// what they wrote. Under Wine a test program has none (wine-exec starts it
// from a pipe).
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <string>
#include <vector>

// Leaves any console, makes a new one of the size and opens its screen;
// invalid when it cannot.
UniqueFileHandle NewConsoleScreen(SHORT columns, SHORT rows);

// The rows up to the cursor's, each without the blanks that fill it; the
// cursor's own only when something stands on it.
std::vector<std::wstring> ConsoleRows(HANDLE screen);
