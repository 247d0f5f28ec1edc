#include "adapters/win/card_list_stream.h"

#include "common/win/wide.h"

#include <cwchar>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using UniqueCFile = std::unique_ptr<FILE, FileCloser>;

class CStreamCardListLines final : public CardListLines {
  public:
    explicit CStreamCardListLines(UniqueCFile file) : file_(std::move(file)) {}

    // A NUL byte (as in a UTF-16 file) ends the line's text where it stands.
    bool ReadLine(std::u16string& line) override {
        wchar_t buffer[kVexmiraTextUnits];
        if (std::fgetws(buffer, static_cast<int>(kVexmiraTextUnits), file_.get()) == nullptr) {
            return false;
        }
        line = FromWide(buffer);
        return true;
    }

  private:
    UniqueCFile file_;
};

}  // namespace

std::unique_ptr<CardListLines> CStreamCardListFiles::Open(const std::u16string& path) {
    UniqueCFile file(_wfopen(WideCStr(path), L"rt"));
    if (!file) {
        return nullptr;
    }
    return std::make_unique<CStreamCardListLines>(std::move(file));
}
