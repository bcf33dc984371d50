#include "app/FrameLoop.h"

#include <gtest/gtest.h>

namespace {

TEST(FreshPressTest, ActsOncePerPressHoweverLongItIsHeld) {
    FreshPress press;
    EXPECT_TRUE(press(true));
    EXPECT_FALSE(press(true));
    EXPECT_FALSE(press(true));
    EXPECT_FALSE(press(false));
    EXPECT_TRUE(press(true));
}

TEST(FrameRateCounterTest, PrintsOnlyOnceMoreThanASecondHasPassed) {
    {
        FrameRateCounter counter(0.0);
        int printed = -1;
        for (int frame = 1; frame <= 1000; ++frame) {
            printed = counter.frameFinished(frame * (1.0004 / 1000.0));
            if (frame < 1000) {
                ASSERT_EQ(printed, -1) << frame;
            }
        }
        EXPECT_EQ(printed, 999); // 999.6 truncated
    }
    {
        FrameRateCounter counter(10.0);
        EXPECT_EQ(counter.frameFinished(10.5), -1);
        EXPECT_EQ(counter.frameFinished(11.0), -1); // exactly 1.0 is not past a second
        EXPECT_EQ(counter.frameFinished(11.25), 2); // 3 frames in 1.25 s
        EXPECT_EQ(counter.frameFinished(11.5), -1); // counting starts afresh
    }
    {
        // The time is kept in single precision, whose spacing just above 1 s
        // is 2^-23 s: a frame of 1e-8 s added to exactly 1 s rounds back to
        // 1 s and is lost, so no line yet. A frame of 1e-7 s rounds up to
        // 1 + 2^-23 s, past a second: 10 frames / 1.00000012 s = 9.9999988.
        FrameRateCounter counter(0.0);
        EXPECT_EQ(counter.frameFinished(1.0), -1);
        for (int frame = 2; frame <= 9; ++frame)
            EXPECT_EQ(counter.frameFinished(1.0 + (frame - 1) * 1e-8), -1) << frame;
        EXPECT_EQ(counter.frameFinished(1.0 + 8e-8 + 1e-7), 9);
    }
}

} // namespace
