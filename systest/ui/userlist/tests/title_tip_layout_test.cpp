#include "systest/ui/userlist/title_tip_layout.h"

#include "systest/ui/userlist/tests/print_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(TitleTipLayout, TextAreaAsPainted) {
    const ListRect cell{100, 40, 220, 60};
    EXPECT_EQ(TitleTipTextRect(cell, 1, false, ListMetrics{}), (ListRect{107, 44, 216, 56}));
    EXPECT_EQ(TitleTipTextRect(cell, 0, false, ListMetrics{}), (ListRect{108, 44, 216, 56}));
    EXPECT_EQ(TitleTipTextRect(cell, 0, true, ListMetrics{}), (ListRect{128, 44, 216, 56}));
}

TEST(TitleTipLayout, OnlyClippedTextsGetATip) {
    const ListRect text{107, 44, 216, 56};  // 109 wide; painting has 108 for the text
    const struct {
        int32_t textWidth;
        bool needed;
    } cases[] = {{50, false}, {107, false}, {108, false}, {109, true}, {400, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.textWidth);
        EXPECT_EQ(TitleTipNeeded(text, c.textWidth), c.needed);
    }
}

TEST(TitleTipLayout, WindowLaysTheTipTextOverTheCellText) {
    EXPECT_EQ(TitleTipWindowRect({507, 344, 616, 356}, 150), (ListRect{503, 344, 664, 356}));
}

}  // namespace
