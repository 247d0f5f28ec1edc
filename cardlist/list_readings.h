// The graphics card list as each program reads the same bytes: QuarvelSysTest
// through its text reader (a byte-order mark chooses UTF-16 or UTF-8, other
// files are ANSI), Vexmira through a text-mode C stream in the "C" locale.
// Both readings keep the line of the file each of their lines came from, so
// what either program does can be told by the line the list's keeper sees.
#pragma once

#include "adapters/card_list_search.h"
#include "systest/engine/text_stream.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Vexmira's stream hands out at most this many characters per read.
inline constexpr size_t kVexmiraPieceLength = 255;

// One line as a program reads it, and the line of the file it comes from.
// The file's lines end at each line feed, as editors and diff tools count them.
struct ListLine {
    int number = 0;
    std::u16string text;
};

struct ListReadings {
    TextEncoding encoding = TextEncoding::Ansi;  // what QuarvelSysTest's reader detected
    std::vector<ListLine> quarvelSysTest;        // without line breaks
    std::vector<ListLine> vexmira;               // pieces as its stream gives them, "\n" kept
};

// QuarvelSysTest reads a file without a byte-order mark in the system's ANSI
// code page; the tool takes Windows-1252, the code page of English and
// Western European Windows.
class Windows1252CodePage final : public AnsiCodePage {
  public:
    std::u16string Decode(std::string_view bytes) const override;
    // The tool writes no file in the code page.
    std::string Encode(std::u16string_view text, bool& defaultUsed) const override;
};

ListReadings ReadAsBothPrograms(std::string_view bytes);

// A program's lines as the list readers of adapters/ take them, remembering
// the file's line of the line handed out last.
class RecordedLines final : public CardListLines {
  public:
    explicit RecordedLines(const std::vector<ListLine>& lines) : lines_(lines) {}
    bool ReadLine(std::u16string& line) override;

    // The last line handed out; null before the first.
    const ListLine* Current() const { return next_ == 0 ? nullptr : &lines_[next_ - 1]; }
    // Its line of the file; 0 before the first.
    int CurrentNumber() const { return next_ == 0 ? 0 : lines_[next_ - 1].number; }
    // Whether a reader asked for a line after the last one.
    bool ReachedEnd() const { return reachedEnd_; }

  private:
    const std::vector<ListLine>& lines_;
    size_t next_ = 0;
    bool reachedEnd_ = false;
};

// The lines for a reader that takes ownership of what it reads: it reads
// lines through, which outlive it.
std::unique_ptr<CardListLines> ReadThrough(RecordedLines& lines);

// One reading at any path, for Vexmira's list search.
class RecordedListFiles final : public CardListFiles {
  public:
    explicit RecordedListFiles(RecordedLines& lines) : lines_(lines) {}
    std::unique_ptr<CardListLines> Open(const std::u16string&) override {
        return ReadThrough(lines_);
    }

  private:
    RecordedLines& lines_;
};
