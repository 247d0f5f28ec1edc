// The OpenGL capability test: the extensions the CAD product needs, and their
// entry points loaded into the table the shader test uses.
#pragma once

#include "vexmira/diagnostic_output.h"
#include "vexmira/gl_driver.h"
#include "vexmira/gl_entry_points.h"

#include <cstdint>

// The caller counts every value but Failed as passed.
enum class CapabilityResult : int32_t {
    Failed = 0,  // an extension of the first group, or glBlendFuncSeparate, is missing
    Passed = 1,  // everything is there
    // Only GL_EXT_framebuffer_multisample or GL_EXT_framebuffer_blit is missing:
    // the product runs without antialiased off-screen images.
    PassedWithoutMultisample = 2,
};

// Lists the driver's extensions, then tests the required ones in a fixed
// order, writing "OpenGL extension: %s is not supported !\n" for each missing
// one and loading the entry points of each present one into entryPoints.
// GL_NV_vertex_program3 is required of NVIDIA drivers only. A driver that gives
// no extension string is tested as one with no extensions.
CapabilityResult TestGLCapabilities(GLDriver& driver, bool nvidia, GLEntryPointTable& entryPoints,
                                    DiagnosticOutput& output);
