// The real Vexmira.exe with Wine's adapter made to agree with its display
// device (the registry recipe of our platform notes), so the whole flow runs
// through Mesa to a verdict. Runs in a Wine session of its own: the registry
// changes must not reach the shared session.
#include "vexmira/tests/e2e/vexmira_run.h"

#include "adapters/tests/wine/agreeing_wine_adapter.h"
#include "common/tests/crlf_lines.h"
#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "vexmira/wgl_context.h"
#include "vexmira/tests/extension_listing.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

namespace {

// A graphics card made to agree, and how WMI then reports it.
struct AdapterModel {
    agreeing::WineAdapterModel wine;
    const char* caption;      // WMI's Caption, in upper case as vexmira logs it
    const char* pnpDeviceId;  // WMI's PNPDeviceID
};

constexpr DWORD kAdapterMemoryMb = 512;
const AdapterModel kGeForce9500 = {
    {0x10de, 0x0640, L"PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00", kAdapterMemoryMb,
     L"8.17.12.9573"},
    "NVIDIA GEFORCE 9500 GT",
    "PCI\\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD",
};
const AdapterModel kIntelHd4000 = {
    {0x8086, 0x0166, L"PCI\\VEN_8086&DEV_0166&SUBSYS_00000000&REV_00", kAdapterMemoryMb,
     L"9.17.10.2867"},
    "INTEL(R) HD GRAPHICS 4000",
    "PCI\\VEN_8086&DEV_0166&SUBSYS_00000000&REV_00\\0&DEADBEEF&0&DEAD",
};
// Wine's WMI driver date, fixed in Wine 8.
constexpr char kWineDriverDate[] = "20220118";
// The NVIDIA short form of the registry version 8.17.12.9573.
constexpr char kNvidiaShortVersion[] = "295.73.0.0";

// What Mesa reports through Wine, read here with plain WGL.
struct OpenGLFacts {
    std::string vendor, renderer, version, glsl, extensions;
};

OpenGLFacts ReadOpenGLFacts() {
    OpenGLFacts facts;
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"facts", 0, 0, 0, 100, 100, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    const WindowDc dc(window.get());
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.cColorBits = 32;
    request.cDepthBits = 16;
    SetPixelFormat(dc.get(), ChoosePixelFormat(dc.get(), &request), &request);
    const UniqueGLContext context(wglCreateContext(dc.get()));
    wglMakeCurrent(dc.get(), context.get());
    auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
    };
    facts.vendor = text(GL_VENDOR);
    facts.renderer = text(GL_RENDERER);
    facts.version = text(GL_VERSION);
    facts.glsl = text(0x8B8C);  // GL_SHADING_LANGUAGE_VERSION
    facts.extensions = text(GL_EXTENSIONS);
    return facts;
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());  // the test folders are ASCII
}

const std::string kHeader = "OpenGL test application version: 2.2\r\n\r\nAdapters test ...\r\n\r\n";
const std::string kSupported = "*** The graphics card is supported ! ***\r\n";
const std::string kNotSupported = "*** The graphics card is NOT supported ! ***\r\n";

std::string AdapterLines(const AdapterModel& model) {
    return "1 active video adapters were found.\r\ncaption: " + std::string(model.caption) +
           " \r\n";
}

std::string OpenGLSection(const OpenGLFacts& gl, const std::string& version) {
    return "OpenGL test ... \r\n\r\nVendor : " + gl.vendor + "\r\nRenderer : " + gl.renderer +
           "\r\nGLSL version: " + gl.glsl + "\r\nVersion : " + version + "\r\n";
}

std::string CardListHead(const std::string& prefix, const AdapterModel& model) {
    return "GB-list file " + prefix + "GraphicsCardGBList.txt\r\nSearching for " + model.caption +
           " (" + model.pnpDeviceId + ") driver version: " + kNvidiaShortVersion +
           "  date: " + kWineDriverDate + "...\r\n\r\n";
}

