#include "vexmira/diagnostic_flow.h"

#include "vexmira/tests/extension_listing.h"
#include "vexmira/tests/fake_gl.h"

#include "common/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kHeader[] = "OpenGL test application version: 2.2\n\nAdapters test ...\n\n";
constexpr char kAdapterLines[] =
    "1 active video adapters were found.\ncaption: NVIDIA QUADRO FX 580 \n";
constexpr char kIntelAdapterLines[] =
    "1 active video adapters were found.\ncaption: INTEL(R) HD GRAPHICS 4000 \n";
constexpr char kSupported[] = "*** The graphics card is supported ! ***\n";
constexpr char kNotSupported[] = "*** The graphics card is NOT supported ! ***\n";
constexpr char kSkipList[] = "Version is greater than 3.0, skip the card checking \nOK\n\n";
constexpr char kNamedCards[] =
    "Version is 3.0 or greater: the card list decides for the cards it names\n";
constexpr char kShadersPass[] =
    "Compile shaders: Lines.vert Lines.frag\n"
    "Compile shaders: HiddenEdges.vert HiddenEdges.frag\n"
    "Shader is supported !!!\n";

constexpr char kAllExtensions[] =
    "GL_ARB_multitexture GL_ARB_shader_objects GL_ARB_occlusion_query "
    "GL_ARB_vertex_buffer_object GL_EXT_framebuffer_object GL_EXT_framebuffer_multisample "
    "GL_EXT_framebuffer_blit";

std::string OpenGLSection(const std::string& vendor, const std::string& version,
                          const std::string& renderer = "llvmpipe (LLVM 15.0.6, 256 bits)",
                          const std::string& glsl = "4.50") {
    return "OpenGL test ... \n\nVendor : " + vendor + "\nRenderer : " + renderer +
           "\nGLSL version: " + glsl + "\nVersion : " + version + "\n";
}

enum class WindowOutcome { Created, NoWindow };
enum class ContextOutcome { Current, NoPixelFormat, NotCreated };

struct CardListCall {
    std::u16string path;
    int mode;
};

// A machine as the flow sees it, scripted by each test. Its defaults make a
// supported card: one NVIDIA adapter of 512 MB, Mesa's OpenGL 4.5 and a list
// whose first entry gives 3.
class FakeEnvironment final : public DiagnosticEnvironment {
  public:
    FakeEnvironment() {
        driver.strings[GLString::Vendor] = "Mesa/X.org";
        driver.strings[GLString::Renderer] = "llvmpipe (LLVM 15.0.6, 256 bits)";
        driver.strings[GLString::Version] = "4.5 (Compatibility Profile) Mesa 22.3.6";
        driver.strings[GLString::ShadingLanguageVersion] = "4.50";
        driver.strings[GLString::Extensions] = kAllExtensions;
        AddGoodShaders(files);
    }

    LocalTime ReadLocalTime() override { return {2012, 3, 3, 9, 5}; }
    std::u16string ReadComputerName() override { return u"PC7"; }
    bool IsRemoteSession() override { return remoteSession; }
    DiagnosticOutput& Output() override { return output; }
    void OpenLogFile(const std::u16string& fileName) override {
        logFile = fileName;
        outputBeforeLog = output.text;
    }

    int SummarizeVideoAdapters(DiagnosticLog& log) override {
        log.Print(adapterLines);
        return summary;
    }
    int SearchCardList(const std::u16string& listPath, int mode, DiagnosticLog& log) override {
        cardListCalls.push_back({listPath, mode});
        log.Print(FormatString(u"GB-list file %s\n", {listPath}));
        return mode == 0 ? namedSearch : fullSearch;
    }

    std::unique_ptr<HiddenWindow> CreateHiddenWindow() override;
    FileReader& Files() override { return files; }

    bool remoteSession = false;
    int summary = 2;
    std::u16string adapterLines =
        u"1 active video adapters were found.\n"
        u"caption: NVIDIA QUADRO FX 580 \n";
    int namedSearch = 3;
    int fullSearch = 1;
    WindowOutcome window = WindowOutcome::Created;
    ContextOutcome context = ContextOutcome::Current;
    FakeGLDriver driver;
    MemoryFiles files;

