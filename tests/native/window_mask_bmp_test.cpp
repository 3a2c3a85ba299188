// The mask reader: BMP forms a mask may come in, and the files it refuses.
#include <gtest/gtest.h>

#include "actions/window/mask_image.h"
#include "plugin/error.h"
#include "window_test_bmp.h"

using hqtestbmp::Put16;
using hqtestbmp::Put32;

namespace {

uint32_t Pixel(const hq::MaskImage& m, int x, int y) {
    const uint8_t* p = m.bits.data() + (static_cast<size_t>(y) * m.width + x) * 4;
    return p[2] << 16 | p[1] << 8 | p[0];
}

hq::MaskImage Decode(const std::vector<uint8_t>& b) { return hq::DecodeMaskBmp(b.data(), b.size()); }

std::string DecodeError(const std::vector<uint8_t>& b) {
    try {
        Decode(b);
    } catch (const hq::Error& e) {
        return e.what();
    }
    return "";
}

// An 8-bit file with a two-entry palette: index 0 black, 1 white.
std::vector<uint8_t> Palette8(int width, int height, const std::vector<uint8_t>& indices, int used = 2) {
    const size_t stride = (width + 3) & ~3;
    std::vector<uint8_t> b(54 + 4 * used + stride * height, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 10, 54 + 4 * used);
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, height);
    Put16(b, 26, 1);
    Put16(b, 28, 8);
    Put32(b, 46, used);
    b[54 + 4] = b[54 + 5] = b[54 + 6] = 255;  // entry 1 white
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b[54 + 4 * used + (height - 1 - y) * stride + x] = indices[y * width + x];
    return b;
}

}  // namespace

TEST(MaskBmp, BottomUpAndTopDownRowsComeOutTopRowFirst) {
    auto colour = [](int x, int y) { return static_cast<uint32_t>(y * 0x10000 + x); };
    for (bool topDown : {false, true})
        for (int bpp : {24, 32}) {
            const hq::MaskImage m = Decode(hqtestbmp::MakeBmp(5, 3, colour, bpp, topDown));
            ASSERT_EQ(m.width, 5);
            ASSERT_EQ(m.height, 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) EXPECT_EQ(Pixel(m, x, y), colour(x, y)) << x << "," << y;
        }
}

TEST(MaskBmp, PaletteIndicesAndTheOs2Header) {
    const hq::MaskImage m = Decode(Palette8(3, 2, {0, 1, 0, 1, 1, 7}));
    EXPECT_EQ(Pixel(m, 0, 0), 0u);
    EXPECT_EQ(Pixel(m, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(m, 2, 1), 0u);  // beyond the table: black

    // 1 bit per pixel with the 12-byte header and 3-byte palette entries.
    std::vector<uint8_t> b(14 + 12 + 6 + 4, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 10, 32);
    Put32(b, 14, 12);
    Put16(b, 18, 3);
    Put16(b, 20, 1);
    Put16(b, 22, 1);
    Put16(b, 24, 1);
    b[29] = b[30] = b[31] = 255;  // entry 1 white
    b[32] = 0b01000000;           // pixels 0,1,0
    const hq::MaskImage o = Decode(b);
    EXPECT_EQ(Pixel(o, 0, 0), 0u);
    EXPECT_EQ(Pixel(o, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(o, 2, 0), 0u);
}

TEST(MaskBmp, SixteenBitFiveFiveFiveAndBitFieldsReachExactWhite) {
    std::vector<uint8_t> b(54 + 12 + 4, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 10, 66);
    Put32(b, 14, 40);
    Put32(b, 18, 2);
    Put32(b, 22, 1);
    Put16(b, 26, 1);
    Put16(b, 28, 16);
    Put32(b, 30, 3);  // BI_BITFIELDS, 5-6-5
    Put32(b, 54, 0xF800);
    Put32(b, 58, 0x07E0);
    Put32(b, 62, 0x001F);
    Put16(b, 66, 0xFFFF);
    Put16(b, 68, 0xF800);
    const hq::MaskImage m = Decode(b);
    EXPECT_EQ(Pixel(m, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(m, 1, 0), 0xFF0000u);
}

TEST(MaskBmp, EmptyFileIsAnEmptyPicture) {
    const hq::MaskImage m = hq::DecodeMaskBmp(nullptr, 0);
    EXPECT_EQ(m.width, 0);
    EXPECT_EQ(m.height, 0);
}

TEST(MaskBmp, BrokenFilesRaiseTheInvalidBitmapError) {
    const auto good = hqtestbmp::MakeBmp(4, 4, [](int, int) { return 0u; });
    auto bad = good;
    bad[0] = 'X';
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    bad = good;
    Put16(bad, 26, 2);  // two planes
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    bad = good;
    Put16(bad, 28, 7);
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    bad = good;
    Put32(bad, 30, 1);  // run-length compressed
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    bad.assign(good.begin(), good.end() - 1);  // pixels cut short
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    bad = good;
    Put32(bad, 22, 0x7FFFFFFF);  // a height no file can hold
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    bad = good;
    Put32(bad, 14, 20);  // unknown header size
    EXPECT_EQ(DecodeError(bad), "Bitmap image is not valid");
    EXPECT_EQ(DecodeError({'B', 'M', 0}), "Bitmap image is not valid");
    EXPECT_EQ(DecodeError(Palette8(2, 2, {0, 0, 0, 0}, 300)), "Bitmap image is not valid");
}
