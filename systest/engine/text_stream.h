// Buffered text reading and writing in four encodings, independent of where the
// bytes live: the Win32 file layer (text_file.h) feeds it real files, the tests
// feed it memory. Reading detects the encoding by its byte order mark and
// returns lines as UTF-16; writing encodes UTF-16 after the encoding's mark.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class TextEncoding : int32_t {
    Ansi = 0,               // the system's ANSI code page, no byte order mark
    Utf16BigEndian = 1,     // FE FF
    Utf16LittleEndian = 2,  // FF FE
    Utf8 = 3,               // EF BB BF
};

// Raised when the system fails a read or a write; the file is closed by then.
struct CTextFileException {
    uint32_t error;  // the system error code (GetLastError)
};

// The file under a text reader or writer.
class ByteFile {
  public:
    virtual ~ByteFile() = default;
    virtual bool IsOpen() const = 0;
    // Reads up to buffer.size() bytes; count 0 means the end of the file. On
    // failure returns false with the system error code.
    virtual bool Read(std::span<uint8_t> buffer, size_t& count, uint32_t& error) = 0;
    virtual bool Write(std::span<const uint8_t> bytes, uint32_t& error) = 0;
    // Moves the read position back to the start of the file.
    virtual void Rewind() = 0;
    virtual void Close() = 0;
};

// Conversions of the ANSI encoding (MultiByteToWideChar and WideCharToMultiByte
// with the system's code page in the program).
class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    virtual std::u16string Decode(std::string_view bytes) const = 0;
    // defaultUsed reports whether a character had no equivalent in the code page.
    virtual std::string Encode(std::u16string_view text, bool& defaultUsed) const = 0;
};

// All file access goes through a buffer of this size: one read or write call
// per 1024 bytes.
inline constexpr size_t kTextFileBufferSize = 1024;

class TextReader {
  public:
    // Detects the encoding at once when the file is open; a file that is not
    // open leaves the reader at its end.
    TextReader(ByteFile& file, const AnsiCodePage& codePage);

    TextEncoding Encoding() const { return encoding_; }
    bool AtEnd() const { return atEnd_; }

    // Stores the next line without its line break (CR LF, a lone CR or a lone
    // LF). Returns false when the reader was already at its end. A file that
    // ends with a line break yields one final empty line.
    // Throws CTextFileException when a read fails.
    bool ReadLine(std::u16string& line);

  private:
    void DetectEncoding();
    void RestartAsAnsi();
    uint8_t NextByte();
    char16_t NextUnit();  // a character, or a byte for Ansi
    char16_t DecodeUtf8();

    ByteFile& file_;
    const AnsiCodePage& codePage_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool atEnd_ = false;
    std::array<uint8_t, kTextFileBufferSize> buffer_{};
    int32_t position_ = -1;  // index of the last byte used; -1 when the buffer is empty
    int32_t fill_ = 0;       // bytes the last read placed in the buffer
    bool hasPushback_ = false;
    char16_t pushback_ = 0;  // the unit that ended the previous line
    bool firstLine_ = true;
};

class TextWriter {
  public:
    // Buffers the byte order mark of the encoding when the file is open.
    TextWriter(ByteFile& file, const AnsiCodePage& codePage, TextEncoding encoding);

    // Converts and buffers the whole text; line breaks are written as they
    // stand. Does nothing when the file is not open.
    // Throws CTextFileException when a write fails.
    void Write(std::u16string_view text);
    // Writes out the buffer and closes the file.
    // Throws CTextFileException when the write fails.
    void Close();

    // Whether an Ansi write had to put the code page's default character.
    bool DefaultCharacterUsed() const { return defaultUsed_; }

  private:
    void PutByte(uint8_t byte);
    void Flush();

    ByteFile& file_;
    const AnsiCodePage& codePage_;
    TextEncoding encoding_;
    std::array<uint8_t, kTextFileBufferSize> buffer_{};
    size_t used_ = 0;
    bool defaultUsed_ = false;
};

// The bytes a TextWriter writes for the text: the encoding's byte order mark,
// then the text.
std::string EncodeText(std::u16string_view text, TextEncoding encoding,
                       const AnsiCodePage& codePage);
