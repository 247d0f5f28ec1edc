// The two programs share the graphics adapter rules but read them in slightly
// different ways. Every rule that differs takes the dialect as a parameter, so
// both behaviours live side by side in one build and one test table.
#pragma once

enum class Dialect {
    QuarvelSysTest,  // the system test program: lower-case folding, positional parsing
    Vexmira,         // the OpenGL diagnostic: upper-case folding, tokenizing parsing
};
