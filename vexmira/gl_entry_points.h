// The OpenGL entry points the diagnostic loads, one slot per function, filled
// by the capability test and read by the shader test.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Every function the capability test loads, by its name without "gl", in the
// order it loads them. One list gives both the slot names and the strings.
#define VEXMIRA_GL_ENTRY_POINTS(X)            \
    X(MultiTexCoord1f)                        \
    X(MultiTexCoord2f)                        \
    X(MultiTexCoord3f)                        \
    X(MultiTexCoord4f)                        \
    X(BlendFuncSeparate)                      \
    X(DeleteObjectARB)                        \
    X(GetHandleARB)                           \
    X(DetachObjectARB)                        \
    X(CreateShaderObjectARB)                  \
    X(ShaderSourceARB)                        \
    X(CompileShaderARB)                       \
    X(CreateProgramObjectARB)                 \
    X(AttachObjectARB)                        \
    X(LinkProgramARB)                         \
    X(UseProgramObjectARB)                    \
    X(ValidateProgramARB)                     \
    X(Uniform1fARB)                           \
    X(Uniform2fARB)                           \
    X(Uniform3fARB)                           \
    X(Uniform4fARB)                           \
    X(Uniform1iARB)                           \
    X(Uniform2iARB)                           \
    X(Uniform3iARB)                           \
    X(Uniform4iARB)                           \
    X(Uniform1fvARB)                          \
    X(Uniform2fvARB)                          \
    X(Uniform3fvARB)                          \
    X(Uniform4fvARB)                          \
    X(Uniform1ivARB)                          \
    X(Uniform2ivARB)                          \
    X(Uniform3ivARB)                          \
    X(Uniform4ivARB)                          \
    X(UniformMatrix2fvARB)                    \
    X(UniformMatrix3fvARB)                    \
    X(UniformMatrix4fvARB)                    \
    X(GetObjectParameterfvARB)                \
    X(GetObjectParameterivARB)                \
    X(GetInfoLogARB)                          \
    X(GetAttachedObjectsARB)                  \
    X(GetUniformLocationARB)                  \
    X(IsProgramARB)                           \
    X(GetProgramivARB)                        \
    X(GenQueries)                             \
    X(DeleteQueries)                          \
    X(IsQuery)                                \
    X(BeginQuery)                             \
    X(EndQuery)                               \
    X(GetQueryiv)                             \
    X(GetQueryObjectiv)                       \
    X(GetQueryObjectuiv)                      \
    X(BindBuffer)                             \
    X(DeleteBuffers)                          \
    X(GenBuffers)                             \
    X(IsBuffer)                               \
    X(BufferData)                             \
    X(BufferSubData)                          \
    X(IsRenderbufferEXT)                      \
    X(BindRenderbufferEXT)                    \
    X(DeleteRenderbuffersEXT)                 \
    X(GenRenderbuffersEXT)                    \
    X(RenderbufferStorageEXT)                 \
    X(GetRenderbufferParameterivEXT)          \
    X(IsFramebufferEXT)                       \
    X(BindFramebufferEXT)                     \
    X(DeleteFramebuffersEXT)                  \
    X(GenFramebuffersEXT)                     \
    X(CheckFramebufferStatusEXT)              \
    X(FramebufferTexture1DEXT)                \
    X(FramebufferTexture2DEXT)                \
    X(FramebufferTexture3DEXT)                \
    X(FramebufferRenderbufferEXT)             \
    X(GetFramebufferAttachmentParameterivEXT) \
    X(GenerateMipmapEXT)                      \
    X(RenderbufferStorageMultisampleEXT)      \
    X(BlitFramebufferEXT)

enum class GLEntryPoint : size_t {
#define VEXMIRA_GL_ENUM(name) name,
    VEXMIRA_GL_ENTRY_POINTS(VEXMIRA_GL_ENUM)
#undef VEXMIRA_GL_ENUM
};

inline constexpr size_t kGLEntryPointCount = 0
#define VEXMIRA_GL_COUNT(name) +1
    VEXMIRA_GL_ENTRY_POINTS(VEXMIRA_GL_COUNT)
#undef VEXMIRA_GL_COUNT
    ;

// The name the driver knows the function by, e.g. "glCreateShaderObjectARB".
std::string_view GLEntryPointName(GLEntryPoint entryPoint);

// A driver function as wglGetProcAddress gives it; the Windows layer casts it
// to its real type before calling it.
using GLProc = void (*)();

// Some drivers report a missing function as 1, 2, 3 or -1 instead of null.
// Such values must never be called.
bool IsUsableProcAddress(uintptr_t address);

// All slots start null; a slot stays null when its extension or the driver's
// function is missing.
class GLEntryPointTable {
  public:
    GLProc Get(GLEntryPoint entryPoint) const { return slots_[Index(entryPoint)]; }
    bool Has(GLEntryPoint entryPoint) const { return Get(entryPoint) != nullptr; }
    void Set(GLEntryPoint entryPoint, GLProc proc) { slots_[Index(entryPoint)] = proc; }

  private:
    static size_t Index(GLEntryPoint entryPoint) { return static_cast<size_t>(entryPoint); }

    std::array<GLProc, kGLEntryPointCount> slots_{};
};
