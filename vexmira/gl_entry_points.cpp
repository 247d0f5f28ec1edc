#include "vexmira/gl_entry_points.h"

namespace {

constexpr std::array<std::string_view, kGLEntryPointCount> kNames = {
#define VEXMIRA_GL_NAME(name) "gl" #name,
    VEXMIRA_GL_ENTRY_POINTS(VEXMIRA_GL_NAME)
#undef VEXMIRA_GL_NAME
};

}  // namespace

std::string_view GLEntryPointName(GLEntryPoint entryPoint) {
    return kNames[static_cast<size_t>(entryPoint)];
}

bool IsUsableProcAddress(uintptr_t address) {
    constexpr uintptr_t kLastSmallErrorValue = 3;
    return address > kLastSmallErrorValue && address != static_cast<uintptr_t>(-1);
}
