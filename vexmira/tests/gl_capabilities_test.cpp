#include "vexmira/gl_capabilities.h"

#include "vexmira/tests/extension_listing.h"
#include "vexmira/tests/fake_gl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kRequired = {
    "GL_ARB_multitexture",
    "GL_ARB_shader_objects",
    "GL_NV_vertex_program3",
    "GL_ARB_occlusion_query",
    "GL_ARB_vertex_buffer_object",
    "GL_EXT_framebuffer_object",
    "GL_EXT_framebuffer_multisample",
    "GL_EXT_framebuffer_blit",
};

// The required extensions among a few others, without those named.
std::string ExtensionsWithout(const std::vector<std::string>& missing = {}) {
    std::string text = "GL_ARB_imaging";
    for (const std::string& name : kRequired) {
        if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
            text += " " + name;
        }
    }
    return text + " WGL_EXT_swap_control";
}

std::string Missing(const std::string& name) {
    return "OpenGL extension: " + name + " is not supported !\n";
}

struct CapabilityRun {
    CapabilityResult result;
    std::string output;
    GLEntryPointTable entryPoints;
    std::vector<std::string> requested;
};

CapabilityRun TestWith(std::optional<std::string> extensions, bool nvidia,
                       std::optional<std::set<std::string>> functions = std::nullopt) {
    FakeGLDriver driver;
    driver.strings[GLString::Extensions] = std::move(extensions);
    driver.functions = std::move(functions);
    MemoryOutput output;
    CapabilityRun run;
    run.result = TestGLCapabilities(driver, nvidia, run.entryPoints, output);
    run.output = output.text;
    run.requested = driver.requested;
    return run;
}

