#include "vexmira/shader_test.h"

#include "vexmira/tests/fake_gl.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

GLEntryPointTable FullTable() {
    GLEntryPointTable table;
    for (size_t i = 0; i < kGLEntryPointCount; ++i) {
        table.Set(static_cast<GLEntryPoint>(i), [] {});
    }
    return table;
}

struct Fixture {
    GLEntryPointTable entryPoints = FullTable();
    FakeShaderObjects gl;
    MemoryFiles files;
    MemoryOutput output;
    ShaderTest test{entryPoints, gl, files, output};

    Fixture() { AddGoodShaders(files); }
};

const std::string kCompileLines = "Compile shaders: Lines.vert Lines.frag\n";
const std::string kCompileHiddenEdges = "Compile shaders: HiddenEdges.vert HiddenEdges.frag\n";

TEST(TestShaders, BothPairsPassAndLeaveNoObjects) {
    Fixture f;
    EXPECT_TRUE(f.test.TestShaders(u""));
    EXPECT_EQ(f.output.text, kCompileLines + kCompileHiddenEdges);
    EXPECT_EQ(f.gl.LiveObjects(), 0u);
    EXPECT_EQ(f.test.Program(), 0u);
    EXPECT_EQ(f.files.opened,
              (std::vector<std::u16string>{u"Lines.vert", u"Lines.frag", u"HiddenEdges.vert",
                                           u"HiddenEdges.frag"}));
}

TEST(TestShaders, SequenceOfCallsForOnePair) {
    Fixture f;
    EXPECT_TRUE(f.test.CompileShaderPair(u"Lines.vert", u"Lines.frag"));
    EXPECT_EQ(f.test.Program(), 3u);
    f.test.ReleaseShaderProgram();
    EXPECT_EQ(f.gl.calls,
              (std::vector<std::string>{
                  "CreateShaderObject 8b31 -> 1", "ShaderSource 1", "Compile 1",
                  "CreateShaderObject 8b30 -> 2", "ShaderSource 2", "Compile 2",
                  "CreateProgramObject -> 3", "Attach 3 1", "Attach 3 2", "Link 3", "Validate 3",
                  // Release: the fragment shader first, then the vertex shader.
                  "Detach 3 2", "Delete 2", "Detach 3 1", "Delete 1", "Use 0", "Delete 3"}));
    EXPECT_EQ(f.gl.LiveObjects(), 0u);
}

TEST(TestShaders, PrefixIsPutBeforeTheNamesAsItStands) {
    for (const std::u16string prefix : {u"C:\\Tools\\", u"C:\\Tools", u"..\\"}) {
        Fixture f;
        AddGoodShaders(f.files, prefix);
        EXPECT_TRUE(f.test.TestShaders(prefix));
        EXPECT_EQ(f.files.opened.front(), prefix + u"Lines.vert");
        EXPECT_EQ(f.files.opened.back(), prefix + u"HiddenEdges.frag");
    }
}

