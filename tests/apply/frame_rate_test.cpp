#include "apply/frame_rate.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

TEST(FrameRate, FindsTheExactRateBehindTheHostsDouble) {
    const struct {
        double fps;
        std::int64_t num, den;
    } cases[] = {
        {25.0, 25, 1},         {30.0, 30, 1},         {29.97, 30000, 1001},   {30000.0 / 1001, 30000, 1001},
        {23.976, 24000, 1001}, {59.94, 60000, 1001},  {119.88, 120000, 1001}, {12.5, 25, 2},
        {7.5, 15, 2},          {29.971, 29971, 1000}, {1000.0 / 3, 1000, 3},  {0.5, 1, 2},
    };
    for (const auto& c : cases) {
        const FrameRate rate = frameRateOf(c.fps);
        EXPECT_EQ(rate.num, c.num) << c.fps;
        EXPECT_EQ(rate.den, c.den) << c.fps;
    }
    for (double bad :
         {0.0, -25.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(frameRateOf(bad), std::runtime_error) << bad;
}

TEST(FrameRate, KeyTimesAreExactAndWholeRatesKeepTheirSimpleForm) {
    const A_Time at25 = frameTime(7, frameRateOf(25));
    EXPECT_EQ(at25.value, 7);
    EXPECT_EQ(at25.scale, 25u);
    // Frame 900 of an NTSC composition is at 30.03 s, not 900 / 29 s.
    const A_Time ntsc = frameTime(900, frameRateOf(29.97));
    EXPECT_EQ(ntsc.value, 900900);
    EXPECT_EQ(ntsc.scale, 30000u);
    const A_Time negative = frameTime(-3, frameRateOf(12.5));
    EXPECT_EQ(negative.value, -6);
    EXPECT_EQ(negative.scale, 25u);
    EXPECT_THROW(frameTime(std::numeric_limits<std::int32_t>::max(), frameRateOf(29.97)), std::runtime_error);
}

TEST(FrameRate, WholeFramesInATimeAndInASumOfTimes) {
    const FrameRate pal = frameRateOf(25);
    EXPECT_EQ(framesIn({2, 1}, pal), 50);
    EXPECT_EQ(framesIn({3, 1}, {2, 1}, pal), 125);
    EXPECT_EQ(framesIn({-1, 50}, pal), 0);  // toward zero
    // 300 NTSC frames, whichever scale the host keeps the duration on.
    const FrameRate ntsc = frameRateOf(29.97);
    EXPECT_EQ(framesIn({300300, 30000}, {0, 1}, ntsc), 300);
    EXPECT_EQ(framesIn({10000, 999}, {0, 30000}, ntsc), 300);
    EXPECT_EQ(framesIn({299, 30}, {1, 30}, ntsc), 299);
    // Scales whose product does not fit 64 bits.
    EXPECT_EQ(framesIn({2000000000, 4294967291u}, {2000000000, 4294967279u}, pal), 23);
    EXPECT_THROW(framesIn({1, 0}, pal), std::runtime_error);
}

TEST(FrameRate, FirstFrameAtATimeRoundsUpExactly) {
    const FrameRate pal = frameRateOf(25);
    const FrameRate ntsc = frameRateOf(29.97);
    EXPECT_EQ(firstFrameAt({2, 1}, pal), 50);
    EXPECT_EQ(firstFrameAt({201, 100}, pal), 51);
    EXPECT_EQ(firstFrameAt({-1, 50}, pal), 0);
    EXPECT_EQ(firstFrameAt({-3, 1}, pal), -75);
    EXPECT_EQ(firstFrameAt({1001, 30000}, ntsc), 1);  // exactly frame 1
    EXPECT_EQ(firstFrameAt({1002, 30000}, ntsc), 2);
    EXPECT_EQ(firstFrameAt({10, 24}, {5, 24}, frameRateOf(24)), 15);
    EXPECT_EQ(firstFrameAt({2000000000, 4294967291u}, {2000000000, 4294967279u}, pal), 24);
}

}  // namespace
