#include "systest/engine/card_list_file.h"

#include "systest/engine/text_file.h"

namespace {

class TextFileCardListLines final : public CardListLines {
  public:
    explicit TextFileCardListLines(std::unique_ptr<TextFileReader> reader)
        : reader_(std::move(reader)) {}

    bool ReadLine(std::u16string& line) override {
        try {
            return reader_->ReadLine(line);
        } catch (const CTextFileException&) {
            return false;  // the reader has closed the file
        }
    }

  private:
    std::unique_ptr<TextFileReader> reader_;
};

}  // namespace

std::unique_ptr<CardListLines> OpenCardListFile(const std::u16string& path) {
    std::unique_ptr<TextFileReader> reader;
    try {
        // The reader looks for a byte order mark at once.
        reader = std::make_unique<TextFileReader>(path);
    } catch (const CTextFileException&) {
        return nullptr;
    }
    if (!reader->IsOpen()) {
        return nullptr;
    }
    return std::make_unique<TextFileCardListLines>(std::move(reader));
}
