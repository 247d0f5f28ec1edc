#include "vexmira/shader_test.h"

#include "common/format.h"

#include <initializer_list>

namespace {

// Every shader-object function the test calls. Checked before the first call,
// so a driver that lacks one fails the test instead of crashing it.
constexpr std::initializer_list<GLEntryPoint> kCalledEntryPoints = {
    GLEntryPoint::CreateShaderObjectARB,  GLEntryPoint::ShaderSourceARB,
    GLEntryPoint::CompileShaderARB,       GLEntryPoint::GetObjectParameterivARB,
    GLEntryPoint::GetInfoLogARB,          GLEntryPoint::DeleteObjectARB,
    GLEntryPoint::CreateProgramObjectARB, GLEntryPoint::AttachObjectARB,
    GLEntryPoint::LinkProgramARB,         GLEntryPoint::ValidateProgramARB,
    GLEntryPoint::DetachObjectARB,        GLEntryPoint::UseProgramObjectARB,
};

struct ShaderPairFiles {
    std::u16string_view vertex;
    std::u16string_view fragment;
};

constexpr ShaderPairFiles kShaderPairs[] = {
    {u"Lines.vert", u"Lines.frag"},
    {u"HiddenEdges.vert", u"HiddenEdges.frag"},
};

std::u16string Join(std::u16string_view prefix, std::u16string_view name) {
    std::u16string path(prefix);
    path += name;
    return path;
}

}  // namespace

ShaderTest::ShaderTest(const GLEntryPointTable& entryPoints, ShaderObjectApi& gl, FileReader& files,
                       DiagnosticOutput& output)
    : entryPoints_(entryPoints), gl_(gl), files_(files), output_(output) {}

bool ShaderTest::TestShaders(std::u16string_view prefix) {
    if (!HasEntryPoints()) {
        return false;
    }
    for (const ShaderPairFiles& pair : kShaderPairs) {
        const bool passed =
            CompileShaderPair(Join(prefix, pair.vertex), Join(prefix, pair.fragment));
        ReleaseShaderProgram();
        if (!passed) {
            return false;
        }
    }
    return true;
}

bool ShaderTest::CompileShaderPair(std::u16string_view vertexPath,
                                   std::u16string_view fragmentPath) {
    output_.Print(FormatString(u"Compile shaders: %s %s\n", {vertexPath, fragmentPath}));

    if (!vertexPath.empty() && !CompileShaderFile(vertexPath, vertex_)) {
        return false;  // the fragment shader is not tried
    }
    if (!fragmentPath.empty() && !CompileShaderFile(fragmentPath, fragment_)) {
        DeleteShader(vertex_);
        return false;
    }
    if (vertex_.handle == 0 && fragment_.handle == 0) {
        return false;
    }

    // Held at once, so that a failure below releases the program and both
    // shaders instead of leaving them to the context's end.
    program_ = gl_.CreateProgramObject();
    for (const ShaderSlot* slot : {&vertex_, &fragment_}) {
        if (slot->handle != 0) {
            gl_.AttachObject(program_, slot->handle);
        }
    }
    gl_.LinkProgram(program_);
    if (gl_.GetObjectParameter(program_, kGLObjectLinkStatusARB) == 0) {
        ReportInfoLog("linker error:\n%s\n", program_);
        ReleaseShaderProgram();
        return false;
    }
    gl_.ValidateProgram(program_);
    if (gl_.GetObjectParameter(program_, kGLObjectValidateStatusARB) == 0) {
        ReportInfoLog("program validation error:\n%s\n", program_);
        ReleaseShaderProgram();
        return false;
    }
    return program_ != 0;
}

bool ShaderTest::CompileShaderFile(std::u16string_view path, ShaderSlot& slot) {
    if (slot.handle != 0 || path.empty()) {
        return false;
    }
    const std::optional<std::string> source = ReadShaderFile(path);
    if (!source) {
        output_.Print(FormatString(u"loading error of file: %s!\n", {path}));
        return false;
    }
    const GLHandle shader = gl_.CreateShaderObject(slot.type);
    gl_.ShaderSource(shader, source->c_str());
    gl_.CompileShader(shader);
    if (gl_.GetObjectParameter(shader, kGLObjectCompileStatusARB) == 0) {
        ReportInfoLog("compiler error:\n%s\n", shader);
        gl_.DeleteObject(shader);
        return false;
    }
    slot.handle = shader;
    return true;
}

std::optional<std::string> ShaderTest::ReadShaderFile(std::u16string_view path) {
    std::optional<std::string> file = files_.ReadWholeFile(std::u16string(path));
    if (!file) {
        output_.Print(FormatString(u"error: file %s was not found !!!\n", {path}));
        return std::nullopt;
    }
    if (file->empty()) {
        return std::nullopt;
    }
    return file;
}

void ShaderTest::ReleaseShaderProgram() {
    if (program_ == 0) {
        return;
    }
    for (ShaderSlot* slot : {&fragment_, &vertex_}) {
        if (slot->handle != 0) {
            gl_.DetachObject(program_, slot->handle);
        }
        DeleteShader(*slot);
    }
    gl_.UseProgramObject(0);
    gl_.DeleteObject(program_);
    program_ = 0;
}

bool ShaderTest::HasEntryPoints() const {
    for (const GLEntryPoint entryPoint : kCalledEntryPoints) {
        if (!entryPoints_.Has(entryPoint)) {
            return false;
        }
    }
    return true;
}

void ShaderTest::DeleteShader(ShaderSlot& slot) {
    if (slot.handle != 0) {
        gl_.DeleteObject(slot.handle);
        slot.handle = 0;
    }
}

void ShaderTest::ReportInfoLog(std::string_view format, GLHandle object) {
    PrintOpenGLText(output_, format, gl_.GetInfoLog(object));
}