std::string ShaderLines(const std::string& prefix) {
    return "Compile shaders: " + prefix + "Lines.vert " + prefix + "Lines.frag\r\n" +
           "Compile shaders: " + prefix + "HiddenEdges.vert " + prefix + "HiddenEdges.frag\r\n";
}

std::u16string OnlyLogIn(const std::u16string& folder) {
    const std::vector<std::u16string> logs = LogFilesIn(folder);
    EXPECT_EQ(logs.size(), 1u);
    return logs.empty() ? std::u16string() : folder + logs[0];
}

// OpenGL 4.5 on an NVIDIA card: the list that ships names it "GD" with an
// older driver than Wine's, so it gives 3; the capability and shader tests
// pass on Mesa.
TEST(AgreeingAdapter, NvidiaCardRunsEveryTestToItsVerdict) {
    agreeing::MakeWineAdapterAgree(kGeForce9500.wine);
    const OpenGLFacts gl = ReadOpenGLFacts();
    ASSERT_EQ(gl.version.front(), '4');
    ProgramFolderCopy program;
    TempFolder work(u"vexmira_work");
    const std::string prefix = Narrow(program.Path());
    auto expectedLog = [&](const std::string& filePrefix) {
        return kHeader + AdapterLines(kGeForce9500) + OpenGLSection(gl, gl.version) +
               "Version is 3.0 or greater: the card list decides for the cards it names\r\n" +
               CardListHead(filePrefix, kGeForce9500) + "Match found: " + kGeForce9500.caption +
               " 285.62.0.0\r\nOK\r\n\r\n" + ExtensionListing(gl.extensions, "\r\n") +
               ShaderLines(filePrefix) + "Shader is supported !!!\r\n" + kSupported;
    };

    const VexmiraRun plain = RunVexmira(program.Path(), u"", program.Path());
    EXPECT_EQ(plain.exitCode, 3u);
    EXPECT_TRUE(SameLog(ReadBytes(OnlyLogIn(program.Path())), expectedLog("")));

    const VexmiraRun logged = RunVexmira(program.Path(), program.Path() + u" -1", work.Path());
    EXPECT_EQ(logged.exitCode, 3u);
    EXPECT_TRUE(SameLog(ReadBytes(OnlyLogIn(work.Path())), expectedLog(prefix)));

    const VexmiraRun unlogged = RunVexmira(program.Path(), program.Path(), work.Path());
    EXPECT_EQ(unlogged.exitCode, 3u);
    EXPECT_TRUE(SameLog(unlogged.output, expectedLog(prefix)));
    EXPECT_EQ(LogFilesIn(work.Path()).size(), 1u);  // the one of the run before
}

// The system sees only the Intel adapter while OpenGL runs on Mesa: switchable
// graphics with OpenGL 4.5, so the list is not read.
TEST(AgreeingAdapter, IntelAdapterWithAnotherOpenGLIsSwitchableGraphics) {
    agreeing::MakeWineAdapterAgree(kIntelHd4000.wine);
    const OpenGLFacts gl = ReadOpenGLFacts();
    ProgramFolderCopy program;
    const VexmiraRun run = RunVexmira(program.Path(), u"", program.Path());
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_TRUE(
        SameLog(ReadBytes(OnlyLogIn(program.Path())),
                kHeader + AdapterLines(kIntelHd4000) + OpenGLSection(gl, gl.version) +
                    "Version is greater than 3.0, skip the card checking \r\nOK\r\n\r\n" +
                    ExtensionListing(gl.extensions, "\r\n") + ShaderLines("") +
                    "Shader is supported !!!\r\n\r\nDynamic switchable graphics detected.\r\n\r\n" +
                    kSupported));
}

