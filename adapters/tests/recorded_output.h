// What the adapter rules write, kept in memory for the tests to compare: the
// diagnostic's log lines and the "-verbosevideo" boxes.
#pragma once

#include "adapters/diagnostic_log.h"
#include "adapters/verbose_video.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The log's messages, one entry per Print.
class MemoryLog final : public DiagnosticLog {
  public:
    std::vector<std::u16string> lines;
    void Print(std::u16string_view text) override { lines.emplace_back(text); }
};

// The boxes a run would show, in order.
class RecordedVideo final : public VerboseVideo {
  public:
    std::vector<std::pair<std::u16string, std::u16string>> boxes;  // caption, text
    void Show(std::u16string_view caption, std::u16string_view text) override {
        boxes.emplace_back(caption, text);
    }
};