TEST(TestShaders, EachFailureStopsTheTestWithItsLines) {
    const std::string kLinesVertMissing =
        "error: file Lines.vert was not found !!!\nloading error of file: Lines.vert!\n";
    const struct {
        const char* description;
        std::function<void(MemoryFiles&)> change;
        std::string output;
        std::vector<std::u16string> opened;
    } cases[] = {
        {"Lines.vert missing: Lines.frag is not tried",
         [](MemoryFiles& files) { files.files.erase(u"Lines.vert"); },
         kCompileLines + kLinesVertMissing,
         {u"Lines.vert"}},
        {"Lines.frag missing",
         [](MemoryFiles& files) { files.files.erase(u"Lines.frag"); },
         kCompileLines +
             "error: file Lines.frag was not found !!!\nloading error of file: Lines.frag!\n",
         {u"Lines.vert", u"Lines.frag"}},
        {"Lines.frag empty: no not-found line",
         [](MemoryFiles& files) { files.files[u"Lines.frag"] = ""; },
         kCompileLines + "loading error of file: Lines.frag!\n",
         {u"Lines.vert", u"Lines.frag"}},
        {"vertex shader does not compile: Lines.frag is not tried",
         [](MemoryFiles& files) { files.files[u"Lines.vert"] = "COMPILE_ERROR"; },
         kCompileLines + "compiler error:\n0:1(1): error: syntax error, unexpected IDENTIFIER\n",
         {u"Lines.vert"}},
        {"fragment shader does not compile",
         [](MemoryFiles& files) { files.files[u"Lines.frag"] = "COMPILE_ERROR"; },
         kCompileLines + "compiler error:\n0:1(1): error: syntax error, unexpected IDENTIFIER\n",
         {u"Lines.vert", u"Lines.frag"}},
        {"pair does not link",
         [](MemoryFiles& files) { files.files[u"Lines.frag"] = "LINK_ERROR"; },
         kCompileLines + "linker error:\nerror: fragment shader varying depth not written\n",
         {u"Lines.vert", u"Lines.frag"}},
        {"program does not validate",
         [](MemoryFiles& files) { files.files[u"Lines.vert"] = "VALIDATE_ERROR"; },
         kCompileLines + "program validation error:\nsamplers of different types use unit 0\n",
         {u"Lines.vert", u"Lines.frag"}},
        {"Lines passes, HiddenEdges does not",
         [](MemoryFiles& files) { files.files[u"HiddenEdges.frag"] = "LINK_ERROR"; },
         kCompileLines + kCompileHiddenEdges +
             "linker error:\nerror: fragment shader varying depth not written\n",
         {u"Lines.vert", u"Lines.frag", u"HiddenEdges.vert", u"HiddenEdges.frag"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Fixture f;
        c.change(f.files);
        EXPECT_FALSE(f.test.TestShaders(u""));
        EXPECT_EQ(f.output.text, c.output);
        EXPECT_EQ(f.files.opened, c.opened);
        // A failed pair releases its program and shaders and empties the slots.
        EXPECT_EQ(f.gl.LiveObjects(), 0u);
        EXPECT_EQ(f.test.VertexSlot().handle, 0u);
        EXPECT_EQ(f.test.FragmentSlot().handle, 0u);
        EXPECT_EQ(f.test.Program(), 0u);
    }
}

TEST(TestShaders, EveryFunctionItCallsIsCheckedBeforeTheFirstCall) {
    // The functions a passing run and a failing one (which reads a log) call.
    std::set<GLEntryPoint> called;
    for (const char* source : {"", "LINK_ERROR"}) {
        Fixture f;
        f.files.files[u"HiddenEdges.frag"] += source;
        f.test.TestShaders(u"");
        called.insert(f.gl.entryPoints.begin(), f.gl.entryPoints.end());
    }
    ASSERT_TRUE(called.contains(GLEntryPoint::GetInfoLogARB));

    for (size_t i = 0; i < kGLEntryPointCount; ++i) {
        const auto missing = static_cast<GLEntryPoint>(i);
        SCOPED_TRACE(std::string(GLEntryPointName(missing)));
        Fixture f;
        f.entryPoints.Set(missing, nullptr);
        const bool required = called.contains(missing);
        EXPECT_EQ(f.test.TestShaders(u""), !required);
        if (required) {
            EXPECT_EQ(f.output.text, "");
            EXPECT_TRUE(f.gl.calls.empty());
            EXPECT_TRUE(f.files.opened.empty());
        }
    }
}

TEST(CompileShaderPair, EitherPathMayBeAbsent) {
    Fixture f;
    EXPECT_TRUE(f.test.CompileShaderPair(u"", u"Lines.frag"));
    EXPECT_EQ(f.output.text, "Compile shaders:  Lines.frag\n");
    EXPECT_EQ(f.test.VertexSlot().handle, 0u);
    f.test.ReleaseShaderProgram();

    EXPECT_TRUE(f.test.CompileShaderPair(u"Lines.vert", u""));
    EXPECT_EQ(f.test.FragmentSlot().handle, 0u);
    f.test.ReleaseShaderProgram();
    EXPECT_EQ(f.gl.LiveObjects(), 0u);

    EXPECT_FALSE(f.test.CompileShaderPair(u"", u""));
    EXPECT_EQ(f.test.Program(), 0u);
}

TEST(CompileShaderFile, TakenSlotOrNoPathIsRefusedWithoutReading) {
    Fixture f;
    ShaderSlot slot{kGLVertexShaderARB, 42};
    EXPECT_FALSE(f.test.CompileShaderFile(u"Lines.vert", slot));
    EXPECT_EQ(slot.handle, 42u);
    ShaderSlot empty{kGLVertexShaderARB};
    EXPECT_FALSE(f.test.CompileShaderFile(u"", empty));
    EXPECT_TRUE(f.files.opened.empty());
    EXPECT_TRUE(f.gl.calls.empty());
}

}  // namespace
