// The calls of the ARB shader-object interface that the shader test makes. The
// Windows layer calls the driver through the entry-point table; the tests fake
// a driver.
#pragma once

#include <cstdint>
#include <string>

// GLhandleARB: an unsigned 32-bit name on Windows; 0 is no object.
using GLHandle = uint32_t;

inline constexpr uint32_t kGLFragmentShaderARB = 0x8B30;
inline constexpr uint32_t kGLVertexShaderARB = 0x8B31;
inline constexpr uint32_t kGLObjectCompileStatusARB = 0x8B81;
inline constexpr uint32_t kGLObjectLinkStatusARB = 0x8B82;
inline constexpr uint32_t kGLObjectValidateStatusARB = 0x8B83;

// The info log is read into a buffer of this many bytes, its zero included.
inline constexpr size_t kInfoLogBufferSize = 1000;

class ShaderObjectApi {
  public:
    virtual ~ShaderObjectApi() = default;

    virtual GLHandle CreateShaderObject(uint32_t shaderType) = 0;
    // One zero-terminated source string, no length array.
    virtual void ShaderSource(GLHandle shader, const char* source) = 0;
    virtual void CompileShader(GLHandle shader) = 0;
    virtual GLHandle CreateProgramObject() = 0;
    virtual void AttachObject(GLHandle program, GLHandle shader) = 0;
    virtual void DetachObject(GLHandle program, GLHandle shader) = 0;
    virtual void LinkProgram(GLHandle program) = 0;
    virtual void ValidateProgram(GLHandle program) = 0;
    virtual void UseProgramObject(GLHandle program) = 0;
    virtual void DeleteObject(GLHandle object) = 0;
    // glGetObjectParameterivARB; 0 when the driver leaves the value unset.
    virtual int32_t GetObjectParameter(GLHandle object, uint32_t name) = 0;
    // glGetInfoLogARB: at most kInfoLogBufferSize - 1 bytes of the log.
    virtual std::string GetInfoLog(GLHandle object) = 0;
};
