// Text built in a fixed buffer without allocating: what does not fit is cut,
// and the buffer always stays terminated. GetOSDisplayString writes its
// description this way, because it also runs when another program has loaded
// QuarvelSysTest.exe and nothing of the C++ run-time has been set up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class BoundedText {
  public:
    // capacity counts the terminating 0 and must be at least 1.
    BoundedText(char16_t* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {
        buffer_[0] = u'\0';
    }

    void Append(std::u16string_view text) {
        for (const char16_t unit : text) {
            if (length_ + 1 >= capacity_) {
                break;
            }
            buffer_[length_++] = unit;
        }
        buffer_[length_] = u'\0';
    }

    // The value in decimal with a leading "-" when negative, as "%d" writes it.
    void AppendDecimal(int32_t value) {
        constexpr size_t kMaxDigits = 10;
        char16_t digits[kMaxDigits];
        size_t count = 0;
        // Works on the magnitude as unsigned, so INT32_MIN has one too.
        const uint32_t bits = static_cast<uint32_t>(value);
        uint32_t magnitude = value < 0 ? 0u - bits : bits;
        do {
            digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) {
            Append(u"-");
        }
        while (count > 0) {
            Append(std::u16string_view(&digits[--count], 1));
        }
    }

    std::u16string_view View() const { return std::u16string_view(buffer_, length_); }

  private:
    char16_t* buffer_;
    size_t capacity_;
    size_t length_ = 0;
};
