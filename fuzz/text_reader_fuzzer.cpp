// Any bytes as a text file of QuarvelSysTest: read in the encoding its first
// bytes name (or ANSI) to the end, once whole and once with a read that fails
// part way. A file with a byte order mark, written back line by line in its
// encoding, reads back as the same lines.
#include "fuzz/fuzz_lines.h"

#include "systest/engine/tests/memory_file.h"
#include "systest/engine/text_stream.h"

namespace {

std::vector<std::u16string> ReadAllLines(ByteFile& file, TextEncoding& encoding) {
    const Latin1CodePage codePage;
    TextReader reader(file, codePage);
    encoding = reader.Encoding();
    std::vector<std::u16string> lines;
    std::u16string line;
    while (!reader.AtEnd()) {
        FUZZ_CHECK(reader.ReadLine(line));
        lines.push_back(line);
    }
    FUZZ_CHECK(!reader.ReadLine(line));
    return lines;
}

std::string WriteAllLines(const std::vector<std::u16string>& lines, TextEncoding encoding) {
    const Latin1CodePage codePage;
    MemoryFile file;
    TextWriter writer(file, codePage, encoding);
    for (size_t i = 0; i < lines.size(); ++i) {
        writer.Write(lines[i]);
        if (i + 1 < lines.size()) {
            writer.Write(u"\r\n");
        }
    }
    writer.Close();
    return file.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryFile file(bytes);
    TextEncoding encoding = TextEncoding::Ansi;
    const std::vector<std::u16string> lines = ReadAllLines(file, encoding);
    FUZZ_CHECK(!lines.empty());
    if (encoding != TextEncoding::Ansi) {
        MemoryFile copy(WriteAllLines(lines, encoding));
        TextEncoding copyEncoding = TextEncoding::Ansi;
        FUZZ_CHECK(ReadAllLines(copy, copyEncoding) == lines);
        FUZZ_CHECK(copyEncoding == encoding);
    }

    // A failed read raises the system's error and closes the file.
    MemoryFile failing(bytes);
    failing.failReadAt = 2;
    try {
        ReadAllLines(failing, encoding);
    } catch (const CTextFileException& exception) {
        FUZZ_CHECK(exception.error == MemoryFile::kError);
        FUZZ_CHECK(!failing.IsOpen());
    }
    return 0;
}
