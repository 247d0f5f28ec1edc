#include "cardlist/list_readings.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
// A text-mode C stream ends its input at Ctrl+Z.
constexpr char kEndOfFileMark = '\x1A';

// Windows-1252 at 0x80 to 0x9F; the other bytes are the characters of their
// value. The five unassigned bytes map to the control characters of their
// value, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class MemoryBytes final : public ByteFile {
  public:
    explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
    bool IsOpen() const override { return true; }
    bool Read(std::span<uint8_t> buffer, size_t& count, uint32_t&) override {
        count = std::min(buffer.size(), bytes_.size() - position_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, buffer.begin());
        position_ += count;
        return true;
    }
    bool Write(std::span<const uint8_t>, uint32_t&) override { return false; }
    void Rewind() override { position_ = 0; }
    void Close() override {}

  private:
    std::string_view bytes_;
    size_t position_ = 0;
};

// The code units of the file's text after its byte-order mark: bytes, or
// 16-bit units for UTF-16.
std::u16string CodeUnits(std::string_view bytes, TextEncoding encoding) {
    std::u16string units;
    switch (encoding) {
        case TextEncoding::Ansi:
            break;
        case TextEncoding::Utf8:
            bytes.remove_prefix(3);
            break;
        case TextEncoding::Utf16LittleEndian:
        case TextEncoding::Utf16BigEndian: {
            const bool little = encoding == TextEncoding::Utf16LittleEndian;
            for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
                const auto first = static_cast<uint8_t>(bytes[at]);
                const auto second = static_cast<uint8_t>(bytes[at + 1]);
                units += static_cast<char16_t>(little ? second << 8 | first : first << 8 | second);
            }
            return units;
        }
    }
    for (const char byte : bytes) {
        units += static_cast<char16_t>(static_cast<uint8_t>(byte));
    }
    return units;
}

// The file's line of each of the reader's lines: the reader ends a line at a
// carriage return too, the file's lines end at line feeds only. When the
// breaks found in the code units do not account for the reader's lines (a
// malformed UTF-8 sequence can swallow one), the reader's count is kept.
std::vector<int> FileLineNumbers(const std::u16string& units, size_t readerLines) {
    std::vector<int> numbers{1};
    int fileLine = 1;
    for (size_t at = 0; at < units.size(); ++at) {
        if (units[at] == u'\r' && at + 1 < units.size() && units[at + 1] == u'\n') {
            ++at;
        }
        if (units[at] == u'\r' || units[at] == u'\n') {
            fileLine += units[at] == u'\n' ? 1 : 0;
            numbers.push_back(fileLine);
        }
    }
    if (numbers.size() != readerLines) {
        numbers.resize(readerLines);
        for (size_t i = 0; i < readerLines; ++i) {
            numbers[i] = static_cast<int>(i) + 1;
        }
    }
    return numbers;
}

std::vector<ListLine> ReadAsQuarvelSysTest(std::string_view bytes, TextEncoding& encoding) {
    MemoryBytes file(bytes);
    const Windows1252CodePage codePage;
    TextReader reader(file, codePage);
    std::vector<ListLine> lines;
    std::u16string text;
    while (reader.ReadLine(text)) {
        lines.push_back({0, text});
    }
    encoding = reader.Encoding();
    const std::vector<int> numbers = FileLineNumbers(CodeUnits(bytes, encoding), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].number = numbers[i];
    }
    return lines;
}

// The C run-time's text mode in the "C" locale: input ends at Ctrl+Z, CR LF
// becomes LF, each byte is the character of its value. A read takes up to
// 255 characters, through the line feed; the program sees its buffer up to
// the first NUL.
std::vector<ListLine> ReadAsVexmira(std::string_view bytes) {
    std::vector<ListLine> pieces;
    std::u16string piece;
    int fileLine = 1;
    int pieceLine = 1;
    const auto endPiece = [&] {
        pieces.push_back({pieceLine, piece.substr(0, piece.find(u'\0'))});
        piece.clear();
        pieceLine = fileLine;
    };
    for (size_t at = 0; at < bytes.size() && bytes[at] != kEndOfFileMark; ++at) {
        if (bytes[at] == kCarriageReturn && at + 1 < bytes.size() && bytes[at + 1] == kLineFeed) {
            continue;
        }
        piece += static_cast<char16_t>(static_cast<uint8_t>(bytes[at]));
        if (bytes[at] == kLineFeed) {
            ++fileLine;
        }
        if (bytes[at] == kLineFeed || piece.size() == kVexmiraPieceLength) {
            endPiece();
        }
    }
    if (!piece.empty()) {
        endPiece();
    }
    return pieces;
}

}  // namespace

std::u16string Windows1252CodePage::Decode(std::string_view bytes) const {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<uint8_t>(byte);
        text += value >= 0x80 && value < 0xA0 ? kWindows1252High[value - 0x80]
                                              : static_cast<char16_t>(value);
    }
    return text;
}

std::string Windows1252CodePage::Encode(std::u16string_view, bool& defaultUsed) const {
    defaultUsed = true;
    return {};
}

ListReadings ReadAsBothPrograms(std::string_view bytes) {
    ListReadings readings;
    readings.quarvelSysTest = ReadAsQuarvelSysTest(bytes, readings.encoding);
    readings.vexmira = ReadAsVexmira(bytes);
    return readings;
}

bool RecordedLines::ReadLine(std::u16string& line) {
    if (next_ == lines_.size()) {
        reachedEnd_ = true;
        return false;
    }
    line = lines_[next_++].text;
    return true;
}

std::unique_ptr<CardListLines> ReadThrough(RecordedLines& lines) {
    class Through final : public CardListLines {
      public:
        explicit Through(RecordedLines& lines) : lines_(lines) {}
        bool ReadLine(std::u16string& line) override { return lines_.ReadLine(line); }

      private:
        RecordedLines& lines_;
    };
    return std::make_unique<Through>(lines);
}
