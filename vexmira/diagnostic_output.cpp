#include "vexmira/diagnostic_output.h"

#include <string>

void PrintOpenGLText(DiagnosticOutput& output, std::string_view format, std::string_view text) {
    constexpr std::string_view kPlaceholder = "%s";
    const size_t at = format.find(kPlaceholder);
    if (at == std::string_view::npos) {
        output.PrintBytes(format);
        return;
    }
    std::string line(format.substr(0, at));
    line += text;
    line += format.substr(at + kPlaceholder.size());
    output.PrintBytes(line);
}
