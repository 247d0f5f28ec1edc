#include "vexmira/diagnostic_flow.h"

#include "vexmira/command_line.h"
#include "vexmira/gl_capabilities.h"
#include "vexmira/shader_test.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::u16string_view kCardListFileName = u"GraphicsCardGBList.txt";

// The adapter summary of a single Intel adapter on the desktop.
constexpr int kSummaryIntelOnly = 0;

// The modes of the card list search.
constexpr int kCardListNamedCardsOnly = 0;  // OpenGL 3 or later: a card not named passes
constexpr int kCardListFull = 1;
// What the search returns for a listed adapter whose driver is current, and,
// with OpenGL 3 or later, for one that no line decided.
constexpr int kCardListMatchCurrent = 1;
constexpr int kCardListNotNamed = 3;

// The vendor string is searched in a copy of at most this many bytes.
constexpr size_t kVendorCopyLimit = 1023;

std::string_view TextOrEmpty(const char* text) {
    return text != nullptr ? std::string_view(text) : std::string_view();
}

std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lowered;
}

class DiagnosticFlow {
  public:
    DiagnosticFlow(std::u16string_view commandLine, DiagnosticEnvironment& environment)
        : commandLine_(ParseCommandLine(commandLine)),
          environment_(environment),
          output_(environment.Output()) {}

    int Run();

  private:
    int TestWithContext(GLDriver& driver);
    int CapabilityAndShaderTests(GLDriver& driver, bool nvidia, int cardResult);

    CommandLine commandLine_;
    DiagnosticEnvironment& environment_;
    DiagnosticOutput& output_;
    std::u16string listPath_;
    int adapterSummary_ = 0;
    bool switchableGraphics_ = false;
};

int DiagnosticFlow::Run() {
    const LocalTime time = environment_.ReadLocalTime();
    const std::u16string computerName = environment_.ReadComputerName();
    if (commandLine_.logEnabled) {
        environment_.OpenLogFile(LogFileName(computerName, time));
    }

    output_.Print(u"OpenGL test application version: 2.2\n\n");
    output_.Print(u"Adapters test ...\n\n");
    if (environment_.IsRemoteSession()) {
        output_.Print(u"Remote session detected \n");
        return kDiagnosticRemoteSession;
    }

    const int summary = environment_.SummarizeVideoAdapters(output_);
    if (summary < 0) {
        return kDiagnosticNotSupported;  // the adapter lines say why; no verdict line
    }
    adapterSummary_ = summary;
    listPath_ = commandLine_.prefix + std::u16string(kCardListFileName);

    // Without a window or a current context nothing is known about OpenGL, so
    // the card counts as not supported.
    int result = kDiagnosticNotSupported;
    {
        const std::unique_ptr<HiddenWindow> window = environment_.CreateHiddenWindow();
        if (!window) {
            output_.Print(u"error : Can't create window !\n");
        } else if (const std::unique_ptr<GLDriver> driver = window->CreateGLContext(output_)) {
            result = TestWithContext(*driver);
        }
    }  // the context is released before the window is destroyed

    if (switchableGraphics_) {
        output_.Print(u"\nDynamic switchable graphics detected.\n\n");
    }
    if (result >= kDiagnosticDriverOutdated) {
        output_.Print(u"*** The graphics card is supported ! ***\n");
    } else {
        output_.Print(u"*** The graphics card is NOT supported ! ***\n");
    }
    return result;
}

int DiagnosticFlow::TestWithContext(GLDriver& driver) {
    // A driver that gives no string is logged and judged as if it gave an
    // empty one.
    const std::string_view vendor = TextOrEmpty(driver.GetString(GLString::Vendor));
    const std::string vendorLowered = LowerAscii(vendor.substr(0, kVendorCopyLimit));
    const bool nvidia = vendorLowered.find("nvidia") != std::string::npos;
    switchableGraphics_ = IsSwitchableGraphics(adapterSummary_, vendor);

    const std::string_view version = TextOrEmpty(driver.GetString(GLString::Version));
    output_.Print(u"OpenGL test ... \n\n");
    PrintOpenGLText(output_, "Vendor : %s\n", vendor);
    PrintOpenGLText(output_, "Renderer : %s\n", TextOrEmpty(driver.GetString(GLString::Renderer)));
    PrintOpenGLText(output_, "GLSL version: %s\n",
                    TextOrEmpty(driver.GetString(GLString::ShadingLanguageVersion)));
    PrintOpenGLText(output_, "Version : %s\n", version);

    const int cardResult = RunCardListStep(
        version, switchableGraphics_,
        [this](int mode) { return environment_.SearchCardList(listPath_, mode, output_); },
        output_);
    if (cardResult == kDiagnosticNotSupported) {
        return kDiagnosticNotSupported;
    }
    return CapabilityAndShaderTests(driver, nvidia, cardResult);
}

int DiagnosticFlow::CapabilityAndShaderTests(GLDriver& driver, bool nvidia, int cardResult) {
    GLEntryPointTable entryPoints;
    if (TestGLCapabilities(driver, nvidia, entryPoints, output_) == CapabilityResult::Failed) {
        return kDiagnosticNotSupported;
    }
    const std::unique_ptr<ShaderObjectApi> shaderObjects = driver.BindShaderObjects(entryPoints);
    ShaderTest shaderTest(entryPoints, *shaderObjects, environment_.Files(), output_);
    if (!shaderTest.TestShaders(commandLine_.prefix)) {
        output_.Print(u"\nShader is NOT supported !!!\n");
        return kDiagnosticNotSupported;
    }
    output_.Print(u"Shader is supported !!!\n");
    return cardResult;
}

}  // namespace

bool IsSwitchableGraphics(int adapterSummary, std::string_view glVendor) {
    // The vendor string is searched in a copy of limited size.
    return adapterSummary == kSummaryIntelOnly &&
           LowerAscii(glVendor.substr(0, kVendorCopyLimit)).find("intel") == std::string::npos;
}

int RunCardListStep(std::string_view glVersion, bool switchableGraphics,
                    const std::function<int(int mode)>& search, DiagnosticLog& log) {
    const unsigned char major =
        glVersion.empty() ? 0 : static_cast<unsigned char>(glVersion.front());
    int found = 0;
    if (major >= '3') {
        if (switchableGraphics) {
            log.Print(u"Version is greater than 3.0, skip the card checking \nOK\n\n");
            return kDiagnosticSwitchableGraphics;
        }
        // Every card of today has OpenGL 3; the list still decides for the
        // cards it names, an "NG" one or one whose driver is older.
        log.Print(u"Version is 3.0 or greater: the card list decides for the cards it names\n");
        found = search(kCardListNamedCardsOnly);
    } else {
        found = search(kCardListFull);
    }
    if (found <= 0) {
        log.Print(u"not OK\n\n");
        return kDiagnosticNotSupported;
    }
    log.Print(u"OK\n\n");
    return found == kCardListMatchCurrent || found == kCardListNotNamed ? kDiagnosticSupported
                                                                        : found;
}

int RunDiagnosticFlow(std::u16string_view commandLine, DiagnosticEnvironment& environment) {
    return DiagnosticFlow(commandLine, environment).Run();
}
