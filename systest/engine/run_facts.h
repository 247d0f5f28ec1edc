// What the meta line of a check run is made of, read from Windows once per run.
#pragma once

#include "systest/engine/check_sequence.h"

// The computer name (empty when it cannot be read), today's local date and the
// build stamp of the program.
RunFacts ReadRunFacts();
