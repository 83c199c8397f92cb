#include "framework/scaling.h"

#include <gtest/gtest.h>

TEST(ScaleValue, RoundsHalvesToEven) {
    struct Case {
        int value;
        float ratio;
        int expected;
    };
    const Case cases[] = {
        {15, 1.5f, 22},   {21, 1.5f, 32}, {30, 1.5f, 45}, {75, 1.5f, 112}, {22, 1.5f, 33},
        {-15, 1.5f, -22}, {15, 1.0f, 15}, {7, 1.25f, 9},  {10, 1.25f, 12}, {0, 2.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " x " << c.ratio);
        EXPECT_EQ(ScaleValue(c.value, c.ratio), c.expected);
    }
}

TEST(FontHeightForPoints, Arithmetic) {
    struct Case {
        int points, dpi, screenY, height;
    };
    const Case cases[] = {
        {8, 96, 120, -10}, {8, 120, 120, -13},  {8, 96, 96, -11},  {9, 96, 96, -12},
        {12, 96, 96, -16}, {12, 144, 144, -24}, {8, 144, 96, -16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.points << "pt dpi " << c.dpi << " screen " << c.screenY);
        EXPECT_EQ(FontHeightForPoints(c.points, c.dpi, c.screenY), c.height);
    }
}
