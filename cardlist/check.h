// The check of a graphics card list: what either program rejects, what the
// two read differently, codes and versions that do not count as written, and
// entries whose order keeps them from deciding.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Finding {
    int line = 0;  // the line of the file; 0 for the file as a whole
    std::u16string text;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// The findings in the order of the file's lines; none for a clean list.
std::vector<Finding> CheckCardList(std::string_view bytes);
