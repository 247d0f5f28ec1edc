#include "systest/ui/userlist/list_metrics.h"

#include <gtest/gtest.h>

namespace {

TEST(ListMetrics, NearestImageSizeAndScaledLengths) {
    const struct {
        int32_t dpi;
        int32_t imageSize;
        int32_t four;  // a 4-pixel margin
        int32_t twenty;
    } cases[] = {
        {96, 16, 4, 20},   {120, 20, 5, 25}, {144, 24, 6, 30},
        {192, 32, 8, 40},  {72, 16, 3, 15},  {104, 16, 4, 22},  // nearer 16 than 20
        {168, 32, 7, 35},                   // halfway between 24 and 32: the larger
        {240, 32, 10, 50}, {0, 16, 4, 20},  // unknown: 96 DPI
        {-5, 16, 4, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const ListMetrics metrics = ListMetricsForDpi(c.dpi);
        EXPECT_EQ(metrics.imageSize, c.imageSize);
        EXPECT_EQ(metrics.Scale(4), c.four);
        EXPECT_EQ(metrics.Scale(20), c.twenty);
        EXPECT_EQ(metrics.Scale(0), 0);
    }
}

}  // namespace
