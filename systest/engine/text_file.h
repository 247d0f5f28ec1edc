// The program's text files on the Win32 file functions: TextFileReader for the
// agreement text and the graphics card list, TextFileWriter for the report.
#pragma once

#include "common/win/handles.h"
#include "systest/engine/text_stream.h"

#include <string>

// A file opened through CreateFileW, read and written in 1024-byte calls.
class Win32ByteFile final : public ByteFile {
  public:
    explicit Win32ByteFile(UniqueFileHandle handle) : handle_(std::move(handle)) {}

    bool IsOpen() const override { return handle_.valid(); }
    bool Read(std::span<uint8_t> buffer, size_t& count, uint32_t& error) override;
    bool Write(std::span<const uint8_t> bytes, uint32_t& error) override;
    void Rewind() override;
    void Close() override { handle_.reset(); }

  private:
    UniqueFileHandle handle_;
};

// The system's ANSI code page (CP_ACP).
class SystemAnsiCodePage final : public AnsiCodePage {
  public:
    std::u16string Decode(std::string_view bytes) const override;
    std::string Encode(std::u16string_view text, bool& defaultUsed) const override;
};

class TextFileReader {
  public:
    // Opens for reading, shared for reading. A file that cannot be opened
    // leaves the reader not open and at its end; nothing is raised.
    explicit TextFileReader(const std::u16string& path);

    bool IsOpen() const { return file_.IsOpen(); }
    bool AtEnd() const { return reader_.AtEnd(); }
    TextEncoding Encoding() const { return reader_.Encoding(); }
    // Throws CTextFileException when a read fails (the file is closed then).
    bool ReadLine(std::u16string& line) { return reader_.ReadLine(line); }
    void Close() { file_.Close(); }

  private:
    SystemAnsiCodePage codePage_;
    Win32ByteFile file_;
    TextReader reader_;
};

class TextFileWriter {
  public:
    // Creates the file for writing without sharing, replacing an existing one,
    // and buffers the byte order mark of the encoding. A file that cannot be
    // created leaves the writer not open; it then writes nothing.
    TextFileWriter(const std::u16string& path, TextEncoding encoding);
    // Closes without raising: call Close to learn whether the last write worked.
    ~TextFileWriter();

    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    bool IsOpen() const { return file_.IsOpen(); }
    // Both throw CTextFileException when a write fails (the file is closed then).
    void Write(std::u16string_view text) { writer_.Write(text); }
    void Close() { writer_.Close(); }

  private:
    SystemAnsiCodePage codePage_;
    Win32ByteFile file_;
    TextWriter writer_;
};
