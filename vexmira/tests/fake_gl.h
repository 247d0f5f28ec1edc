// Stand-ins for the diagnostic's output, OpenGL driver and files, shared by the
// native tests of the capability test, the shader test and the flow.
#pragma once

#include "vexmira/diagnostic_output.h"
#include "vexmira/file_reader.h"
#include "vexmira/gl_driver.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Collects the output as the log file would hold it before the text stream
// adds its carriage returns. UTF-16 below 256 becomes that byte (the ANSI code
// page is the Windows layer's business), anything else "?".
class MemoryOutput final : public DiagnosticOutput {
  public:
    void Print(std::u16string_view text) override;
    void PrintBytes(std::string_view bytes) override { text += bytes; }

    std::string text;
};

// Compiles, links and validates by markers in the sources: a shader whose
// source contains "COMPILE_ERROR" does not compile, a program with a shader
// containing "LINK_ERROR" does not link, one with "VALIDATE_ERROR" does not
// validate. Counts the objects that exist, so the tests see every leak.
class FakeShaderObjects final : public ShaderObjectApi {
  public:
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

    size_t LiveObjects() const { return objects_.size(); }

    // Every call, e.g. "CreateShaderObject 8b31 -> 1", "Link 3".
    std::vector<std::string> calls;
    // The driver function behind each call, as the Windows layer calls it.
    std::set<GLEntryPoint> entryPoints;

  private:
    struct Object {
        uint32_t type = 0;  // 0 for a program
        std::string source;
        std::vector<GLHandle> attached;
        int32_t compileStatus = 0;
        int32_t linkStatus = 0;
        int32_t validateStatus = 0;
        std::string infoLog;
    };
    bool AnyAttachedContains(const Object& program, std::string_view marker) const;

    std::map<GLHandle, Object> objects_;
    GLHandle next_ = 1;
};

// A driver with a set of strings and functions. Without a list of functions it
// has every function asked for.
class FakeGLDriver final : public GLDriver {
  public:
    const char* GetString(GLString name) override;
    GLProc GetProcAddress(const char* name) override;
    std::unique_ptr<ShaderObjectApi> BindShaderObjects(const GLEntryPointTable&) override;

    std::map<GLString, std::optional<std::string>> strings;
    std::optional<std::set<std::string>> functions;  // none: all of them
    std::vector<std::string> requested;              // every name asked for, in order
    FakeShaderObjects shaderObjects;
};

// Files in memory by path; any other path cannot be opened.
class MemoryFiles final : public FileReader {
  public:
    std::optional<std::string> ReadWholeFile(const std::u16string& path) override;

    std::map<std::u16string, std::string> files;
    std::vector<std::u16string> opened;  // every path asked for, in order
};

// The four shader files as the tests' driver accepts them, under prefix.
void AddGoodShaders(MemoryFiles& files, const std::u16string& prefix = u"");
