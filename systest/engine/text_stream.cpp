#include "systest/engine/text_stream.h"

namespace {

constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kReplacementCharacter = u'\uFFFD';

// Lines are collected in chunks of this many units, not unit by unit.
constexpr size_t kLineChunkSize = 1024;

template <typename Unit>
class LineChunk {
  public:
    explicit LineChunk(std::basic_string<Unit>& line) : line_(line) { line_.clear(); }
    ~LineChunk() { line_.append(units_.data(), used_); }

    void Append(Unit unit) {
        units_[used_++] = unit;
        if (used_ == kLineChunkSize - 1) {
            line_.append(units_.data(), used_);
            used_ = 0;
        }
    }

  private:
    std::basic_string<Unit>& line_;
    std::array<Unit, kLineChunkSize> units_{};
    size_t used_ = 0;
};

}  // namespace

TextReader::TextReader(ByteFile& file, const AnsiCodePage& codePage)
    : file_(file), codePage_(codePage) {
    if (!file_.IsOpen()) {
        atEnd_ = true;
        return;
    }
    DetectEncoding();
}

void TextReader::DetectEncoding() {
    const uint8_t b0 = NextByte();
    const uint8_t b1 = NextByte();
    if (b0 == 0xFF && b1 == 0xFE) {
        encoding_ = TextEncoding::Utf16LittleEndian;
    } else if (b0 == 0xFE && b1 == 0xFF) {
        encoding_ = TextEncoding::Utf16BigEndian;
    } else if (b0 == 0xEF && b1 == 0xBB && NextByte() == 0xBF) {
        encoding_ = TextEncoding::Utf8;
    } else {
        RestartAsAnsi();
    }
}

// A file without a byte order mark is read again from its first byte.
void TextReader::RestartAsAnsi() {
    encoding_ = TextEncoding::Ansi;
    file_.Rewind();
    position_ = -1;
    fill_ = 0;
    hasPushback_ = false;
    atEnd_ = false;
    firstLine_ = true;
}

uint8_t TextReader::NextByte() {
    if (position_ == -1 || position_ == static_cast<int32_t>(kTextFileBufferSize) - 1) {
        size_t count = 0;
        uint32_t error = 0;
        if (!file_.Read(buffer_, count, error)) {
            file_.Close();
            throw CTextFileException{error};
        }
        fill_ = static_cast<int32_t>(count);
        position_ = -1;
        if (count == 0) {
            atEnd_ = true;
            return 0;
        }
    }
    ++position_;
    if (position_ >= fill_) {
        atEnd_ = true;
        return 0;
    }
    return buffer_[static_cast<size_t>(position_)];
}

char16_t TextReader::DecodeUtf8() {
    const uint8_t lead = NextByte();
    if (lead < 0x80) {
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        const uint8_t next = NextByte();
        return static_cast<char16_t>(((lead * 64) & 0x7FF) | (next & 0x3F));
    }
    if ((lead & 0xF0) == 0xE0) {
        const uint8_t second = NextByte();
        const uint8_t third = NextByte();
        // Kept to 16 bits: the lead's marker bits fall off the top.
        return static_cast<char16_t>(lead * 4096 + (second & 0x3F) * 64 + (third & 0x3F));
    }
    // A stray continuation byte or the lead of a sequence longer than three
    // bytes; the bytes after it are read as new leads.
    return kReplacementCharacter;
}

char16_t TextReader::NextUnit() {
    if (hasPushback_) {
        hasPushback_ = false;
        return pushback_;
    }
    switch (encoding_) {
        case TextEncoding::Utf8:
            return DecodeUtf8();
        case TextEncoding::Utf16BigEndian: {
            const uint8_t high = NextByte();
            return static_cast<char16_t>(high << 8 | NextByte());
        }
        case TextEncoding::Utf16LittleEndian: {
            const uint8_t low = NextByte();
            return static_cast<char16_t>(NextByte() << 8 | low);
        }
        case TextEncoding::Ansi:
            break;
    }
    return NextByte();
}

