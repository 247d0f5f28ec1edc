// Everything the diagnostic's flow needs from the machine, behind one
// interface: the Windows layer gives the real system, the tests a scripted one.
#pragma once

#include "adapters/diagnostic_log.h"
#include "vexmira/diagnostic_output.h"
#include "vexmira/file_reader.h"
#include "vexmira/gl_driver.h"
#include "adapters/diagnostic_contract.h"

#include <memory>
#include <string>

class DiagnosticEnvironment {
  public:
    virtual ~DiagnosticEnvironment() = default;

    // System facts.
    virtual LocalTime ReadLocalTime() = 0;
    virtual std::u16string ReadComputerName() = 0;
    virtual bool IsRemoteSession() = 0;

    // The output, on the inherited standard output until the log file is
    // opened. The log is closed when the environment ends.
    virtual DiagnosticOutput& Output() = 0;
    // Sends all further output to the file in the current directory, replacing
    // an existing one. When it cannot be created, the run goes on without a log.
    virtual void OpenLogFile(const std::u16string& fileName) = 0;

    // The adapter steps of the graphics adapter qualification.
    virtual int SummarizeVideoAdapters(DiagnosticLog& log) = 0;
    virtual int SearchCardList(const std::u16string& listPath, int mode, DiagnosticLog& log) = 0;

    // The invisible window that carries the OpenGL context; null when it or
    // its device context cannot be had.
    virtual std::unique_ptr<HiddenWindow> CreateHiddenWindow() = 0;

    virtual FileReader& Files() = 0;
};
