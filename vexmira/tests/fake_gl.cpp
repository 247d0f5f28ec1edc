#include "vexmira/tests/fake_gl.h"

#include <algorithm>
#include <cstdio>

void MemoryOutput::Print(std::u16string_view text16) {
    for (const char16_t c : text16) {
        text += c < 0x100 ? static_cast<char>(c) : '?';
    }
}

namespace {

void FakeFunction() {}

std::string Hex(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", value);
    return buffer;
}

}  // namespace

GLHandle FakeShaderObjects::CreateShaderObject(uint32_t shaderType) {
    entryPoints.insert(GLEntryPoint::CreateShaderObjectARB);
    const GLHandle handle = next_++;
    objects_[handle].type = shaderType;
    calls.push_back("CreateShaderObject " + Hex(shaderType) + " -> " + std::to_string(handle));
    return handle;
}

void FakeShaderObjects::ShaderSource(GLHandle shader, const char* source) {
    entryPoints.insert(GLEntryPoint::ShaderSourceARB);
    calls.push_back("ShaderSource " + std::to_string(shader));
    objects_.at(shader).source = source;
}

void FakeShaderObjects::CompileShader(GLHandle shader) {
    entryPoints.insert(GLEntryPoint::CompileShaderARB);
    calls.push_back("Compile " + std::to_string(shader));
    Object& object = objects_.at(shader);
    const bool broken = object.source.find("COMPILE_ERROR") != std::string::npos;
    object.compileStatus = broken ? 0 : 1;
    object.infoLog = broken ? "0:1(1): error: syntax error, unexpected IDENTIFIER" : "";
}

GLHandle FakeShaderObjects::CreateProgramObject() {
    entryPoints.insert(GLEntryPoint::CreateProgramObjectARB);
    const GLHandle handle = next_++;
    objects_[handle];
    calls.push_back("CreateProgramObject -> " + std::to_string(handle));
    return handle;
}

void FakeShaderObjects::AttachObject(GLHandle program, GLHandle shader) {
    entryPoints.insert(GLEntryPoint::AttachObjectARB);
    calls.push_back("Attach " + std::to_string(program) + " " + std::to_string(shader));
    objects_.at(program).attached.push_back(shader);
}

void FakeShaderObjects::DetachObject(GLHandle program, GLHandle shader) {
    entryPoints.insert(GLEntryPoint::DetachObjectARB);
    calls.push_back("Detach " + std::to_string(program) + " " + std::to_string(shader));
    auto& attached = objects_.at(program).attached;
    attached.erase(std::remove(attached.begin(), attached.end(), shader), attached.end());
}

bool FakeShaderObjects::AnyAttachedContains(const Object& program, std::string_view marker) const {
    return std::any_of(program.attached.begin(), program.attached.end(), [&](GLHandle shader) {
        return objects_.at(shader).source.find(marker) != std::string::npos;
    });
}

void FakeShaderObjects::LinkProgram(GLHandle program) {
    entryPoints.insert(GLEntryPoint::LinkProgramARB);
    calls.push_back("Link " + std::to_string(program));
    Object& object = objects_.at(program);
    const bool broken = AnyAttachedContains(object, "LINK_ERROR");
    object.linkStatus = broken ? 0 : 1;
    object.infoLog = broken ? "error: fragment shader varying depth not written" : "";
}

void FakeShaderObjects::ValidateProgram(GLHandle program) {
    entryPoints.insert(GLEntryPoint::ValidateProgramARB);
    calls.push_back("Validate " + std::to_string(program));
    Object& object = objects_.at(program);
    const bool broken = AnyAttachedContains(object, "VALIDATE_ERROR");
    object.validateStatus = broken ? 0 : 1;
    object.infoLog = broken ? "samplers of different types use unit 0" : "";
}

void FakeShaderObjects::UseProgramObject(GLHandle program) {
    entryPoints.insert(GLEntryPoint::UseProgramObjectARB);
    calls.push_back("Use " + std::to_string(program));
}

void FakeShaderObjects::DeleteObject(GLHandle object) {
    entryPoints.insert(GLEntryPoint::DeleteObjectARB);
    calls.push_back("Delete " + std::to_string(object));
    objects_.erase(object);
}

int32_t FakeShaderObjects::GetObjectParameter(GLHandle object, uint32_t name) {
    entryPoints.insert(GLEntryPoint::GetObjectParameterivARB);
    const Object& o = objects_.at(object);
    switch (name) {
        case kGLObjectCompileStatusARB:
            return o.compileStatus;
        case kGLObjectLinkStatusARB:
            return o.linkStatus;
        case kGLObjectValidateStatusARB:
            return o.validateStatus;
        default:
            return 0;
    }
}

std::string FakeShaderObjects::GetInfoLog(GLHandle object) {
    entryPoints.insert(GLEntryPoint::GetInfoLogARB);
    return objects_.at(object).infoLog;
}

const char* FakeGLDriver::GetString(GLString name) {
    const auto found = strings.find(name);
    if (found == strings.end() || !found->second) {
        return nullptr;
    }
    return found->second->c_str();
}

GLProc FakeGLDriver::GetProcAddress(const char* name) {
    requested.emplace_back(name);
    if (functions && functions->count(name) == 0) {
        return nullptr;
    }
    return &FakeFunction;
}

namespace {

// Hands the driver's one shader-object fake to the code under test.
class ForwardingShaderObjects final : public ShaderObjectApi {
  public:
    explicit ForwardingShaderObjects(ShaderObjectApi& target) : target_(target) {}
    GLHandle CreateShaderObject(uint32_t type) override { return target_.CreateShaderObject(type); }
    void ShaderSource(GLHandle s, const char* source) override { target_.ShaderSource(s, source); }
    void CompileShader(GLHandle s) override { target_.CompileShader(s); }
    GLHandle CreateProgramObject() override { return target_.CreateProgramObject(); }
    void AttachObject(GLHandle p, GLHandle s) override { target_.AttachObject(p, s); }
    void DetachObject(GLHandle p, GLHandle s) override { target_.DetachObject(p, s); }
    void LinkProgram(GLHandle p) override { target_.LinkProgram(p); }
    void ValidateProgram(GLHandle p) override { target_.ValidateProgram(p); }
    void UseProgramObject(GLHandle p) override { target_.UseProgramObject(p); }
    void DeleteObject(GLHandle o) override { target_.DeleteObject(o); }
    int32_t GetObjectParameter(GLHandle o, uint32_t n) override {
        return target_.GetObjectParameter(o, n);
    }
    std::string GetInfoLog(GLHandle o) override { return target_.GetInfoLog(o); }

  private:
    ShaderObjectApi& target_;
};

}  // namespace

std::unique_ptr<ShaderObjectApi> FakeGLDriver::BindShaderObjects(const GLEntryPointTable&) {
    return std::make_unique<ForwardingShaderObjects>(shaderObjects);
}

std::optional<std::string> MemoryFiles::ReadWholeFile(const std::u16string& path) {
    opened.push_back(path);
    const auto found = files.find(path);
    if (found == files.end()) {
        return std::nullopt;
    }
    return found->second;
}

void AddGoodShaders(MemoryFiles& files, const std::u16string& prefix) {
    files.files[prefix + u"Lines.vert"] = "void main() { gl_Position = ftransform(); }\n";
    files.files[prefix + u"Lines.frag"] = "void main() { gl_FragColor = gl_Color; }\n";
    files.files[prefix + u"HiddenEdges.vert"] = "void main() { gl_Position = ftransform(); }\n";
    files.files[prefix + u"HiddenEdges.frag"] = "void main() { gl_FragColor = vec4(0.5); }\n";
}
