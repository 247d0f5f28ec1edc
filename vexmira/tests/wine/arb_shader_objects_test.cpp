// The calls through the entry-point table, with stand-in driver functions that
// misbehave the way a faulty driver may.
#include "vexmira/arb_shader_objects.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

GLsizei reportedLength = 0;

void APIENTRY LyingInfoLog(GLhandleARB, GLsizei maxLength, GLsizei* length, GLcharARB* log) {
    std::memset(log, 'x', static_cast<size_t>(maxLength));
    *length = reportedLength;
}

void APIENTRY SilentParameter(GLhandleARB, GLenum, GLint*) {}

void APIENTRY CompileStatusOne(GLhandleARB, GLenum, GLint* value) {
    *value = 1;
}

template <typename Function>
GLProc AsProc(Function function) {
    return reinterpret_cast<GLProc>(function);
}

TEST(ArbShaderObjects, InfoLogStaysWithinItsBufferWhateverLengthIsReported) {
    GLEntryPointTable table;
    table.Set(GLEntryPoint::GetInfoLogARB, AsProc(&LyingInfoLog));
    ArbShaderObjects gl(table);
    const struct {
        GLsizei reported;
        size_t kept;
    } cases[] = {{0, 0}, {12, 12}, {999, 999}, {1000, 999}, {100000, 999}, {-5, 0}};
    for (const auto& c : cases) {
        reportedLength = c.reported;
        EXPECT_EQ(gl.GetInfoLog(1), std::string(c.kept, 'x')) << c.reported;
    }
}

TEST(ArbShaderObjects, ParameterLeftUnsetByTheDriverReadsAsZero) {
    GLEntryPointTable table;
    table.Set(GLEntryPoint::GetObjectParameterivARB, AsProc(&SilentParameter));
    EXPECT_EQ(ArbShaderObjects(table).GetObjectParameter(1, kGLObjectCompileStatusARB), 0);
    table.Set(GLEntryPoint::GetObjectParameterivARB, AsProc(&CompileStatusOne));
    EXPECT_EQ(ArbShaderObjects(table).GetObjectParameter(1, kGLObjectCompileStatusARB), 1);
}

}  // namespace
