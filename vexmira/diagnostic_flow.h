// The diagnostic's run from its command line to its exit code: adapter test,
// hidden window and OpenGL context, card list, capability and shader tests,
// each finding in the log and the verdict as the exit code.
#pragma once

#include "adapters/diagnostic_contract.h"
#include "adapters/diagnostic_log.h"
#include "vexmira/diagnostic_environment.h"

#include <functional>
#include <string_view>

// Switchable graphics: the system sees a single Intel adapter (the adapter
// summary 0) while OpenGL comes from another vendor.
bool IsSwitchableGraphics(int adapterSummary, std::string_view glVendor);

// The card list step for the OpenGL version text the driver gives (its first
// character is the major version). Below 3 the list must name the card (the
// full search); from 3 on a card it does not name passes and the list
// decides for the cards it names, except on switchable graphics, where the
// list is not read (kDiagnosticSwitchableGraphics). A listed adapter whose
// driver is current counts as kDiagnosticSupported, one whose driver is older
// as kDiagnosticDriverOutdated. search runs the list search in a mode (0 from
// OpenGL 3 on, 1 full). Returns the card result, kDiagnosticNotSupported when
// the card fails the step; the step's own lines go to log. The flow's exit
// codes are those of adapters/diagnostic_contract.h.
int RunCardListStep(std::string_view glVersion, bool switchableGraphics,
                    const std::function<int(int mode)>& search, DiagnosticLog& log);

// commandLine is the text after the program name.
int RunDiagnosticFlow(std::u16string_view commandLine, DiagnosticEnvironment& environment);
