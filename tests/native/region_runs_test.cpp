// The run builder behind window masks: one rectangle per horizontal run of
// pixels that are not exactly white.
#include <gtest/gtest.h>

#include "actions/window/mask_image.h"
#include "actions/window/mask_runs.h"
#include "window_test_bmp.h"

using hq::RunRect;

namespace {

std::vector<RunRect> Runs(const std::vector<std::string>& rows, int bpp = 24) {
    const auto bytes = hqtestbmp::MakeBmp(rows, bpp);
    return hq::BuildMaskRuns(hq::DecodeMaskBmp(bytes.data(), bytes.size()).View());
}

// The scan written out pixel by pixel, as a reference.
std::vector<RunRect> Reference(const hq::MaskImage& m) {
    std::vector<RunRect> out;
    for (int y = 0; y < m.height; ++y) {
        int start = -1;
        for (int x = 0; x <= m.width; ++x) {
            const uint8_t* p = m.bits.data() + (static_cast<size_t>(y) * m.width + x) * 4;
            const bool white = x == m.width || (p[0] == 255 && p[1] == 255 && p[2] == 255);
            if (!white && start < 0) start = x;
            if (white && start >= 0) {
                out.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
    }
    return out;
}

}  // namespace

TEST(MaskRuns, WhiteIsOutsideAndEveryOtherColourInside) {
    EXPECT_TRUE(Runs({"....", "...."}).empty());
    EXPECT_EQ(Runs({"###", "###"}), (std::vector<RunRect>{{0, 0, 3, 1}, {0, 1, 3, 2}}));
    EXPECT_EQ(Runs({"~.."}), (std::vector<RunRect>{{0, 0, 1, 1}}));  // near-white is inside
}

TEST(MaskRuns, SinglePixelRunsAndRunsReachingTheRightEdge) {
    EXPECT_EQ(Runs({"#.#.#"}), (std::vector<RunRect>{{0, 0, 1, 1}, {2, 0, 3, 1}, {4, 0, 5, 1}}));
    EXPECT_EQ(Runs({"..###", "....#", "#...."}),
              (std::vector<RunRect>{{2, 0, 5, 1}, {4, 1, 5, 2}, {0, 2, 1, 3}}));
}

TEST(MaskRuns, ThirtyTwoAndTwentyFourBitRowsAgree) {
    const std::vector<std::string> rows = {"#..##.~", "~~~~...", ".......", "#######"};
    EXPECT_EQ(Runs(rows, 24), Runs(rows, 32));
}

TEST(MaskRuns, ThreeBytePixelsAndNegativeStride) {
    // Bottom-up 24-bit memory viewed top row first through a negative stride.
    const uint8_t rows[2][8] = {{0, 0, 0, 255, 255, 255, 0, 0}, {255, 255, 255, 9, 9, 9, 0, 0}};
    const hq::MaskView view{rows[1], 2, 2, -8, 3};
    EXPECT_EQ(hq::BuildMaskRuns(view), (std::vector<RunRect>{{1, 0, 2, 1}, {0, 1, 1, 2}}));
}

TEST(MaskRuns, MatchesThePixelByPixelScanOnPseudoRandomMasks) {
    uint32_t seed = 12345;
    for (int round = 0; round < 50; ++round) {
        const int w = 1 + round % 37, h = 1 + round % 11;
        const auto bytes = hqtestbmp::MakeBmp(w, h, [&](int, int) {
            seed = seed * 1103515245 + 12345;
            const uint32_t r = seed >> 16;
            return (r % 3 == 0) ? 0xFFFFFFu : (r % 3 == 1) ? 0xFFFFFEu : 0x000000u;
        }, round % 2 ? 32 : 24);
        const hq::MaskImage m = hq::DecodeMaskBmp(bytes.data(), bytes.size());
        EXPECT_EQ(hq::BuildMaskRuns(m.View()), Reference(m)) << "round " << round;
    }
}

TEST(MaskRuns, EmptyPictureGivesNoRuns) {
    EXPECT_TRUE(hq::BuildMaskRuns(hq::MaskView{}).empty());
}
