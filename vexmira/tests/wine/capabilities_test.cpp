// The capability test and the shader test on the real driver (Mesa on Xvfb),
// with the shader files that ship and with broken ones.
#include "vexmira/arb_shader_objects.h"
#include "vexmira/gl_capabilities.h"
#include "vexmira/shader_test.h"
#include "vexmira/wgl_context.h"
#include "vexmira/win32_file_reader.h"

#include "vexmira/tests/extension_listing.h"
#include "vexmira/tests/fake_gl.h"
#include "common/tests/wine/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A current context on a hidden window for one test.
struct CurrentContext {
    std::unique_ptr<Win32HiddenWindow> window =
        Win32HiddenWindow::Create(GetModuleHandleW(nullptr));
    MemoryOutput contextOutput;
    std::unique_ptr<GLDriver> driver =
        window ? window->CreateGLContext(contextOutput) : std::unique_ptr<GLDriver>();
};

TEST(TestGLCapabilities, MesaHasEverythingAndListsItsExtensions) {
    CurrentContext gl;
    ASSERT_NE(gl.driver, nullptr);
    GLEntryPointTable entryPoints;
    MemoryOutput output;
    EXPECT_EQ(TestGLCapabilities(*gl.driver, false, entryPoints, output), CapabilityResult::Passed);

    EXPECT_EQ(output.text, ExtensionListing(gl.driver->GetString(GLString::Extensions)));
    // Every function of every row is there on Mesa.
    for (size_t i = 0; i < kGLEntryPointCount; ++i) {
        const auto entryPoint = static_cast<GLEntryPoint>(i);
        EXPECT_TRUE(entryPoints.Has(entryPoint)) << GLEntryPointName(entryPoint);
    }
}

TEST(TestGLCapabilities, NvidiaRowFailsOnMesa) {
    CurrentContext gl;
    ASSERT_NE(gl.driver, nullptr);
    GLEntryPointTable entryPoints;
    MemoryOutput output;
    EXPECT_EQ(TestGLCapabilities(*gl.driver, true, entryPoints, output), CapabilityResult::Failed);
    EXPECT_TRUE(
        output.text.ends_with("\nOpenGL extension: GL_NV_vertex_program3 is not supported !\n"));
}

// The shader test on the real driver with its entry points loaded.
struct ShaderRun {
    CurrentContext gl;
    GLEntryPointTable entryPoints;
    MemoryOutput output;
    Win32FileReader files;

    bool Test(const std::u16string& prefix) {
        MemoryOutput capabilities;
        if (!gl.driver || TestGLCapabilities(*gl.driver, false, entryPoints, capabilities) ==
                              CapabilityResult::Failed) {
            ADD_FAILURE() << "no context with the shader-object functions";
            return false;
        }
        ArbShaderObjects shaderObjects(entryPoints);
        ShaderTest test(entryPoints, shaderObjects, files, output);
        return test.TestShaders(prefix);
    }
};

// The shipped files are copied beside this test program, its working directory.
TEST(TestShaders, ShippedShadersCompileLinkAndValidate) {
    ShaderRun run;
    EXPECT_TRUE(run.Test(u""));
    EXPECT_EQ(run.output.text,
              "Compile shaders: Lines.vert Lines.frag\n"
              "Compile shaders: HiddenEdges.vert HiddenEdges.frag\n");
}

// A folder with the shipped shaders, one of them replaced.
std::u16string FolderWith(const TempFolder& folder, const std::u16string& name,
                          const std::string& source) {
    for (const char16_t* shipped :
         {u"Lines.vert", u"Lines.frag", u"HiddenEdges.vert", u"HiddenEdges.frag"}) {
        WriteBytes(folder.File(shipped), ReadBytes(shipped));
    }
    WriteBytes(folder.File(name), source);
    return folder.Path();
}

// Read from the disk, an empty shader file is found and fails to load; a
// missing one is not found.
TEST(TestShaders, AnEmptyShaderFileIsFoundButNotLoaded) {
    TempFolder folder(u"vexmira_shaders");
    const std::u16string prefix = FolderWith(folder, u"Lines.frag", "");
    ShaderRun run;
    EXPECT_FALSE(run.Test(prefix));
    EXPECT_EQ(run.output.text.find("was not found"), std::string::npos) << run.output.text;
    EXPECT_NE(run.output.text.find("loading error of file"), std::string::npos) << run.output.text;
}

// The driver's info log follows the error line; it names the problem.
void ExpectDriverError(const std::string& text, const std::string& head,
                       const std::string& errorLine, const std::string& logWord) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(text.starts_with(head + errorLine));
    const std::string infoLog = text.substr(head.size() + errorLine.size());
    EXPECT_GT(infoLog.size(), 2u);
    EXPECT_NE(infoLog.find(logWord), std::string::npos);
    EXPECT_TRUE(infoLog.ends_with("\n"));
}

TEST(TestShaders, BrokenShadersGiveTheDriversErrorAndStopTheTest) {
    const struct {
        const char* description;
        std::u16string file;
        std::string source;
        std::string errorLine;
        std::string logWord;
        bool secondPair;
    } cases[] = {
        {"syntax error", u"Lines.vert",
         "#version 110\nvoid main() { gl_Position = ftransform() }\n", "compiler error:\n", "error",
         false},
        {"undeclared name in the fragment shader", u"Lines.frag",
         "#version 110\nvoid main() { gl_FragColor = edgeColour; }\n", "compiler error:\n",
         "edgeColour", false},
        {"varying that no vertex shader writes", u"Lines.frag",
         "#version 110\nvarying vec4 faceNormal;\n"
         "void main() { gl_FragColor = faceNormal; }\n",
         "linker error:\n", "faceNormal", false},
        {"no main function, in the second pair", u"HiddenEdges.vert",
         "#version 120\nvoid transform() { gl_Position = ftransform(); }\n", "linker error:\n",
         "main", true},
        {"two sampler types on one texture unit", u"HiddenEdges.frag",
         "#version 120\nuniform sampler2D depth2D;\nuniform sampler3D depth3D;\n"
         "void main() { gl_FragColor = texture2D(depth2D, gl_FragCoord.xy) +"
         " texture3D(depth3D, gl_FragCoord.xyz); }\n",
         "program validation error:\n", "sampler", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        TempFolder folder(u"vexmira_shaders");
        const std::u16string prefix = FolderWith(folder, c.file, c.source);
        const std::string prefix8(prefix.begin(), prefix.end());
        std::string head = "Compile shaders: " + prefix8 + "Lines.vert " + prefix8 + "Lines.frag\n";
        if (c.secondPair) {
            head += "Compile shaders: " + prefix8 + "HiddenEdges.vert " + prefix8 +
                    "HiddenEdges.frag\n";
        }
        ShaderRun run;
        EXPECT_FALSE(run.Test(prefix));
        ExpectDriverError(run.output.text, head, c.errorLine, c.logWord);
        // The test stops at the first failure: no further pair is compiled.
        EXPECT_EQ(run.output.text.find("Compile shaders:", head.size()), std::string::npos);
    }
}

}  // namespace
