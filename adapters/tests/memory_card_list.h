// The graphics card list in memory, as lines that the list readers take.
#pragma once

#include "adapters/card_list_search.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The lines of an open list, given without line breaks.
class MemoryCardListLines final : public CardListLines {
  public:
    explicit MemoryCardListLines(std::vector<std::u16string> lines) : lines_(std::move(lines)) {}
    bool ReadLine(std::u16string& line) override {
        if (next_ == lines_.size()) {
            return false;
        }
        line = lines_[next_++];
        return true;
    }

  private:
    std::vector<std::u16string> lines_;
    size_t next_ = 0;
};

// One list file at any path; records the paths it was opened at.
class MemoryListFiles final : public CardListFiles {
  public:
    explicit MemoryListFiles(std::vector<std::u16string> lines) : lines_(std::move(lines)) {}
    bool exists = true;
    std::vector<std::u16string> openedPaths;

    std::unique_ptr<CardListLines> Open(const std::u16string& path) override {
        openedPaths.push_back(path);
        if (!exists) {
            return nullptr;
        }
        return std::make_unique<MemoryCardListLines>(lines_);
    }

  private:
    std::vector<std::u16string> lines_;
};
