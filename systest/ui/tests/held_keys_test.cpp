#include "systest/ui/held_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kEnter = 0x0D;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kAlt = 0x12;

struct Key {
    KeyTransition transition;
    uint32_t key;
    bool wasDown;
    bool dropped;
};

constexpr Key Press(uint32_t key, bool dropped = false) {
    return {KeyTransition::Down, key, false, dropped};
}
constexpr Key Repeat(uint32_t key, bool dropped) {
    return {KeyTransition::Down, key, true, dropped};
}
constexpr Key Release(uint32_t key, bool dropped) {
    return {KeyTransition::Up, key, true, dropped};
}

// Each sequence starts as the main dialog takes input.
TEST(HeldKeys, OnlyKeysPressedSinceActOnTheDialog) {
    const struct {
        const char* name;
        std::vector<Key> keys;
    } cases[] = {
        {"Enter held from the agreement page: its repeats and its release",
         {Repeat(kEnter, true), Repeat(kEnter, true), Release(kEnter, true)}},
        {"pressed again after the held one was let go",
         {Release(kEnter, true), Press(kEnter), Repeat(kEnter, false), Release(kEnter, false)}},
        {"a fresh press of another key while one is held",
         {Repeat(kEnter, true), Press(kEscape), Release(kEscape, false), Repeat(kEnter, true)}},
        {"Alt+Tab ended before: Alt's release alone",
         {Release(kAlt, true), Press(kAlt), Release(kAlt, false)}},
        {"other messages pass", {{KeyTransition::Other, kEnter, true, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeldKeys keys;
        for (size_t i = 0; i < c.keys.size(); ++i) {
            const Key& key = c.keys[i];
            EXPECT_EQ(keys.Drops(key.transition, key.key, key.wasDown), key.dropped)
                << "message " << i;
        }
    }
}

}  // namespace
