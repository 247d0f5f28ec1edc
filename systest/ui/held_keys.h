// Keys held down from before the main dialog took input. A key pressed on the
// busy agreement page and still held when the results show would go on
// repeating into the main dialog: a held Enter would close it before the
// user read it. Only the keys pressed since the dialog took input act on it.
#pragma once

#include <cstdint>
#include <set>

enum class KeyTransition {
    Down,   // WM_KEYDOWN, WM_SYSKEYDOWN
    Up,     // WM_KEYUP, WM_SYSKEYUP
    Other,  // any other message
};

class HeldKeys {
  public:
    // Whether the key message must not act. wasDown is the message's
    // previous-state bit (a repeat of a key already down). A repeat or the
    // release of a key whose press came before is dropped; a key pressed
    // afresh acts, and so do its repeats.
    bool Drops(KeyTransition transition, uint32_t virtualKey, bool wasDown);

  private:
    std::set<uint32_t> pressedSince_;  // keys down whose press was let through
};
