// The run builder behind window masks: one rectangle per horizontal run of
// pixels that are not exactly white.
#include <gtest/gtest.h>

#include "image/bmp_image.h"
#include "actions/window/mask_runs.h"
#include "bmp_craft.h"

using hq::RunRect;

namespace {

// The file read as the mask action reads it: any BMP form, converted to 32 bits.
hq::bmp::Image Picture(const std::vector<uint8_t>& bytes) {
    return hq::bmp::Convert(hq::bmp::Decode(bytes), hq::bmp::Format::Bgrx32);
}

std::vector<RunRect> Runs(const std::vector<std::string>& rows, int bpp = 24) {
    const hq::bmp::Image m = Picture(bmptest::MakeBmp(rows, bpp));
    return hq::BuildMaskRuns(hq::MaskViewOf(m));
}

// The scan written out pixel by pixel through the module's own pixel access, as a reference.
std::vector<RunRect> Reference(const hq::bmp::Image& m) {
    std::vector<RunRect> out;
    for (int y = 0; y < m.height; ++y) {
        int start = -1;
        for (int x = 0; x <= m.width; ++x) {
            const bool white = x == m.width || hq::bmp::PixelRgb(m, x, y) == 0xFFFFFFu;
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
        const auto bytes = bmptest::MakeBmp(w, h, [&](int, int) {
            seed = seed * 1103515245 + 12345;
            const uint32_t r = seed >> 16;
            return (r % 3 == 0) ? 0xFFFFFFu : (r % 3 == 1) ? 0xFFFFFEu : 0x000000u;
        }, round % 2 ? 32 : 24);
        const hq::bmp::Image m = Picture(bytes);
        EXPECT_EQ(hq::BuildMaskRuns(hq::MaskViewOf(m)), Reference(m)) << "round " << round;
    }
}

TEST(MaskRuns, EmptyPictureGivesNoRuns) {
    EXPECT_TRUE(hq::BuildMaskRuns(hq::MaskView{}).empty());
    EXPECT_TRUE(hq::BuildMaskRuns(hq::MaskViewOf(Picture({}))).empty());  // a file of zero bytes
}

TEST(MaskRuns, EveryDepthGivesTheRunsOfItsColours) {
    // White is outside at every depth (palette white, 5-5-5 white widened to exactly
    // 255); near-white and grey are inside.
    auto colour = [](int x, int y) {
        const int k = (x * 5 + y * 3 + x * y) % 7;
        return k < 2 ? 0x000000u : k < 4 ? 0xFFFFFFu : k < 5 ? 0xFEFFFFu : 0x808080u;
    };
    auto runsOf = [](const std::vector<uint8_t>& file) { return hq::BuildMaskRuns(hq::MaskViewOf(Picture(file))); };
    const auto expected = runsOf(bmptest::MakeBmp(19, 7, colour));
    for (int bpp : {4, 8, 32}) EXPECT_EQ(runsOf(bmptest::MakeBmp(19, 7, colour, bpp)), expected) << bpp;
    // 5-5-5 cannot hold near-white: it is stored as white and reads as white.
    auto coarse = [&](int x, int y) { return colour(x, y) == 0xFEFFFFu ? 0xFFFFFFu : colour(x, y); };
    EXPECT_EQ(runsOf(bmptest::MakeBmp(19, 7, colour, 16)), runsOf(bmptest::MakeBmp(19, 7, coarse)));
    auto mono = [&](int x, int y) { return colour(x, y) == 0x000000u ? 0u : 0xFFFFFFu; };
    EXPECT_EQ(runsOf(bmptest::MakeBmp(19, 7, mono, 1)), runsOf(bmptest::MakeBmp(19, 7, mono)));
}

TEST(MaskRuns, ScanningInBatchesGivesTheSameRunsFromEveryDepth) {
    auto colour = [](int x, int y) {
        const int k = (x * 5 + y * 3 + x * y) % 7;
        return k < 3 ? 0x000000u : 0xFFFFFFu;  // two colours: every depth holds them exactly
    };
    const auto expected = hq::BuildMaskRuns(hq::MaskViewOf(Picture(bmptest::MakeBmp(23, 9, colour))));
    ASSERT_GT(expected.size(), 40u);
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        // The picture as read, in its own depth: no conversion to 32 bits first.
        const hq::bmp::Image picture = hq::bmp::Decode(bmptest::MakeBmp(23, 9, colour, bpp));
        for (size_t batch : {size_t{1}, size_t{3}, size_t{32}, size_t{4096}}) {
            std::vector<RunRect> got;
            size_t calls = 0;
            hq::ScanMaskRuns(picture, batch, [&](const RunRect* rects, size_t count) {
                ++calls;
                EXPECT_GE(count, 1u);
                EXPECT_LE(count, batch);
                got.insert(got.end(), rects, rects + count);
            });
            EXPECT_EQ(got, expected) << bpp << " bits, batches of " << batch;
            EXPECT_EQ(calls, (expected.size() + batch - 1) / batch) << "only the last batch may be short";
        }
    }
    size_t calls = 0;
    hq::ScanMaskRuns(Picture({}), 8, [&](const RunRect*, size_t) { ++calls; });
    EXPECT_EQ(calls, 0u) << "an empty picture has no runs";
}