    MemoryOutput output;
    std::optional<std::u16string> logFile;
    std::string outputBeforeLog;
    std::vector<CardListCall> cardListCalls;
    std::vector<std::string> events;  // window and context lifetimes, in order
};

class FakeContext final : public GLDriver {
  public:
    explicit FakeContext(FakeEnvironment& environment) : environment_(environment) {
        environment_.events.push_back("context created");
    }
    ~FakeContext() override { environment_.events.push_back("context released"); }
    const char* GetString(GLString name) override { return environment_.driver.GetString(name); }
    GLProc GetProcAddress(const char* name) override {
        return environment_.driver.GetProcAddress(name);
    }
    std::unique_ptr<ShaderObjectApi> BindShaderObjects(const GLEntryPointTable& table) override {
        return environment_.driver.BindShaderObjects(table);
    }

  private:
    FakeEnvironment& environment_;
};

class FakeWindow final : public HiddenWindow {
  public:
    explicit FakeWindow(FakeEnvironment& environment) : environment_(environment) {
        environment_.events.push_back("window created");
    }
    ~FakeWindow() override { environment_.events.push_back("window destroyed"); }
    std::unique_ptr<GLDriver> CreateGLContext(DiagnosticOutput& output) override {
        switch (environment_.context) {
            case ContextOutcome::Current:
                return std::make_unique<FakeContext>(environment_);
            case ContextOutcome::NoPixelFormat:
                output.Print(u"error : ChoosePixelFormat fails !\n");
                return nullptr;
            case ContextOutcome::NotCreated:
                return nullptr;
        }
        return nullptr;
    }

  private:
    FakeEnvironment& environment_;
};

std::unique_ptr<HiddenWindow> FakeEnvironment::CreateHiddenWindow() {
    if (window == WindowOutcome::NoWindow) {
        return nullptr;
    }
    return std::make_unique<FakeWindow>(*this);
}

const std::string kListLine = "GB-list file GraphicsCardGBList.txt\n";
const std::string kMesa = "Mesa/X.org";
const std::string kMesaVersion = "4.5 (Compatibility Profile) Mesa 22.3.6";

TEST(RunDiagnosticFlow, SupportedCardWithOpenGL3OrLater) {
    FakeEnvironment env;
    EXPECT_EQ(RunDiagnosticFlow(u"", env), kDiagnosticSupported);
    EXPECT_EQ(env.output.text, kHeader + std::string(kAdapterLines) +
                                   OpenGLSection(kMesa, kMesaVersion) + kNamedCards + kListLine +
                                   "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass +
                                   kSupported);
    ASSERT_EQ(env.cardListCalls.size(), 1u);
    EXPECT_EQ(env.cardListCalls[0].mode, 0);
    EXPECT_EQ(env.events, (std::vector<std::string>{"window created", "context created",
                                                    "context released", "window destroyed"}));
}

