#include "systest/ui/userlist/title_tip_layout.h"

#include "systest/ui/userlist/paint_layout.h"

namespace {

// The tip is this much wider than its text: the indent and room on the right.
constexpr int32_t kTitleTipExtraWidth = 11;

}  // namespace

ListRect TitleTipTextRect(const ListRect& cell, int32_t column, bool hasRowImage,
                          const ListMetrics& metrics) {
    ListRect text = CellTextRect(cell, column, metrics);
    if (hasRowImage) {
        text.left += metrics.imageSize + metrics.Scale(kImageTextGap);
    }
    return text;
}

bool TitleTipNeeded(const ListRect& text, int32_t textWidth) {
    return text.Width() - 1 < textWidth;
}

ListRect TitleTipWindowRect(const ListRect& text, int32_t textWidth) {
    const int32_t left = text.left - kTitleTipTextIndent;
    return {left, text.top, left + textWidth + kTitleTipExtraWidth, text.bottom};
}
