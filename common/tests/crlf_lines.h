// The lines of a text written with CR LF line ends, such as the report and the
// diagnostic's log, for tests that compare them line by line.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace crlf_lines {

template <typename Char>
std::vector<std::basic_string<Char>> Split(std::basic_string_view<Char> text) {
    constexpr Char kLineEnd[] = {Char('\r'), Char('\n'), Char(0)};
    std::vector<std::basic_string<Char>> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(kLineEnd, start)) != text.npos; start = end + 2) {
        lines.emplace_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find(Char('\n')), lines.back().npos)
            << "a line break without CR in line " << lines.size();
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
        ADD_FAILURE() << "the last line does not end with CR LF";
    }
    return lines;
}

}  // namespace crlf_lines

// The lines without their ends. The test fails on a line break without CR and
// on text after the last CR LF, which still comes as a last line.
inline std::vector<std::string> CrLfLines(std::string_view text) {
    return crlf_lines::Split(text);
}
inline std::vector<std::u16string> CrLfLines(std::u16string_view text) {
    return crlf_lines::Split(text);
}
