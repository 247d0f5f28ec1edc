// The processor facts of the processor check: whether an instruction of a
// feature set runs, and CPUID.
#pragma once

#include "systest/engine/machine_checks.h"

#include <cstdint>

// A routine that executes a few instructions and returns, with no stack frame
// of its own (written in assembly): a fault inside it is resumed at its caller.
using ProbeRoutine = void (*)();

// Runs the routine with an exception guard that accepts every exception the
// routine raises. True when it completed, false when it raised one (normally
// an illegal instruction). GCC has no __try, so the guard is a vectored
// exception handler, present only while the routine runs.
bool RunGuardedProbe(ProbeRoutine routine);

// Executes the packed XOR of an SSE register with itself: single precision for
// SSE, double precision for SSE2. This tests the processor and the operating
// system's support for the registers together; the system's feature flags are
// not consulted.
bool ProbeProcessorFeature(ProcessorFeature feature);

CpuidRegisters ReadCpuid(uint32_t leaf, uint32_t subleaf);
