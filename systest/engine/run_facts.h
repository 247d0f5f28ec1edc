// What the meta line of a check run is made of, when the run began and where
// it runs, read from Windows once per run.
#pragma once

#include "systest/engine/check_sequence.h"

// The computer name (empty when it cannot be read), the local date and time
// with its offset from UTC, the build stamp of the program, and whether the
// process's window station is interactive.
RunFacts ReadRunFacts();

// Whether the process's window station is the interactive one, whose desktop
// the user sees (WSF_VISIBLE); RunFacts::interactiveDesktop. A station that
// cannot be asked counts as interactive, as every station did before the
// question was asked.
bool HasInteractiveDesktop();