// One row per way through the flow: the exit code and the whole log.
TEST(RunDiagnosticFlow, ExitCodeTable) {
    const std::string kIntelSwitch = "\nDynamic switchable graphics detected.\n\n";
    const std::string kNvidia = "NVIDIA Corporation";
    const std::string kNvidiaVersion = "4.2.0 NVIDIA 296.10";
    const std::string kOldVersion = "2.1 Mesa 7.11";
    const struct {
        const char* description;
        std::function<void(FakeEnvironment&)> setup;
        int exitCode;
        std::string log;
    } cases[] = {
        {"remote session: nothing tested", [](FakeEnvironment& e) { e.remoteSession = true; },
         kDiagnosticRemoteSession, kHeader + std::string("Remote session detected \n")},
        {"adapters differ: no OpenGL section, no verdict",
         [](FakeEnvironment& e) {
             e.summary = -2;
             e.adapterLines =
                 u"2 active video adapters were found.\ncaption: NVIDIA QUADRO FX 580 \n"
                 u"Error! The adapters are not identical !\n";
         },
         kDiagnosticNotSupported,
         kHeader + std::string("2 active video adapters were found.\ncaption: NVIDIA QUADRO FX "
                               "580 \nError! The adapters are not identical !\n")},
        {"no adapter on the desktop",
         [](FakeEnvironment& e) {
             e.summary = -1;
             e.adapterLines = u"0 active video adapters were found.\n";
         },
         kDiagnosticNotSupported, kHeader + std::string("0 active video adapters were found.\n")},
        {"OpenGL 3+: a listed card with an older driver",
         [](FakeEnvironment& e) { e.namedSearch = 2; }, kDiagnosticDriverOutdated,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass + kSupported},
        {"OpenGL 3+: a card the list names NG", [](FakeEnvironment& e) { e.namedSearch = 0; },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "not OK\n\n" + kNotSupported},
        {"OpenGL 3+: a listed card whose driver is current",
         [](FakeEnvironment& e) { e.namedSearch = 1; }, kDiagnosticSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass + kSupported},
        {"OpenGL 3+ on switchable graphics: list not read",
         [&](FakeEnvironment& e) {
             e.summary = 0;
             e.adapterLines =
                 u"1 active video adapters were found.\n"
                 u"caption: INTEL(R) HD GRAPHICS 4000 \n";
             e.driver.strings[GLString::Vendor] = kNvidia;
             e.driver.strings[GLString::Version] = kNvidiaVersion;
             e.driver.strings[GLString::Extensions] =
                 std::string(kAllExtensions) + " GL_NV_vertex_program3";
         },
         kDiagnosticSwitchableGraphics,
         kHeader + std::string(kIntelAdapterLines) + OpenGLSection(kNvidia, kNvidiaVersion) +
             kSkipList + ExtensionListing(std::string(kAllExtensions) + " GL_NV_vertex_program3") +
             kShadersPass + kIntelSwitch + kSupported},
        {"Intel adapter with Intel OpenGL 3+: list read",
         [](FakeEnvironment& e) {
             e.summary = 0;
             e.adapterLines =
                 u"1 active video adapters were found.\n"
                 u"caption: INTEL(R) HD GRAPHICS 4000 \n";
             e.driver.strings[GLString::Vendor] = "Intel";
             e.driver.strings[GLString::Version] = "3.1.0 - Build 8.15.10.2696";
         },
         kDiagnosticSupported,
         kHeader + std::string(kIntelAdapterLines) +
             OpenGLSection("Intel", "3.1.0 - Build 8.15.10.2696") + kNamedCards + kListLine +
             "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass + kSupported},
        {"OpenGL 2: full search, driver current",
         [&](FakeEnvironment& e) { e.driver.strings[GLString::Version] = kOldVersion; },
         kDiagnosticSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kOldVersion) + kListLine +
             "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass + kSupported},
        {"OpenGL 2: full search, driver older than listed",
         [&](FakeEnvironment& e) {
             e.driver.strings[GLString::Version] = kOldVersion;
             e.fullSearch = 2;
         },
         kDiagnosticDriverOutdated,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kOldVersion) + kListLine +
             "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass + kSupported},
        {"OpenGL 1.5: full search, not listed",
         [](FakeEnvironment& e) {
             e.driver.strings[GLString::Version] = "1.5.0";
             e.fullSearch = 0;
         },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, "1.5.0") + kListLine +
             "not OK\n\n" + kNotSupported},
        {"OpenGL 2: full search ends without a result",
         [&](FakeEnvironment& e) {
             e.driver.strings[GLString::Version] = kOldVersion;
             e.fullSearch = -2;
         },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kOldVersion) + kListLine +
             "not OK\n\n" + kNotSupported},
        {"OpenGL 2 on switchable graphics: list read, line still written",
         [&](FakeEnvironment& e) {
             e.summary = 0;
             e.adapterLines =
                 u"1 active video adapters were found.\n"
                 u"caption: INTEL(R) HD GRAPHICS 4000 \n";
             e.driver.strings[GLString::Vendor] = "ATI Technologies Inc.";
             e.driver.strings[GLString::Version] = kOldVersion;
         },
         kDiagnosticSupported,
         kHeader + std::string(kIntelAdapterLines) +
             OpenGLSection("ATI Technologies Inc.", kOldVersion) + kListLine + "OK\n\n" +
             ExtensionListing(kAllExtensions) + kShadersPass + kIntelSwitch + kSupported},
        {"capability test fails: no shader test",
         [](FakeEnvironment& e) { e.driver.strings[GLString::Extensions] = "GL_ARB_multitexture"; },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "OK\n\n" + ExtensionListing("GL_ARB_multitexture") +
             "OpenGL extension: GL_ARB_shader_objects is not supported !\n"
             "OpenGL extension: GL_ARB_occlusion_query is not supported !\n"
             "OpenGL extension: GL_ARB_vertex_buffer_object is not supported !\n"
             "OpenGL extension: GL_EXT_framebuffer_object is not supported !\n"
             "OpenGL extension: GL_EXT_framebuffer_multisample is not supported !\n"
             "OpenGL extension: GL_EXT_framebuffer_blit is not supported !\n" +
             kNotSupported},
        {"capability test gives 2: passed",
         [](FakeEnvironment& e) {
             e.driver.strings[GLString::Extensions] =
                 "GL_ARB_multitexture GL_ARB_shader_objects GL_ARB_occlusion_query "
                 "GL_ARB_vertex_buffer_object GL_EXT_framebuffer_object";
         },
         kDiagnosticSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "OK\n\n" +
             ExtensionListing("GL_ARB_multitexture GL_ARB_shader_objects GL_ARB_occlusion_query "
                              "GL_ARB_vertex_buffer_object GL_EXT_framebuffer_object") +
             "OpenGL extension: GL_EXT_framebuffer_multisample is not supported !\n"
             "OpenGL extension: GL_EXT_framebuffer_blit is not supported !\n" +
             kShadersPass + kSupported},
        {"NVIDIA in capitals requires GL_NV_vertex_program3",
         [](FakeEnvironment& e) { e.driver.strings[GLString::Vendor] = "NVIDIA CORPORATION"; },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection("NVIDIA CORPORATION", kMesaVersion) +
             kNamedCards + kListLine + "OK\n\n" + ExtensionListing(kAllExtensions) +
             "OpenGL extension: GL_NV_vertex_program3 is not supported !\n" + kNotSupported},
        {"shader test fails after passing checks",
         [](FakeEnvironment& e) { e.files.files[u"HiddenEdges.vert"] = "COMPILE_ERROR"; },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "OK\n\n" + ExtensionListing(kAllExtensions) +
             "Compile shaders: Lines.vert Lines.frag\n"
             "Compile shaders: HiddenEdges.vert HiddenEdges.frag\n"
             "compiler error:\n0:1(1): error: syntax error, unexpected IDENTIFIER\n"
             "\nShader is NOT supported !!!\n" +
             kNotSupported},
        // Without a window or a current context nothing is known of OpenGL: the
        // adapter summary (2 here) must not pass as a verdict.
        {"no device context for the hidden window",
         [](FakeEnvironment& e) { e.window = WindowOutcome::NoWindow; }, kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + "error : Can't create window !\n" + kNotSupported},
        {"no pixel format", [](FakeEnvironment& e) { e.context = ContextOutcome::NoPixelFormat; },
         kDiagnosticNotSupported,
         kHeader + std::string(kAdapterLines) + "error : ChoosePixelFormat fails !\n" +
             kNotSupported},
        {"context not created or not current",
         [](FakeEnvironment& e) { e.context = ContextOutcome::NotCreated; },
         kDiagnosticNotSupported, kHeader + std::string(kAdapterLines) + kNotSupported},
        {"adapter summary 1 (below 256 MB) on a supported card",
         [](FakeEnvironment& e) { e.summary = 1; }, kDiagnosticSupported,
         kHeader + std::string(kAdapterLines) + OpenGLSection(kMesa, kMesaVersion) + kNamedCards +
             kListLine + "OK\n\n" + ExtensionListing(kAllExtensions) + kShadersPass + kSupported},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        FakeEnvironment env;
        c.setup(env);
        EXPECT_EQ(RunDiagnosticFlow(u"", env), c.exitCode);
        EXPECT_EQ(env.output.text, c.log);
    }
}

