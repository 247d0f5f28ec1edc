#include "vexmira/arb_shader_objects.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

GLHandle ArbShaderObjects::CreateShaderObject(uint32_t shaderType) {
    return Entry<PFNGLCREATESHADEROBJECTARBPROC>(GLEntryPoint::CreateShaderObjectARB)(shaderType);
}

void ArbShaderObjects::ShaderSource(GLHandle shader, const char* source) {
    Entry<PFNGLSHADERSOURCEARBPROC>(GLEntryPoint::ShaderSourceARB)(shader, 1, &source, nullptr);
}

void ArbShaderObjects::CompileShader(GLHandle shader) {
    Entry<PFNGLCOMPILESHADERARBPROC>(GLEntryPoint::CompileShaderARB)(shader);
}

GLHandle ArbShaderObjects::CreateProgramObject() {
    return Entry<PFNGLCREATEPROGRAMOBJECTARBPROC>(GLEntryPoint::CreateProgramObjectARB)();
}

void ArbShaderObjects::AttachObject(GLHandle program, GLHandle shader) {
    Entry<PFNGLATTACHOBJECTARBPROC>(GLEntryPoint::AttachObjectARB)(program, shader);
}

void ArbShaderObjects::DetachObject(GLHandle program, GLHandle shader) {
    Entry<PFNGLDETACHOBJECTARBPROC>(GLEntryPoint::DetachObjectARB)(program, shader);
}

void ArbShaderObjects::LinkProgram(GLHandle program) {
    Entry<PFNGLLINKPROGRAMARBPROC>(GLEntryPoint::LinkProgramARB)(program);
}

void ArbShaderObjects::ValidateProgram(GLHandle program) {
    Entry<PFNGLVALIDATEPROGRAMARBPROC>(GLEntryPoint::ValidateProgramARB)(program);
}

void ArbShaderObjects::UseProgramObject(GLHandle program) {
    Entry<PFNGLUSEPROGRAMOBJECTARBPROC>(GLEntryPoint::UseProgramObjectARB)(program);
}

void ArbShaderObjects::DeleteObject(GLHandle object) {
    Entry<PFNGLDELETEOBJECTARBPROC>(GLEntryPoint::DeleteObjectARB)(object);
}

int32_t ArbShaderObjects::GetObjectParameter(GLHandle object, uint32_t name) {
    GLint value = 0;  // a driver that rejects the query leaves it unset
    Entry<PFNGLGETOBJECTPARAMETERIVARBPROC>(GLEntryPoint::GetObjectParameterivARB)(object, name,
                                                                                   &value);
    return value;
}

std::string ArbShaderObjects::GetInfoLog(GLHandle object) {
    char buffer[kInfoLogBufferSize] = {};
    GLsizei length = 0;
    Entry<PFNGLGETINFOLOGARBPROC>(GLEntryPoint::GetInfoLogARB)(
        object, static_cast<GLsizei>(kInfoLogBufferSize), &length, buffer);
    // The length the driver reports is trusted only within the buffer.
    length = std::clamp<GLsizei>(length, 0, static_cast<GLsizei>(kInfoLogBufferSize - 1));
    return std::string(buffer, static_cast<size_t>(length));
}
