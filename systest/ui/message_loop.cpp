#include "systest/ui/message_loop.h"

#include <algorithm>

void MessageLoop::RemoveMessageFilter(MessageFilter& filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), &filter), filters_.end());
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

int MessageLoop::Run() {
    MSG message{};
    for (;;) {
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
    }
}
