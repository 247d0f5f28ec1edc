// Files that the two programs' readers take apart differently, for the tests
// of the tool's readings: natively against what each program reads, under
// Wine against the programs' own readers.
#pragma once

#include <string>

struct ReadingCase {
    const char* description;
    std::string bytes;
};

inline const ReadingCase kReadingCases[] = {
    {"line ends", "a\r\nb\nc\rd\r\n\r\ne"},
    {"Ctrl+Z",
     "a\n\x1A"
     "b\nc\n"},
    {"zero byte", std::string("ab\0cd\n", 6)},
    {"long line", std::string(600, 'x') + "\nshort\n"},
    {"line of 255", std::string(255, 'y') + "\r\nz"},
    {"UTF-16", std::string("\xFF\xFE"
                           "A\0b\0\r\0\n\0C\0d\0\r\0\n\0",
                           18)},
    {"UTF-8", "\xEF\xBB\xBF# x\nQ,\xC3\xA9\n"},
    {"Windows-1252", "\x80\x9F\xE9\xA0\n"},
    {"empty", ""},
};