bool TextReader::ReadLine(std::u16string& line) {
    if (atEnd_) {
        return false;
    }
    // Consume the line break that ended the previous line.
    char16_t unit = NextUnit();
    if (!firstLine_) {
        if (unit == kCarriageReturn) {
            unit = NextUnit();
        }
        if (unit == kLineFeed) {
            unit = NextUnit();
        }
    }

    if (encoding_ == TextEncoding::Ansi) {
        std::string bytes;
        {
            LineChunk<char> chunk(bytes);
            while (!atEnd_ && unit != kCarriageReturn && unit != kLineFeed) {
                chunk.Append(static_cast<char>(unit));
                unit = NextUnit();
            }
        }
        line = codePage_.Decode(bytes);
    } else {
        LineChunk<char16_t> chunk(line);
        while (!atEnd_ && unit != kCarriageReturn && unit != kLineFeed) {
            chunk.Append(unit);
            unit = NextUnit();
        }
    }

    hasPushback_ = true;
    pushback_ = unit;
    firstLine_ = false;
    return true;
}

TextWriter::TextWriter(ByteFile& file, const AnsiCodePage& codePage, TextEncoding encoding)
    : file_(file), codePage_(codePage), encoding_(encoding) {
    if (!file_.IsOpen()) {
        return;
    }
    switch (encoding_) {
        case TextEncoding::Utf16BigEndian:
            PutByte(0xFE);
            PutByte(0xFF);
            break;
        case TextEncoding::Utf16LittleEndian:
            PutByte(0xFF);
            PutByte(0xFE);
            break;
        case TextEncoding::Utf8:
            PutByte(0xEF);
            PutByte(0xBB);
            PutByte(0xBF);
            break;
        case TextEncoding::Ansi:
            break;
    }
}

void TextWriter::Write(std::u16string_view text) {
    if (!file_.IsOpen()) {
        return;
    }
    if (encoding_ == TextEncoding::Ansi) {
        bool defaultUsed = false;
        for (const char byte : codePage_.Encode(text, defaultUsed)) {
            PutByte(static_cast<uint8_t>(byte));
        }
        defaultUsed_ = defaultUsed_ || defaultUsed;
        return;
    }
    // Each code unit is encoded by itself: a surrogate pair becomes two
    // three-byte UTF-8 sequences.
    for (const char16_t unit : text) {
        switch (encoding_) {
            case TextEncoding::Utf16BigEndian:
                PutByte(static_cast<uint8_t>(unit >> 8));
                PutByte(static_cast<uint8_t>(unit & 0xFF));
                break;
            case TextEncoding::Utf16LittleEndian:
                PutByte(static_cast<uint8_t>(unit & 0xFF));
                PutByte(static_cast<uint8_t>(unit >> 8));
                break;
            case TextEncoding::Utf8:
                if (unit <= 0x7F) {
                    PutByte(static_cast<uint8_t>(unit));
                } else if (unit <= 0x7FF) {
                    PutByte(static_cast<uint8_t>(0xC0 | (unit >> 6)));
                    PutByte(static_cast<uint8_t>(0x80 | (unit & 0x3F)));
                } else {
                    PutByte(static_cast<uint8_t>(0xE0 | (unit >> 12)));
                    PutByte(static_cast<uint8_t>(0x80 | ((unit >> 6) & 0x3F)));
                    PutByte(static_cast<uint8_t>(0x80 | (unit & 0x3F)));
                }
                break;
            case TextEncoding::Ansi:
                break;
        }
    }
}

void TextWriter::PutByte(uint8_t byte) {
    if (used_ == buffer_.size()) {
        Flush();
    }
    buffer_[used_++] = byte;
}

void TextWriter::Flush() {
    if (used_ == 0) {
        return;
    }
    uint32_t error = 0;
    const bool written = file_.Write(std::span(buffer_.data(), used_), error);
    used_ = 0;
    if (!written) {
        file_.Close();
        throw CTextFileException{error};
    }
}

void TextWriter::Close() {
    if (file_.IsOpen()) {
        Flush();
        file_.Close();
    }
}

namespace {

// Memory that a TextWriter fills.
class StringByteFile final : public ByteFile {
  public:
    explicit StringByteFile(std::string& bytes) : bytes_(bytes) {}
    bool IsOpen() const override { return true; }
    bool Read(std::span<uint8_t>, size_t& count, uint32_t&) override {
        count = 0;
        return true;
    }
    bool Write(std::span<const uint8_t> bytes, uint32_t&) override {
        bytes_.append(bytes.begin(), bytes.end());
        return true;
    }
    void Rewind() override {}
    void Close() override {}

  private:
    std::string& bytes_;
};

}  // namespace

std::string EncodeText(std::u16string_view text, TextEncoding encoding,
                       const AnsiCodePage& codePage) {
    std::string bytes;
    StringByteFile memory(bytes);
    TextWriter writer(memory, codePage, encoding);
    writer.Write(text);
    writer.Close();
    return bytes;
}
