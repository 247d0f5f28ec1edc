// The hidden window of the diagnostic and its OpenGL rendering context, on GDI
// and WGL.
#pragma once

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "vexmira/diagnostic_output.h"
#include "vexmira/gl_driver.h"

#include <windows.h>

#include <GL/gl.h>

#include <memory>

// opengl32.dll and the functions of it that the diagnostic calls. It is no
// KnownDLL, so the diagnostic does not import it: it is loaded by its full
// path in the system folder before the first pixel format is chosen (GDI's
// ChoosePixelFormat loads it by name otherwise) and stays for the process.
struct OpenGL32 {
    UniqueLibrary library;  // first: the functions below lie in it
    WinApiFunction<HGLRC(HDC)> createContext =
        LibraryFunction<HGLRC(HDC)>(library.get(), "wglCreateContext");
    WinApiFunction<BOOL(HGLRC)> deleteContext =
        LibraryFunction<BOOL(HGLRC)>(library.get(), "wglDeleteContext");
    WinApiFunction<HGLRC()> currentContext =
        LibraryFunction<HGLRC()>(library.get(), "wglGetCurrentContext");
    WinApiFunction<BOOL(HDC, HGLRC)> makeCurrent =
        LibraryFunction<BOOL(HDC, HGLRC)>(library.get(), "wglMakeCurrent");
    WinApiFunction<PROC(LPCSTR)> getProcAddress =
        LibraryFunction<PROC(LPCSTR)>(library.get(), "wglGetProcAddress");
    WinApiFunction<const GLubyte*(GLenum)> getString =
        LibraryFunction<const GLubyte*(GLenum)>(library.get(), "glGetString");
};

// The system's opengl32.dll, loaded on the first call; null when it or one of
// its functions is missing.
const OpenGL32* SystemOpenGL();

// A WGL rendering context of SystemOpenGL. Closing it first makes no context
// current when it is the current one, as a context must not be deleted while
// current.
struct GLContextTraits {
    using Handle = HGLRC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle context) {
        const OpenGL32& gl = *SystemOpenGL();  // it made the context
        if (gl.currentContext() == context) {
            gl.makeCurrent(nullptr, nullptr);
        }
        gl.deleteContext(context);
    }
};
using UniqueGLContext = UniqueHandle<GLContextTraits>;

// The request: RGBA, 32 colour bits, 16 depth bits, double-buffered, on a window.
PIXELFORMATDESCRIPTOR PixelFormatRequest();

// Loads SystemOpenGL, sets the pixel format of the DC's window, creates a
// context and makes it current. Without opengl32.dll there is no context and
// no line. Writes "error : ChoosePixelFormat fails !\n" or "error :
// SetPixelFormat fails !\n" when the format fails; a context that cannot be
// created or made current gives none without a line.
UniqueGLContext CreateGLContext(HDC dc, DiagnosticOutput& output);

// The window "vexmira" of the system class "STATIC": never shown, 100 x 100 at
// (0, 0), no parent. It exists only to carry a pixel format and a context.
class Win32HiddenWindow final : public HiddenWindow {
  public:
    // Null when the window or its device context cannot be had.
    static std::unique_ptr<Win32HiddenWindow> Create(HINSTANCE instance);

    std::unique_ptr<GLDriver> CreateGLContext(DiagnosticOutput& output) override;

    HWND Window() const { return window_.get(); }
    HDC DC() const { return dc_.get(); }

  private:
    explicit Win32HiddenWindow(UniqueWindow window)
        : window_(std::move(window)), dc_(window_.get()) {}

    UniqueWindow window_;  // destroyed after its device context is released
    WindowDc dc_;
};

// A current context: glGetString, wglGetProcAddress and the shader-object
// functions. Destroying it makes no context current and deletes the context.
class WglDriver final : public GLDriver {
  public:
    explicit WglDriver(UniqueGLContext context) : context_(std::move(context)) {}

    const char* GetString(GLString name) override;
    GLProc GetProcAddress(const char* name) override;
    std::unique_ptr<ShaderObjectApi> BindShaderObjects(
        const GLEntryPointTable& entryPoints) override;

  private:
    UniqueGLContext context_;
};
