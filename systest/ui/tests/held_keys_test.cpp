#include "systest/ui/held_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kEnter = 0x0D;
constexpr uint32_t kEscape = 0x1B;
constexpr KeyTransition kDown = KeyTransition::Down;
constexpr KeyTransition kUp = KeyTransition::Up;

// Each sequence starts as the main dialog takes input.
TEST(HeldKeys, OnlyKeysPressedSinceActOnTheDialog) {
    const struct {
        const char* name;
        struct Key {
            KeyTransition transition;
            uint32_t key;
            bool wasDown;
            bool dropped;
        };
        std::vector<Key> keys;
    } cases[] = {
        {"Enter held from the agreement page: its repeats and its release",
         {{kDown, kEnter, true, true}, {kDown, kEnter, true, true}, {kUp, kEnter, true, true}}},
        {"pressed afresh once let go: the press, its repeats and release act",
         {{kUp, kEnter, true, true},
          {kDown, kEnter, false, false},
          {kDown, kEnter, true, false},
          {kUp, kEnter, true, false}}},
        {"another key pressed while Enter is held",
         {{kDown, kEnter, true, true},
          {kDown, kEscape, false, false},
          {kDown, kEnter, true, true}}},
        {"other messages pass", {{KeyTransition::Other, kEnter, true, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeldKeys keys;
        for (size_t i = 0; i < c.keys.size(); ++i) {
            const auto& key = c.keys[i];
            EXPECT_EQ(keys.Drops(key.transition, key.key, key.wasDown), key.dropped)
                << "message " << i;
        }
    }
}

}  // namespace
