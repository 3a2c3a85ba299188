// The RGB text colours travel back to the publication in.
#include <gtest/gtest.h>

#include "actions/system/color_text.h"

TEST(RgbText, WritesRedGreenBlueFromTheLowBytes) {
    EXPECT_EQ(hq::RgbText(0x000000), "0,0,0");
    EXPECT_EQ(hq::RgbText(0xFFFFFF), "255,255,255");
    EXPECT_EQ(hq::RgbText(0x0000FF), "255,0,0");  // red is the low byte
    EXPECT_EQ(hq::RgbText(0xFF0000), "0,0,255");
    EXPECT_EQ(hq::RgbText(0x563412), "18,52,86");
}
