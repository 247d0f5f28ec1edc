// What the meta line of a check run is made of, and when the run began, read
// from Windows once per run.
#pragma once

#include "systest/engine/check_sequence.h"

// The computer name (empty when it cannot be read), the local date and time
// with its offset from UTC, and the build stamp of the program.
RunFacts ReadRunFacts();
