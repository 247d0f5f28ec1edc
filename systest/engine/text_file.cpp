#include "systest/engine/text_file.h"

#include "common/win/wide.h"

namespace {

UniqueFileHandle OpenForReading(const std::u16string& path) {
    return UniqueFileHandle(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

UniqueFileHandle CreateForWriting(const std::u16string& path) {
    return UniqueFileHandle(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

bool Win32ByteFile::Read(std::span<uint8_t> buffer, size_t& count, uint32_t& error) {
    DWORD read = 0;
    if (!ReadFile(handle_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                  nullptr)) {
        error = GetLastError();
        return false;
    }
    count = read;
    return true;
}

bool Win32ByteFile::Write(std::span<const uint8_t> bytes, uint32_t& error) {
    DWORD written = 0;
    if (!WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr)) {
        error = GetLastError();
        return false;
    }
    return true;
}

void Win32ByteFile::Rewind() {
    SetFilePointer(handle_.get(), 0, nullptr, FILE_BEGIN);
}

std::u16string SystemAnsiCodePage::Decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return FromWide(text);
}

std::string SystemAnsiCodePage::Encode(std::u16string_view text, bool& defaultUsed) const {
    defaultUsed = false;
    if (text.empty()) {
        return {};
    }
    const std::wstring wide = ToWide(text);
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), length, nullptr, &usedDefault);
    defaultUsed = usedDefault != FALSE;
    return bytes;
}

TextFileReader::TextFileReader(const std::u16string& path)
    : file_(OpenForReading(path)), reader_(file_, codePage_) {}

TextFileWriter::TextFileWriter(const std::u16string& path, TextEncoding encoding)
    : file_(CreateForWriting(path)), writer_(file_, codePage_, encoding) {}

TextFileWriter::~TextFileWriter() {
    try {
        writer_.Close();
    } catch (const CTextFileException&) {
        // A destructor must not raise; the file is closed by now.
    }
}
