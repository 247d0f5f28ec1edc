// The OpenGL side of the diagnostic as its flow sees it: a hidden window that
// can carry a context, and the context's strings and functions. The Windows
// layer implements it with WGL; the tests fake a driver.
#pragma once

#include "vexmira/diagnostic_output.h"
#include "vexmira/gl_entry_points.h"
#include "vexmira/shader_objects.h"

#include <memory>

enum class GLString { Vendor, Renderer, Version, ShadingLanguageVersion, Extensions };

// A rendering context made current on the hidden window. Destroying it makes
// no context current and deletes it.
class GLDriver {
  public:
    virtual ~GLDriver() = default;
    // glGetString; null when the driver gives no string.
    virtual const char* GetString(GLString name) = 0;
    // wglGetProcAddress; null when the driver lacks the function.
    virtual GLProc GetProcAddress(const char* name) = 0;
    // The shader-object functions of the table, called on this context. The
    // caller checks the slots it needs before calling.
    virtual std::unique_ptr<ShaderObjectApi> BindShaderObjects(
        const GLEntryPointTable& entryPoints) = 0;
};

// The diagnostic's invisible window and its device context. Destroying it
// releases the device context and destroys the window; any context created on
// it must be destroyed first.
class HiddenWindow {
  public:
    virtual ~HiddenWindow() = default;
    // Chooses and sets the pixel format, creates a context and makes it current.
    // Writes "error : ChoosePixelFormat fails !\n" or "error : SetPixelFormat
    // fails !\n" when the format fails; null on every failure.
    virtual std::unique_ptr<GLDriver> CreateGLContext(DiagnosticOutput& output) = 0;
};
