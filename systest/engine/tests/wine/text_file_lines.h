// The lines of a text file as QuarvelSysTest reads them, for the Wine tests.
#pragma once

#include "systest/engine/text_file.h"

#include <string>
#include <vector>

// Every line the reader has left, without line breaks; none when it is not open.
inline std::vector<std::u16string> ReadAllLines(TextFileReader& reader) {
    std::vector<std::u16string> lines;
    std::u16string line;
    while (!reader.AtEnd() && reader.ReadLine(line)) {
        lines.push_back(line);
    }
    return lines;
}
