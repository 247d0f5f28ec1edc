// The real machine under the diagnostic's flow: Win32 system facts, the
// adapter steps, the hidden window with WGL, files, and the standard output
// as the log.
#pragma once

#include "vexmira/diagnostic_environment.h"
#include "vexmira/log_stream.h"
#include "vexmira/win32_file_reader.h"

#include <windows.h>

class WindowsEnvironment final : public DiagnosticEnvironment {
  public:
    explicit WindowsEnvironment(HINSTANCE instance) : instance_(instance) {}

    LocalTime ReadLocalTime() override;
    std::u16string ReadComputerName() override;
    bool IsRemoteSession() override;
    DiagnosticOutput& Output() override { return output_; }
    void OpenLogFile(const std::u16string& fileName) override;
    int SummarizeVideoAdapters(DiagnosticLog& log) override;
    int SearchCardList(const std::u16string& listPath, int mode, DiagnosticLog& log) override;
    std::unique_ptr<HiddenWindow> CreateHiddenWindow() override;
    FileReader& Files() override { return files_; }

  private:
    HINSTANCE instance_;
    TextStreamOutput output_{stdout};
    Win32FileReader files_;
};
