// What the diagnostic's log lists of the driver's extension string, for the
// tests that compare whole logs.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// The head, then each blank-separated name on a line of its own; lineEnd is
// "\n" as the diagnostic prints, "\r\n" as its log file holds it.
inline std::string ExtensionListing(std::string_view extensions, std::string_view lineEnd = "\n") {
    std::string text;
    for (const std::string_view line :
         {std::string_view(), std::string_view("Supported OpenGL extensions :"),
          std::string_view("-------------------------")}) {
        text += line;
        text += lineEnd;
    }
    size_t start = 0;
    while ((start = extensions.find_first_not_of(' ', start)) != std::string_view::npos) {
        const size_t end = std::min(extensions.find(' ', start), extensions.size());
        text += extensions.substr(start, end - start);
        text += lineEnd;
        start = end;
    }
    return text;
}
