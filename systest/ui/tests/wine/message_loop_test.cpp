// The message loop with real thread messages: the order of the filters, what
// a filter that takes a message prevents, and when the idle handlers run.
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

// Records the messages the loop handles and the idle calls between them.
class IdleRecorder final : public MessageFilter, public IdleHandler {
  public:
    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_MOUSEMOVE || message.message == WM_TIMER) {
            log.push_back(message.message == WM_MOUSEMOVE ? "mousemove" : "timer");
        }
        if (message.message == WM_TIMER) {
            KillTimer(nullptr, message.wParam);
        }
        return false;
    }
    void OnIdle() override {
        log.push_back("idle");
        if (++idleCalls == 1) {
            // A mouse move alone must not wake the idle handlers; the timer must.
            PostThreadMessageW(GetCurrentThreadId(), WM_MOUSEMOVE, 0, 0);
            SetTimer(nullptr, 0, 30, nullptr);
        } else {
            PostQuitMessage(3);
        }
    }

    Log log;
    int idleCalls = 0;
};

TEST(MessageLoop, IdleHandlersRunWhenTheQueueEmptiesAfterMessagesOtherThanMouseMoves) {
    IdleRecorder recorder;
    MessageLoop loop;
    loop.AddMessageFilter(recorder);
    loop.AddIdleHandler(recorder);
    EXPECT_EQ(loop.Run(), 3);
    EXPECT_EQ(recorder.log, (Log{"idle", "mousemove", "timer", "idle"}));
}

}  // namespace
