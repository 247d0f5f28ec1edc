#include "vexmira/gl_capabilities.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using enum GLEntryPoint;

struct RequiredExtension {
    std::string_view name;
    bool nvidiaOnly;
    // Rows 1 to 6 are the first group: without them the product cannot run.
    bool firstGroup;
    std::initializer_list<GLEntryPoint> entryPoints;
};

// The occlusion-query and buffer-object functions are loaded under their core
// names although the ARB extensions are tested: the product calls those.
const RequiredExtension kRequiredExtensions[] = {
    {"GL_ARB_multitexture",
     false,
     true,
     {MultiTexCoord1f, MultiTexCoord2f, MultiTexCoord3f, MultiTexCoord4f}},
    {"GL_ARB_shader_objects",
     false,
     true,
     {DeleteObjectARB,
      GetHandleARB,
      DetachObjectARB,
      CreateShaderObjectARB,
      ShaderSourceARB,
      CompileShaderARB,
      CreateProgramObjectARB,
      AttachObjectARB,
      LinkProgramARB,
      UseProgramObjectARB,
      ValidateProgramARB,
      Uniform1fARB,
      Uniform2fARB,
      Uniform3fARB,
      Uniform4fARB,
      Uniform1iARB,
      Uniform2iARB,
      Uniform3iARB,
      Uniform4iARB,
      Uniform1fvARB,
      Uniform2fvARB,
      Uniform3fvARB,
      Uniform4fvARB,
      Uniform1ivARB,
      Uniform2ivARB,
      Uniform3ivARB,
      Uniform4ivARB,
      UniformMatrix2fvARB,
      UniformMatrix3fvARB,
      UniformMatrix4fvARB,
      GetObjectParameterfvARB,
      GetObjectParameterivARB,
      GetInfoLogARB,
      GetAttachedObjectsARB,
      GetUniformLocationARB,
      IsProgramARB,
      GetProgramivARB}},
    {"GL_NV_vertex_program3", true, true, {}},
    {"GL_ARB_occlusion_query",
     false,
     true,
     {GenQueries, DeleteQueries, IsQuery, BeginQuery, EndQuery, GetQueryiv, GetQueryObjectiv,
      GetQueryObjectuiv}},
    {"GL_ARB_vertex_buffer_object",
     false,
     true,
     {BindBuffer, DeleteBuffers, GenBuffers, IsBuffer, BufferData, BufferSubData}},
    {"GL_EXT_framebuffer_object",
     false,
     true,
     {IsRenderbufferEXT, BindRenderbufferEXT, DeleteRenderbuffersEXT, GenRenderbuffersEXT,
      RenderbufferStorageEXT, GetRenderbufferParameterivEXT, IsFramebufferEXT, BindFramebufferEXT,
      DeleteFramebuffersEXT, GenFramebuffersEXT, CheckFramebufferStatusEXT, FramebufferTexture1DEXT,
      FramebufferTexture2DEXT, FramebufferTexture3DEXT, FramebufferRenderbufferEXT,
      GetFramebufferAttachmentParameterivEXT, GenerateMipmapEXT}},
    {"GL_EXT_framebuffer_multisample", false, false, {RenderbufferStorageMultisampleEXT}},
    {"GL_EXT_framebuffer_blit", false, false, {BlitFramebufferEXT}},
};

void Load(GLDriver& driver, GLEntryPoint entryPoint, GLEntryPointTable& entryPoints) {
    const std::string name(GLEntryPointName(entryPoint));
    entryPoints.Set(entryPoint, driver.GetProcAddress(name.c_str()));
}

// One extension name per line, split at blanks; runs of blanks are one break.
void ListExtensions(std::string_view extensions, DiagnosticOutput& output) {
    output.PrintBytes("\nSupported OpenGL extensions :\n-------------------------\n");
    size_t start = 0;
    while (start < extensions.size()) {
        size_t end = extensions.find(' ', start);
        if (end == std::string_view::npos) {
            end = extensions.size();
        }
        if (end > start) {
            PrintOpenGLText(output, "%s\n", extensions.substr(start, end - start));
        }
        start = end + 1;
    }
}

}  // namespace

CapabilityResult TestGLCapabilities(GLDriver& driver, bool nvidia, GLEntryPointTable& entryPoints,
                                    DiagnosticOutput& output) {
    const char* extensionString = driver.GetString(GLString::Extensions);
    if (extensionString != nullptr) {
        ListExtensions(extensionString, output);
    }
    const std::string_view extensions = extensionString != nullptr ? extensionString : "";

    // A missing extension of the first group fails the test whatever follows:
    // a later row's milder verdict must not hide it.
    bool firstGroupMissing = false;
    bool secondGroupMissing = false;
    bool firstRow = true;
    for (const RequiredExtension& extension : kRequiredExtensions) {
        if (extension.nvidiaOnly && !nvidia) {
            continue;
        }
        // Substring search: a longer name that contains the required one counts.
        if (extensions.find(extension.name) != std::string_view::npos) {
            for (const GLEntryPoint entryPoint : extension.entryPoints) {
                Load(driver, entryPoint, entryPoints);
            }
        } else {
            PrintOpenGLText(output, "OpenGL extension: %s is not supported !\n", extension.name);
            (extension.firstGroup ? firstGroupMissing : secondGroupMissing) = true;
        }
        if (firstRow) {
            // The product blends with separate factors on every driver; the
            // function is core OpenGL, so no extension announces it.
            Load(driver, BlendFuncSeparate, entryPoints);
            if (!entryPoints.Has(BlendFuncSeparate)) {
                firstGroupMissing = true;
            }
            firstRow = false;
        }
    }

    if (firstGroupMissing) {
        return CapabilityResult::Failed;
    }
    return secondGroupMissing ? CapabilityResult::PassedWithoutMultisample
                              : CapabilityResult::Passed;
}