TEST(RunDiagnosticFlow, ContextIsReleasedBeforeTheWindowOnEveryPath) {
    const std::function<void(FakeEnvironment&)> setups[] = {
        [](FakeEnvironment&) {},
        [](FakeEnvironment& e) { e.namedSearch = 0; },
        [](FakeEnvironment& e) { e.driver.strings[GLString::Extensions] = ""; },
        [](FakeEnvironment& e) { e.files.files.clear(); },
    };
    for (const auto& setup : setups) {
        FakeEnvironment env;
        setup(env);
        RunDiagnosticFlow(u"", env);
        EXPECT_EQ(env.events, (std::vector<std::string>{"window created", "context created",
                                                        "context released", "window destroyed"}));
        EXPECT_EQ(env.driver.shaderObjects.LiveObjects(), 0u);
    }
}

TEST(RunDiagnosticFlow, EarlyEndsCreateNoWindow) {
    for (const int summary : {-2, -1}) {
        FakeEnvironment env;
        env.summary = summary;
        EXPECT_EQ(RunDiagnosticFlow(u"", env), kDiagnosticNotSupported);
        EXPECT_TRUE(env.events.empty());
        EXPECT_TRUE(env.cardListCalls.empty());
    }
    FakeEnvironment remote;
    remote.remoteSession = true;
    remote.summary = 99;  // must not be asked
    EXPECT_EQ(RunDiagnosticFlow(u"", remote), kDiagnosticRemoteSession);
    EXPECT_TRUE(remote.events.empty());
}