TEST(TestGLCapabilities, ResultAndLinesPerMissingExtension) {
    const struct {
        const char* description;
        std::vector<std::string> missing;
        bool nvidia;
        CapabilityResult result;
    } cases[] = {
        {"everything there", {}, false, CapabilityResult::Passed},
        {"everything there, NVIDIA", {}, true, CapabilityResult::Passed},
        {"no shader objects", {"GL_ARB_shader_objects"}, false, CapabilityResult::Failed},
        {"no multitexture", {"GL_ARB_multitexture"}, false, CapabilityResult::Failed},
        {"no occlusion query", {"GL_ARB_occlusion_query"}, false, CapabilityResult::Failed},
        {"no buffer objects", {"GL_ARB_vertex_buffer_object"}, false, CapabilityResult::Failed},
        {"no framebuffer objects", {"GL_EXT_framebuffer_object"}, false, CapabilityResult::Failed},
        {"NV_vertex_program3 is not asked of others",
         {"GL_NV_vertex_program3"},
         false,
         CapabilityResult::Passed},
        {"NV_vertex_program3 is asked of NVIDIA",
         {"GL_NV_vertex_program3"},
         true,
         CapabilityResult::Failed},
        {"no multisample",
         {"GL_EXT_framebuffer_multisample"},
         false,
         CapabilityResult::PassedWithoutMultisample},
        {"no blit", {"GL_EXT_framebuffer_blit"}, false, CapabilityResult::PassedWithoutMultisample},
        {"neither multisample nor blit",
         {"GL_EXT_framebuffer_multisample", "GL_EXT_framebuffer_blit"},
         false,
         CapabilityResult::PassedWithoutMultisample},
        // A missing first-group extension is never hidden by a later row's 2.
        {"no shader objects and no blit",
         {"GL_ARB_shader_objects", "GL_EXT_framebuffer_blit"},
         false,
         CapabilityResult::Failed},
        {"no multitexture and no multisample",
         {"GL_ARB_multitexture", "GL_EXT_framebuffer_multisample"},
         false,
         CapabilityResult::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const std::string extensions = ExtensionsWithout(c.missing);
        const CapabilityRun run = TestWith(extensions, c.nvidia);
        EXPECT_EQ(run.result, c.result);
        // One line per missing extension, in table order, after the listing.
        std::string expected = ExtensionListing(extensions);
        for (const std::string& name : kRequired) {
            const bool asked = name != "GL_NV_vertex_program3" || c.nvidia;
            if (asked && std::find(c.missing.begin(), c.missing.end(), name) != c.missing.end()) {
                expected += Missing(name);
            }
        }
        EXPECT_EQ(run.output, expected);
    }
}

TEST(TestGLCapabilities, LoadsEveryEntryPointInTableOrder) {
    const CapabilityRun run = TestWith(ExtensionsWithout(), true);
    std::vector<std::string> all;
    for (size_t i = 0; i < kGLEntryPointCount; ++i) {
        const auto entryPoint = static_cast<GLEntryPoint>(i);
        all.emplace_back(GLEntryPointName(entryPoint));
        EXPECT_TRUE(run.entryPoints.Has(entryPoint)) << all.back();
    }
    EXPECT_EQ(run.requested, all);
    EXPECT_EQ(run.requested[4], "glBlendFuncSeparate");
}

TEST(TestGLCapabilities, MissingExtensionLeavesItsSlotsEmpty) {
    const CapabilityRun run = TestWith(ExtensionsWithout({"GL_ARB_shader_objects"}), false);
    EXPECT_FALSE(run.entryPoints.Has(GLEntryPoint::CreateShaderObjectARB));
    EXPECT_FALSE(run.entryPoints.Has(GLEntryPoint::GetProgramivARB));
    EXPECT_TRUE(run.entryPoints.Has(GLEntryPoint::MultiTexCoord4f));
    EXPECT_TRUE(run.entryPoints.Has(GLEntryPoint::GenQueries));
    for (const std::string& name : run.requested) {
        EXPECT_EQ(name.find("ARB"), std::string::npos) << name;
    }
}

TEST(TestGLCapabilities, MissingBlendFuncSeparateFailsWithoutALine) {
    std::set<std::string> functions;
    for (size_t i = 0; i < kGLEntryPointCount; ++i) {
        functions.emplace(GLEntryPointName(static_cast<GLEntryPoint>(i)));
    }
    functions.erase("glBlendFuncSeparate");
    const std::string extensions = ExtensionsWithout();
    const CapabilityRun run = TestWith(extensions, false, functions);
    EXPECT_EQ(run.result, CapabilityResult::Failed);
    EXPECT_EQ(run.output, ExtensionListing(extensions));

    // Still a failure when a later row would give 2.
    const CapabilityRun withoutBlit =
        TestWith(ExtensionsWithout({"GL_EXT_framebuffer_blit"}), false, functions);
    EXPECT_EQ(withoutBlit.result, CapabilityResult::Failed);
}

TEST(TestGLCapabilities, BlendFuncSeparateIsLoadedEvenWithoutMultitexture) {
    const CapabilityRun run = TestWith(ExtensionsWithout({"GL_ARB_multitexture"}), false);
    EXPECT_TRUE(run.entryPoints.Has(GLEntryPoint::BlendFuncSeparate));
    EXPECT_FALSE(run.entryPoints.Has(GLEntryPoint::MultiTexCoord1f));
    EXPECT_EQ(run.requested.front(), "glBlendFuncSeparate");
}

TEST(TestGLCapabilities, NamesAreFoundAsSubstrings) {
    // Longer names that contain the required ones, and no separators at all.
    std::string joined;
    for (const std::string& name : kRequired) {
        joined += name + "_extended";
    }
    const CapabilityRun run = TestWith(joined, true);
    EXPECT_EQ(run.result, CapabilityResult::Passed);
    EXPECT_EQ(run.output, ExtensionListing(joined));
}

TEST(TestGLCapabilities, ListingSkipsRunsOfBlanks) {
    const std::string extensions = "  " + ExtensionsWithout() + "   GL_KHR_debug  ";
    const CapabilityRun run = TestWith(extensions, false);
    std::string expected = "\nSupported OpenGL extensions :\n-------------------------\n";
    expected += "GL_ARB_imaging\n";
    for (const std::string& name : kRequired) {
        expected += name + "\n";
    }
    expected += "WGL_EXT_swap_control\nGL_KHR_debug\n";
    EXPECT_EQ(run.output, expected);
}

TEST(TestGLCapabilities, NoExtensionStringCountsAsNoExtensions) {
    const struct {
        std::optional<std::string> extensions;
        std::string header;
    } cases[] = {
        {std::nullopt, ""},  // no string at all: nothing to list
        {"", "\nSupported OpenGL extensions :\n-------------------------\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extensions.has_value());
        const CapabilityRun run = TestWith(c.extensions, false);
        EXPECT_EQ(run.result, CapabilityResult::Failed);
        std::string expected = c.header;
        for (const std::string& name : kRequired) {
            if (name != "GL_NV_vertex_program3") {
                expected += Missing(name);
            }
        }
        EXPECT_EQ(run.output, expected);
        EXPECT_EQ(run.requested, std::vector<std::string>{"glBlendFuncSeparate"});
    }
}

TEST(IsUsableProcAddress, DriverErrorValuesAreNotFunctions) {
    for (const uintptr_t address :
         {uintptr_t{0}, uintptr_t{1}, uintptr_t{2}, uintptr_t{3}, static_cast<uintptr_t>(-1)}) {
        EXPECT_FALSE(IsUsableProcAddress(address)) << address;
    }
    EXPECT_TRUE(IsUsableProcAddress(reinterpret_cast<uintptr_t>(&IsUsableProcAddress)));
    EXPECT_TRUE(IsUsableProcAddress(4));
}

}  // namespace
