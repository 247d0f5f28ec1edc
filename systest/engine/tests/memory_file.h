// The text stream's file and code page in memory: the native tests and the
// text reader's fuzz target feed bytes through them.
#pragma once

#include "systest/engine/text_stream.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

// A file in memory that records its calls and can fail the n-th read or write.
class MemoryFile final : public ByteFile {
  public:
    explicit MemoryFile(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    bool IsOpen() const override { return open_; }
    bool Read(std::span<uint8_t> buffer, size_t& count, uint32_t& error) override {
        readSizes.push_back(buffer.size());
        if (readSizes.size() == failReadAt) {
            error = kError;
            return false;
        }
        count = std::min(buffer.size(), bytes_.size() - readPosition_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(readPosition_), count,
                    buffer.begin());
        readPosition_ += count;
        return true;
    }
    bool Write(std::span<const uint8_t> bytes, uint32_t& error) override {
        writeSizes.push_back(bytes.size());
        if (writeSizes.size() == failWriteAt) {
            error = kError;
            return false;
        }
        bytes_.append(bytes.begin(), bytes.end());
        return true;
    }
    void Rewind() override { readPosition_ = 0; }
    void Close() override { open_ = false; }

    const std::string& Bytes() const { return bytes_; }

    static constexpr uint32_t kError = 112;  // ERROR_DISK_FULL
    size_t failReadAt = 0;                   // 1-based; 0 never fails
    size_t failWriteAt = 0;
    std::vector<size_t> readSizes;
    std::vector<size_t> writeSizes;
    bool open_ = true;

  private:
    std::string bytes_;
    size_t readPosition_ = 0;
};

// ISO 8859-1 stands in for the system's ANSI code page.
class Latin1CodePage final : public AnsiCodePage {
  public:
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text;
        for (const char byte : bytes) {
            text += static_cast<char16_t>(static_cast<uint8_t>(byte));
        }
        return text;
    }
    std::string Encode(std::u16string_view text, bool& defaultUsed) const override {
        std::string bytes;
        defaultUsed = false;
        for (const char16_t unit : text) {
            defaultUsed = defaultUsed || unit > 0xFF;
            bytes += unit > 0xFF ? '?' : static_cast<char>(unit);
        }
        return bytes;
    }
};
