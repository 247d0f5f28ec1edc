// The fuzz targets read their input as lines of text, so that the seed corpora
// stay readable and the fuzzer still reaches every UTF-16 unit: a byte 0xFF
// and the two bytes after it (low, high) are one unit of any value; every other
// byte is the character of its value. Lines end at "\n".
#pragma once

#include "common/text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FuzzLines {
  public:
    FuzzLines(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return position_ >= size_; }

    // The next line without its "\n"; empty once the input is used up.
    std::u16string Next() {
        std::u16string line;
        while (position_ < size_ && data_[position_] != '\n') {
            line.push_back(NextUnit());
        }
        ++position_;  // the "\n"
        return line;
    }

    // The next line read as a number, the way the run-time reads one.
    int32_t NextNumber() { return ParseLeadingInt(Next()); }

    std::vector<std::u16string> Rest() {
        std::vector<std::u16string> lines;
        while (!AtEnd()) {
            lines.push_back(Next());
        }
        return lines;
    }

  private:
    static constexpr uint8_t kUnitEscape = 0xFF;

    char16_t NextUnit() {
        const uint8_t byte = data_[position_++];
        if (byte != kUnitEscape || size_ - position_ < 2) {
            return byte;
        }
        const auto unit = static_cast<char16_t>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return unit;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// A property that must hold for every input; a failure is a finding, which
// libFuzzer reports with the input that caused it.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) {   \
            __builtin_trap(); \
        }                     \
    } while (false)