// Mesa made to report OpenGL 2.1 (MESA_GL_VERSION_OVERRIDE in the session's
// Unix environment: Wine hands a child process the Unix environment of its
// parent, not the Windows environment block of CreateProcessW). The full search
// runs over a list of the test's own, found through the directory prefix.
TEST(AgreeingAdapter, OpenGL2RunsTheFullListSearch) {
    agreeing::MakeWineAdapterAgree(kGeForce9500.wine);
    const OpenGLFacts gl = ReadOpenGLFacts();
    ASSERT_TRUE(gl.version.starts_with("2.1 ")) << "run with MESA_GL_VERSION_OVERRIDE=2.1";
    const std::string matchLine =
        std::string("Match found: ") + kGeForce9500.caption + " 295.73.0.0\r\n";
    const struct {
        const char* description;
        std::string entry;
        DWORD exitCode;
        std::string searchLines;  // after the head of the search
    } cases[] = {
        {"listed, driver current", "NVIDIA GeForce 9500 GT,295.73,20120120,GD", 3,
         matchLine + "OK\r\n\r\n"},
        {"listed, driver older than listed", "GeForce 9500 GT,295.73,20250101,GD", 2,
         matchLine + "The driver is not up to date!\r\nOK\r\n\r\n"},
        {"listed with the driver test", "pci\\ven_10de&dev_0640,295.73,20120120,GL", 3,
         matchLine + "Test for driver version...\r\nDriver test passed\r\nOK\r\n\r\n"},
        {"listed as not supported", "GeForce 9500 GT,295.73,20120120,NG", 0,
         matchLine + "not OK\r\n\r\n"},
        {"not listed", "Quadro FX 580,295.73,20120120,GD", 0, "not OK\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ProgramFolderCopy program;
        TempFolder work(u"vexmira_work");
        ASSERT_TRUE(WriteBytes(program.File(u"GraphicsCardGBList.txt"),
                               "# graphics cards of the test\r\n" + c.entry + "\r\n"));
        const std::string prefix = Narrow(program.Path());
        const VexmiraRun run = RunVexmira(program.Path(), program.Path() + u" -1", work.Path());
        EXPECT_EQ(run.exitCode, c.exitCode);
        std::string expected = kHeader + AdapterLines(kGeForce9500) +
                               OpenGLSection(gl, gl.version) + CardListHead(prefix, kGeForce9500) +
                               c.searchLines;
        if (c.exitCode != 0) {
            expected += ExtensionListing(gl.extensions, "\r\n") + ShaderLines(prefix) +
                        "Shader is supported !!!\r\n" + kSupported;
        } else {
            expected += kNotSupported;
        }
        EXPECT_TRUE(SameLog(ReadBytes(OnlyLogIn(work.Path())), expected));
    }
}

// A shader that Mesa refuses, after the card and capability tests passed.
TEST(AgreeingAdapter, ShaderFailureMakesTheCardUnsupported) {
    agreeing::MakeWineAdapterAgree(kGeForce9500.wine);
    ProgramFolderCopy program;
    TempFolder work(u"vexmira_work");
    ASSERT_TRUE(WriteBytes(program.File(u"HiddenEdges.frag"),
                           "#version 120\nvoid main() { gl_FragColor = edgeColour; }\n"));
    const VexmiraRun run = RunVexmira(program.Path(), program.Path() + u" -1", work.Path());
    EXPECT_EQ(run.exitCode, 0u);
    const std::vector<std::string> lines = CrLfLines(ReadBytes(OnlyLogIn(work.Path())));
    const std::string prefix = Narrow(program.Path());
    EXPECT_TRUE(ContainsInOrder(
        lines, {"Compile shaders: " + prefix + "Lines.vert " + prefix + "Lines.frag",
                "Compile shaders: " + prefix + "HiddenEdges.vert " + prefix + "HiddenEdges.frag",
                "compiler error:", "", "Shader is NOT supported !!!",
                "*** The graphics card is NOT supported ! ***"}));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.back(), "*** The graphics card is NOT supported ! ***");
}

}  // namespace
