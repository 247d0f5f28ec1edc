// The ARB shader-object functions of the driver, called through the slots of
// the entry-point table. The shader test has checked the slots before it calls.
#pragma once

#include "vexmira/gl_entry_points.h"
#include "vexmira/shader_objects.h"

class ArbShaderObjects final : public ShaderObjectApi {
  public:
    explicit ArbShaderObjects(const GLEntryPointTable& entryPoints) : entryPoints_(entryPoints) {}

    GLHandle CreateShaderObject(uint32_t shaderType) override;
    void ShaderSource(GLHandle shader, const char* source) override;
    void CompileShader(GLHandle shader) override;
    GLHandle CreateProgramObject() override;
    void AttachObject(GLHandle program, GLHandle shader) override;
    void DetachObject(GLHandle program, GLHandle shader) override;
    void LinkProgram(GLHandle program) override;
    void ValidateProgram(GLHandle program) override;
    void UseProgramObject(GLHandle program) override;
    void DeleteObject(GLHandle object) override;
    int32_t GetObjectParameter(GLHandle object, uint32_t name) override;
    std::string GetInfoLog(GLHandle object) override;

  private:
    template <typename Function>
    Function Entry(GLEntryPoint entryPoint) const {
        return reinterpret_cast<Function>(entryPoints_.Get(entryPoint));
    }

    const GLEntryPointTable& entryPoints_;
};
