#include "systest/ui/message_loop.h"

#include <algorithm>

namespace {

// Messages after which the idle handlers do not need to run again.
constexpr UINT kSystemTimer = 0x0118;

bool AllowsIdle(UINT message) {
    return message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_PAINT &&
           message != kSystemTimer;
}

template <typename T>
void Remove(std::vector<T*>& list, T& item) {
    list.erase(std::remove(list.begin(), list.end(), &item), list.end());
}

}  // namespace

void MessageLoop::RemoveMessageFilter(MessageFilter& filter) {
    Remove(filters_, filter);
}

void MessageLoop::RemoveIdleHandler(IdleHandler& handler) {
    Remove(idleHandlers_, handler);
}

bool MessageLoop::Filter(MSG& message) {
    // A filter may remove itself while it handles the message (a dialog that
    // is destroyed by its own keystroke), so walk a copy.
    const std::vector<MessageFilter*> filters = filters_;
    for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
        if ((*it)->PreTranslateMessage(message)) {
            return true;
        }
    }
    return false;
}

void MessageLoop::RunIdleHandlers() {
    const std::vector<IdleHandler*> handlers = idleHandlers_;
    for (IdleHandler* handler : handlers) {
        handler->OnIdle();
    }
}

int MessageLoop::Run() {
    bool idleAllowed = true;
    MSG message{};
    for (;;) {
        if (idleAllowed && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            RunIdleHandlers();
            idleAllowed = false;
        }
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == -1) {
            continue;
        }
        if (result == 0) {
            return static_cast<int>(message.wParam);
        }
        if (!Filter(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (AllowsIdle(message.message)) {
            idleAllowed = true;
        }
    }
}
