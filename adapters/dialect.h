// The two programs share the graphics adapter rules but read them in slightly
// different ways. Every rule that differs takes the dialect as a parameter, so
// both behaviours live side by side in one build and one test table.
#pragma once

#include <cstddef>

enum class Dialect {
    QuarvelSysTest,  // the system test program: lower-case folding, positional parsing
    Vexmira,         // the OpenGL diagnostic: upper-case folding, tokenizing parsing
};

// The diagnostic holds captions, PNP ids, version texts and list lines in
// buffers of this many UTF-16 units: 255 characters and the NUL.
inline constexpr size_t kVexmiraTextUnits = 256;
