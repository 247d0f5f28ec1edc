#include "vexmira/wgl_context.h"

#include "common/win/library_loading.h"
#include "vexmira/arb_shader_objects.h"

#include <GL/glext.h>

namespace {

constexpr wchar_t kWindowClass[] = L"STATIC";
constexpr wchar_t kWindowTitle[] = L"vexmira";
constexpr int kWindowSize = 100;

constexpr BYTE kColorBits = 32;
constexpr BYTE kDepthBits = 16;

GLenum StringName(GLString name) {
    switch (name) {
        case GLString::Vendor:
            return GL_VENDOR;
        case GLString::Renderer:
            return GL_RENDERER;
        case GLString::Version:
            return GL_VERSION;
        case GLString::ShadingLanguageVersion:
            return GL_SHADING_LANGUAGE_VERSION;
        case GLString::Extensions:
            return GL_EXTENSIONS;
    }
    return 0;
}

}  // namespace

const OpenGL32* SystemOpenGL() {
    static const OpenGL32 gl{LoadSystemLibrary(L"opengl32.dll")};
    const bool complete = gl.createContext != nullptr && gl.deleteContext != nullptr &&
                          gl.currentContext != nullptr && gl.makeCurrent != nullptr &&
                          gl.getProcAddress != nullptr && gl.getString != nullptr;
    return complete ? &gl : nullptr;
}

PIXELFORMATDESCRIPTOR PixelFormatRequest() {
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof(request);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = kColorBits;
    request.cDepthBits = kDepthBits;
    request.cStencilBits = 0;
    request.iLayerType = PFD_MAIN_PLANE;
    return request;
}

UniqueGLContext CreateGLContext(HDC dc, DiagnosticOutput& output) {
    const OpenGL32* gl = SystemOpenGL();
    if (gl == nullptr) {
        return {};
    }
    const PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
    const int format = ChoosePixelFormat(dc, &request);
    if (format == 0) {
        output.Print(u"error : ChoosePixelFormat fails !\n");
        return {};
    }
    if (!SetPixelFormat(dc, format, &request)) {
        output.Print(u"error : SetPixelFormat fails !\n");
        return {};
    }
    UniqueGLContext context(gl->createContext(dc));
    if (!context || !gl->makeCurrent(dc, context.get())) {
        return {};
    }
    return context;
}

std::unique_ptr<Win32HiddenWindow> Win32HiddenWindow::Create(HINSTANCE instance) {
    UniqueWindow window(CreateWindowExW(0, kWindowClass, kWindowTitle, 0, 0, 0, kWindowSize,
                                        kWindowSize, nullptr, nullptr, instance, nullptr));
    if (!window) {
        return nullptr;  // GetDC would give the screen's DC instead
    }
    std::unique_ptr<Win32HiddenWindow> hidden(new Win32HiddenWindow(std::move(window)));
    if (!hidden->dc_) {
        return nullptr;
    }
    return hidden;
}

std::unique_ptr<GLDriver> Win32HiddenWindow::CreateGLContext(DiagnosticOutput& output) {
    UniqueGLContext context = ::CreateGLContext(dc_.get(), output);
    if (!context) {
        return nullptr;
    }
    return std::make_unique<WglDriver>(std::move(context));
}

const char* WglDriver::GetString(GLString name) {
    return reinterpret_cast<const char*>(SystemOpenGL()->getString(StringName(name)));
}

GLProc WglDriver::GetProcAddress(const char* name) {
    const PROC proc = SystemOpenGL()->getProcAddress(name);
    if (!IsUsableProcAddress(reinterpret_cast<uintptr_t>(proc))) {
        return nullptr;
    }
    return reinterpret_cast<GLProc>(proc);
}

std::unique_ptr<ShaderObjectApi> WglDriver::BindShaderObjects(
    const GLEntryPointTable& entryPoints) {
    return std::make_unique<ArbShaderObjects>(entryPoints);
}