TEST(RunDiagnosticFlow, CommandLineGivesLogAndPaths) {
    const std::u16string longFolder = u"C:\\" + std::u16string(300, u'x') + u"\\";
    const struct {
        std::u16string commandLine;
        bool log;
        std::u16string prefix;
    } cases[] = {
        {u"", true, u""},
        {u"C:\\Tools\\ -1", true, u"C:\\Tools\\"},
        {u"C:\\Tools\\", false, u"C:\\Tools\\"},
        {u"C:\\", true, u"C:\\"},
        {u"C:\\Tools -1", true, u"C:\\Tools"},  // no separator is added
        {longFolder + u" -1", true, longFolder.substr(0, 259)},
        {longFolder, false, longFolder.substr(0, 259)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.commandLine.substr(0, 20)));
        FakeEnvironment env;
        AddGoodShaders(env.files, c.prefix);
        EXPECT_EQ(RunDiagnosticFlow(c.commandLine, env), kDiagnosticSupported);
        if (c.log) {
            EXPECT_EQ(env.logFile, u"vexmira_PC7_2012-3-3_0905.txt");
            EXPECT_EQ(env.outputBeforeLog, "");  // opened before the first line
        } else {
            EXPECT_EQ(env.logFile, std::nullopt);
        }
        ASSERT_EQ(env.cardListCalls.size(), 1u);
        EXPECT_EQ(env.cardListCalls[0].path, c.prefix + u"GraphicsCardGBList.txt");
        ASSERT_EQ(env.files.opened.size(), 4u);
        EXPECT_EQ(env.files.opened[0], c.prefix + u"Lines.vert");
        EXPECT_EQ(env.files.opened[3], c.prefix + u"HiddenEdges.frag");
    }
}

TEST(RunDiagnosticFlow, DriverWithoutStringsIsJudgedWithoutThem) {
    FakeEnvironment env;
    env.driver.strings.clear();
    EXPECT_EQ(RunDiagnosticFlow(u"", env), kDiagnosticNotSupported);
    // No version counts as below 3: the full search runs (it finds the card).
    std::string expected =
        kHeader + std::string(kAdapterLines) + OpenGLSection("", "", "", "") + kListLine + "OK\n\n";
    for (const char* name :
         {"GL_ARB_multitexture", "GL_ARB_shader_objects", "GL_ARB_occlusion_query",
          "GL_ARB_vertex_buffer_object", "GL_EXT_framebuffer_object",
          "GL_EXT_framebuffer_multisample", "GL_EXT_framebuffer_blit"}) {
        expected += "OpenGL extension: " + std::string(name) + " is not supported !\n";
    }
    EXPECT_EQ(env.output.text, expected + kNotSupported);
    ASSERT_EQ(env.cardListCalls.size(), 1u);
    EXPECT_EQ(env.cardListCalls[0].mode, 1);
}

}  // namespace
