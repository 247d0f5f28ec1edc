#include "systest/ui/held_keys.h"

bool HeldKeys::Drops(KeyTransition transition, uint32_t virtualKey, bool wasDown) {
    switch (transition) {
        case KeyTransition::Down:
            if (!wasDown) {
                pressedSince_.insert(virtualKey);
                return false;
            }
            return !pressedSince_.contains(virtualKey);
        case KeyTransition::Up:
            return pressedSince_.erase(virtualKey) == 0;
        case KeyTransition::Other:
            break;
    }
    return false;
}
