// The message loop with real thread messages: the order of the filters, and
// what a filter that takes a message prevents.
#include "systest/ui/message_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class LoggingFilter final : public MessageFilter {
  public:
    LoggingFilter(std::string name, Log& log, UINT takes = 0)
        : name_(std::move(name)), log_(log), takes_(takes) {}
    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_APP || message.message == WM_APP + 1) {
            log_.push_back(name_ + ":" + std::to_string(message.message - WM_APP));
        }
        return message.message == takes_;
    }

  private:
    std::string name_;
    Log& log_;
    UINT takes_;
};

TEST(MessageLoop, AsksTheMostRecentFilterFirstAndStopsAtTheOneThatTakesIt) {
    Log log;
    LoggingFilter first("first", log);
    LoggingFilter second("second", log, WM_APP + 1);
    MessageLoop loop;
    loop.AddMessageFilter(first);
    loop.AddMessageFilter(second);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    PostQuitMessage(7);
    EXPECT_EQ(loop.Run(), 7);
    EXPECT_EQ(log, (Log{"second:0", "first:0", "second:1"}));
}

TEST(MessageLoop, RemovedFilterIsNotAsked) {
    Log log;
    LoggingFilter first("first", log);
    LoggingFilter second("second", log);
    MessageLoop loop;
    loop.AddMessageFilter(first);
    loop.AddMessageFilter(second);
    loop.RemoveMessageFilter(second);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(0);
    loop.Run();
    EXPECT_EQ(log, (Log{"first:0"}));
}

}  // namespace
