// The shader test: the product's two shader pairs are compiled, linked and
// validated through the ARB shader-object interface, "Lines.vert" with
// "Lines.frag", then "HiddenEdges.vert" with "HiddenEdges.frag".
#pragma once

#include "vexmira/diagnostic_output.h"
#include "vexmira/file_reader.h"
#include "vexmira/gl_entry_points.h"
#include "vexmira/shader_objects.h"

#include <optional>
#include <string>
#include <string_view>

// A shader object of a fixed type; handle 0 while the slot is empty.
struct ShaderSlot {
    uint32_t type;
    GLHandle handle = 0;
};

// Holds the two slots and the program of one test run. TestShaders releases
// every object it creates; after a direct call of CompileShaderPair the caller
// releases, or the objects end with the context.
class ShaderTest {
  public:
    ShaderTest(const GLEntryPointTable& entryPoints, ShaderObjectApi& gl, FileReader& files,
               DiagnosticOutput& output);

    ShaderTest(const ShaderTest&) = delete;
    ShaderTest& operator=(const ShaderTest&) = delete;

    // True when both pairs pass. The file names are put after prefix as they
    // stand; an empty prefix is the current directory. Every shader-object
    // function the test calls must be in the table, or it fails at once
    // without a message.
    bool TestShaders(std::u16string_view prefix);

    // "Compile shaders: %s %s\n", then compiles the given files (an empty path
    // is none), links them into a program and validates it. True when a valid
    // program is held afterwards.
    bool CompileShaderPair(std::u16string_view vertexPath, std::u16string_view fragmentPath);
    // True when the slot holds a newly compiled shader of the file afterwards.
    // False without a call when the slot is taken or no path is given.
    bool CompileShaderFile(std::u16string_view path, ShaderSlot& slot);
    // The whole file; none when it cannot be opened or is empty.
    std::optional<std::string> ReadShaderFile(std::u16string_view path);
    // Detaches and deletes the shaders of the slots and deletes the program.
    void ReleaseShaderProgram();

    const ShaderSlot& VertexSlot() const { return vertex_; }
    const ShaderSlot& FragmentSlot() const { return fragment_; }
    GLHandle Program() const { return program_; }

  private:
    bool HasEntryPoints() const;
    void DeleteShader(ShaderSlot& slot);
    void ReportInfoLog(std::string_view format, GLHandle object);

    const GLEntryPointTable& entryPoints_;
    ShaderObjectApi& gl_;
    FileReader& files_;
    DiagnosticOutput& output_;
    ShaderSlot vertex_{kGLVertexShaderARB};
    ShaderSlot fragment_{kGLFragmentShaderARB};
    GLHandle program_ = 0;
};
