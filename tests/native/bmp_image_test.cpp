// The BMP module: what it writes, every variant it reads, what it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "image/bmp_image.h"
#include "bmp_craft.h"
#include "base/error.h"

namespace {

using bmptest::Bytes;
using bmptest::Craft;
using bmptest::Read16;
using bmptest::Read32;
namespace bmp = hq::bmp;

std::string DecodeError(const Bytes& file) {
    try {
        bmp::Decode(file);
    } catch (const hq::Error& e) {
        return e.what();
    }
    return "";
}

// A 3 x 2 picture at 24 bits: rows of 9 bytes padded to 12.
Craft Rgb24() {
    Craft c;
    c.width = 3, c.height = 2, c.bpp = 24;
    c.pixels = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0,   // bottom: red, green, blue
                0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x80, 0x80, 0, 0, 0};  // top: white, black, grey
    return c;
}

// An 8-bit picture 4 x 2 with a 3-entry table.
Craft Indexed8() {
    Craft c;
    c.width = 4, c.height = 2, c.bpp = 8, c.colorsUsed = 3;
    c.palette = {0x000000, 0xFF0000, 0x00FF00};
    c.pixels = {0, 1, 2, 1, /**/ 2, 2, 0, 1};
    return c;
}

Craft Rle8(Bytes data, int w = 5, int h = 3) {
    Craft c;
    c.width = w, c.height = h, c.bpp = 8, c.compression = 1, c.colorsUsed = 3;
    c.palette = {0x000000, 0xFF0000, 0x0000FF};
    c.pixels = std::move(data);
    return c;
}

// The file bytes of every variant the tests make (also the fuzzer's seeds).
std::vector<std::pair<std::string, Bytes>> Variants() {
    std::vector<std::pair<std::string, Bytes>> v;
    v.push_back({"rgb24", Rgb24().Build()});
    Craft topDown = Rgb24();
    topDown.height = -2;
    v.push_back({"rgb24_topdown", topDown.Build()});
    v.push_back({"pal8", Indexed8().Build()});
    Craft mono;
    mono.width = 10, mono.height = 1, mono.bpp = 1, mono.palette = {0x000000, 0xFFFFFF};
    mono.pixels = {0xA5, 0x40, 0, 0};
    v.push_back({"mono1", mono.Build()});
    Craft nibble;
    nibble.width = 3, nibble.height = 1, nibble.bpp = 4, nibble.colorsUsed = 2, nibble.palette = {0x112233, 0x445566};
    nibble.pixels = {0x01, 0x10, 0, 0};
    v.push_back({"pal4", nibble.Build()});
    Craft rgb555;
    rgb555.width = 2, rgb555.height = 1, rgb555.bpp = 16, rgb555.pixels = {0x00, 0x7C, 0x1F, 0x00};
    v.push_back({"rgb555", rgb555.Build()});
    Craft rgb565 = rgb555;
    rgb565.compression = 3, rgb565.masks = {0xF800, 0x07E0, 0x001F}, rgb565.pixels = {0x00, 0xF8, 0xE0, 0x07};
    v.push_back({"rgb565", rgb565.Build()});
    Craft bgrx;
    bgrx.width = 1, bgrx.height = 2, bgrx.bpp = 32, bgrx.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    v.push_back({"bgrx32", bgrx.Build()});
    Craft v5 = bgrx;
    v5.headerSize = 124, v5.compression = 3, v5.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
    v.push_back({"v5_bitfields32", v5.Build()});
    Craft os2 = Indexed8();
    os2.headerSize = 12, os2.colorsUsed = 0;
    os2.palette.resize(256, 0x0A0B0C);
    v.push_back({"os2_pal8", os2.Build()});
    Craft os2rgb = Rgb24();
    os2rgb.headerSize = 12;
    v.push_back({"os2_rgb24", os2rgb.Build()});
    // RLE8: a run, an absolute run (odd length, padded), end of line, delta, end of bitmap.
    v.push_back({"rle8", Rle8({2, 1, 0, 3, 0, 2, 1, 0, 0, 0, 0, 2, 1, 1, 1, 1, 0, 1}).Build()});
    Craft rle4;
    rle4.width = 5, rle4.height = 2, rle4.bpp = 4, rle4.compression = 2, rle4.colorsUsed = 3;
    rle4.palette = {0x000000, 0xFF0000, 0x0000FF};
    rle4.pixels = {5, 0x12, 0, 0, 0, 3, 0x21, 0x20, 0, 1};
    v.push_back({"rle4", rle4.Build()});
    return v;
}

TEST(BmpRead, EveryVariantReadsWithItsPixels) {
    for (const auto& [name, file] : Variants()) {
        SCOPED_TRACE(name);
        const bmp::Image img = bmp::Decode(file);
        EXPECT_FALSE(img.Empty());
    }
    const bmp::Image rgb = bmp::Decode(Rgb24().Build());
    EXPECT_EQ(bmp::PixelRgb(rgb, 0, 1), 0xFF0000u);  // bottom row, left
    EXPECT_EQ(bmp::PixelRgb(rgb, 2, 1), 0x0000FFu);
    EXPECT_EQ(bmp::PixelRgb(rgb, 2, 0), 0x808080u);

    const bmp::Image mono = bmp::Decode(Variants()[3].second);
    const uint32_t expect[10] = {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(bmp::PixelRgb(mono, x, 0), expect[x]) << x;

    const bmp::Image nibble = bmp::Decode(Variants()[4].second);
    EXPECT_EQ(bmp::PixelRgb(nibble, 0, 0), 0x112233u);
    EXPECT_EQ(bmp::PixelRgb(nibble, 1, 0), 0x445566u);
    EXPECT_EQ(bmp::PixelRgb(nibble, 2, 0), 0x445566u);
}

TEST(BmpRead, TopDownRowsEqualBottomUp) {
    Craft topDown = Rgb24();
    topDown.height = -2;
    std::swap_ranges(topDown.pixels.begin(), topDown.pixels.begin() + 12, topDown.pixels.begin() + 12);
    const bmp::Image a = bmp::Decode(Rgb24().Build()), b = bmp::Decode(topDown.Build());
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(a.pixels, b.pixels);
}

TEST(BmpRead, SixteenAndThirtyTwoBitLayouts) {
    const auto v = Variants();
    const bmp::Image rgb555 = bmp::Decode(v[5].second);  // BI_RGB 16 is 5-5-5
    EXPECT_EQ(bmp::PixelRgb(rgb555, 0, 0), 0xFF0000u);
    EXPECT_EQ(bmp::PixelRgb(rgb555, 1, 0), 0x0000FFu);
    EXPECT_FALSE(bmp::HasFormat(rgb555, bmp::Format::Rgb565));
    const bmp::Image rgb565 = bmp::Decode(v[6].second);
    EXPECT_EQ(bmp::PixelRgb(rgb565, 0, 0), 0xFF0000u);
    EXPECT_EQ(bmp::PixelRgb(rgb565, 1, 0), 0x00FF00u);
    EXPECT_TRUE(bmp::HasFormat(rgb565, bmp::Format::Rgb565));
    // Masks inside a 124-byte header: red in byte 1, green in byte 2, blue in byte 3.
    const bmp::Image v5 = bmp::Decode(v[8].second);
    EXPECT_TRUE(v5.bitfields);
    EXPECT_EQ(bmp::PixelRgb(v5, 0, 1), 0x020304u);  // bytes 1,2,3,4: red 2, green 3, blue 4
    EXPECT_FALSE(bmp::HasFormat(v5, bmp::Format::Bgrx32));
}

TEST(BmpRead, Os2HeaderWithThreeByteTableAndShortTable) {
    const bmp::Image full = bmp::Decode(Variants()[9].second);
    EXPECT_TRUE(full.os2Header);
    ASSERT_EQ(full.palette.size(), 256u);
    EXPECT_EQ(bmp::PixelRgb(full, 1, 1), 0xFF0000u);
    // Only three 3-byte entries before the pixels: the pixel offset bounds the table.
    Craft shortTable = Indexed8();
    shortTable.headerSize = 12, shortTable.colorsUsed = 0;
    const bmp::Image img = bmp::Decode(shortTable.Build());
    EXPECT_EQ(img.palette.size(), 3u);
    EXPECT_EQ(bmp::PixelRgb(img, 2, 1), 0x00FF00u);
}

TEST(BmpRead, RunLengthPicturesDecodeAndKeepTheirBytes) {
    const Bytes file = Variants()[11].second;
    const bmp::Image img = bmp::Decode(file);
    ASSERT_EQ(img.bitsPerPixel, 32);
    const uint32_t R = 0xFF0000, B = 0x0000FF, K = 0;
    // Bottom row: a run of two reds, then the absolute run 0 2 1 (padded);
    // end of line; a delta of (1, 1) skips the middle row; one red; end.
    const uint32_t rows[3][5] = {{K, R, K, K, K}, {K, K, K, K, K}, {R, R, K, B, R}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp::PixelRgb(img, x, y), rows[y][x]) << x << "," << y;
    EXPECT_EQ(bmp::Encode(img), file) << "an unchanged picture is written back byte for byte";
    bmp::Image changed = img;
    changed.MarkChanged();
    const Bytes rewritten = bmp::Encode(changed);
    EXPECT_EQ(Read16(rewritten, 28), 32);
    EXPECT_EQ(Read32(rewritten, 30), 0u);

    const bmp::Image rle4 = bmp::Decode(Variants()[12].second);
    const uint32_t bottom[5] = {R, B, R, B, R}, top[5] = {B, R, B, K, K};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(bmp::PixelRgb(rle4, x, 1), bottom[x]) << x;
        EXPECT_EQ(bmp::PixelRgb(rle4, x, 0), top[x]) << x;
    }
}

TEST(BmpRead, RunLengthDeltaMovesRightByItsFirstByteAndUpByItsSecond) {
    // One blue pixel, then a delta, then one red pixel, on a 6 x 4 picture.
    // Unequal steps tell the two bytes apart.
    struct Case {
        uint8_t right, up;
    };
    for (const Case c : {Case{3, 1}, Case{1, 2}, Case{0, 3}, Case{4, 0}}) {
        SCOPED_TRACE(std::to_string(c.right) + "," + std::to_string(c.up));
        const bmp::Image img = bmp::Decode(Rle8({1, 2, 0, 2, c.right, c.up, 1, 1, 0, 1}, 6, 4).Build());
        ASSERT_FALSE(img.Empty());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const int row = 3 - y;  // rows are stored bottom up
                const uint32_t want = (x == 0 && row == 0) ? 0x0000FFu
                                      : (x == 1 + c.right && row == c.up) ? 0xFF0000u
                                                                         : 0u;
                EXPECT_EQ(bmp::PixelRgb(img, x, y), want) << x << "," << y;
            }
    }
}

TEST(BmpRead, ZeroBytesIsAnEmptyPicture) {
    const bmp::Image img = bmp::Decode(nullptr, 0);
    EXPECT_TRUE(img.Empty());
    EXPECT_TRUE(bmp::Encode(img).empty());
    EXPECT_TRUE(bmp::Encode(bmp::Convert(img, bmp::Format::Rgb565)).empty());
}

TEST(BmpRead, MalformedFilesAreRefusedWithTheOneText) {
    std::vector<std::pair<std::string, Bytes>> bad;
    Bytes sig = Rgb24().Build();
    sig[0] = 'M', sig[1] = 'B';
    bad.push_back({"signature", sig});
    Craft c = Rgb24();
    c.planes = 0;
    bad.push_back({"zero planes", c.Build()});
    c = Rgb24(), c.planes = 2;
    bad.push_back({"two planes", c.Build()});
    c = Indexed8(), c.colorsUsed = 257;
    bad.push_back({"palette too large", c.Build()});
    c = Indexed8(), c.bpp = 4, c.colorsUsed = 17;
    bad.push_back({"palette too large for 4 bits", c.Build()});
    c = Indexed8(), c.colorsUsed = 200;  // table runs past the end of the file
    bad.push_back({"palette beyond file", c.Build()});
    bad.push_back({"rle run past the row", Rle8({6, 1, 0, 1}).Build()});
    bad.push_back({"rle absolute past the row", Rle8({0, 7, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}).Build()});
    bad.push_back({"rle past the last row", Rle8({0, 0, 0, 0, 0, 0, 1, 1, 0, 1}).Build()});
    bad.push_back({"rle delta past the end", Rle8({0, 2, 9, 0, 0, 1}).Build()});
    bad.push_back({"rle absolute cut short", Rle8({0, 4, 1, 1}).Build()});
    bad.push_back({"rle cut in a command", Rle8({2, 1, 0}).Build()});
    c = Rle8({0, 1}), c.height = -3;
    bad.push_back({"top-down rle", c.Build()});
    c = Rle8({0, 1}), c.bpp = 4;
    bad.push_back({"rle8 at 4 bits", c.Build()});
    c = Rle8({0, 1}), c.width = 4000, c.height = 4000;
    bad.push_back({"rle dimensions beyond its data", c.Build()});
    c = Rgb24(), c.width = 0;
    bad.push_back({"zero width", c.Build()});
    c = Rgb24(), c.height = 0;
    bad.push_back({"zero height", c.Build()});
    c = Rgb24(), c.width = -3;
    bad.push_back({"negative width", c.Build()});
    c = Rgb24(), c.height = 3;
    bad.push_back({"rows missing", c.Build()});
    c = Rgb24(), c.headerSize = 20;
    bad.push_back({"unknown header size", c.Build()});
    for (uint32_t size : {0xFFFFFFF0u, 1000u, 79u}) {
        Bytes f = Rgb24().Build();
        f[14] = static_cast<uint8_t>(size), f[15] = static_cast<uint8_t>(size >> 8);
        f[16] = static_cast<uint8_t>(size >> 16), f[17] = static_cast<uint8_t>(size >> 24);
        bad.push_back({"header size beyond file " + std::to_string(size), f});
    }
    c = Rgb24(), c.bpp = 2;
    bad.push_back({"two bits", c.Build()});
    c = Rgb24(), c.bpp = 0;
    bad.push_back({"zero bits", c.Build()});
    c = Rgb24(), c.bpp = 7;
    bad.push_back({"seven bits", c.Build()});
    c = Rgb24(), c.compression = 1;
    bad.push_back({"rle8 at 24 bits", c.Build()});
    c = Indexed8(), c.compression = 2;
    bad.push_back({"rle4 at 8 bits", c.Build()});
    c = Rgb24(), c.compression = 4;
    bad.push_back({"embedded jpeg", c.Build()});
    c = Rgb24(), c.compression = 3, c.masks = {0xFF0000, 0xFF00, 0xFF};
    bad.push_back({"bitfields at 24 bits", c.Build()});
    c = Craft(), c.width = 1, c.height = 1, c.bpp = 16, c.compression = 3, c.masks = {0xF00F, 0x0F0, 0};
    c.pixels = {0, 0, 0, 0};
    bad.push_back({"split mask", c.Build()});
    c.masks = {0x1F0000, 0x7E0, 0x1F};
    bad.push_back({"mask beyond the depth", c.Build()});
    c.masks = {};
    bad.push_back({"masks missing", c.Build()});
    c = Rgb24(), c.offBitsDelta = 1000;
    bad.push_back({"pixel offset beyond file", c.Build()});
    c = Rgb24(), c.offBitsDelta = -30;
    bad.push_back({"pixel offset inside the header", c.Build()});
    bad.push_back({"file header only", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    for (const auto& [name, file] : bad) EXPECT_EQ(DecodeError(file), "Bitmap image is not valid") << name;
}

TEST(BmpRead, CeilingsAdmitWhatAFileCanDescribe) {
    // Uncompressed: up to kMaxPixels when every row is present.
    Craft big;
    big.width = 8192, big.height = 8192, big.bpp = 1, big.palette = {0, 0xFFFFFF};
    big.pixels.assign(8192 / 8 * 8192, 0x55);
    EXPECT_EQ(bmp::Decode(big.Build()).width, 8192);
    big.width = 8224;  // one more 32-pixel group a row: beyond the ceiling, rows present or not
    big.pixels.resize(8224 / 8 * 8192);
    EXPECT_EQ(DecodeError(big.Build()), "Out of system resources");
    // Run-length: kRleBasePixels plus kRlePixelsPerByte per byte of data.
    Craft rle = Rle8({0, 1});  // end of bitmap at once: 2 bytes of data
    rle.width = 256, rle.height = 258;
    const bmp::Image img = bmp::Decode(rle.Build());
    EXPECT_EQ(bmp::PixelRgb(img, 255, 257), 0u);
    rle.height = 259;
    EXPECT_EQ(DecodeError(rle.Build()), "Bitmap image is not valid");
}

TEST(BmpRead, SoundPicturesBeyondTheCeilingAreOutOfResourcesNotInvalid) {
    std::vector<std::pair<std::string, Bytes>> large;
    Craft c = Rgb24();
    c.width = 9000, c.height = 9000;
    large.push_back({"header of a large picture, no rows", c.Build()});
    c = Rgb24(), c.width = 0x7FFFFFFF, c.height = -0x7FFFFFFF;
    large.push_back({"largest top-down dimensions", c.Build()});
    c = Rgb24(), c.width = 8193, c.height = 8192, c.bpp = 32;
    large.push_back({"one column too many", c.Build()});
    c = Indexed8(), c.headerSize = 12, c.width = 65535, c.height = 65535;
    large.push_back({"OS/2 header", c.Build()});
    for (const auto& [name, file] : large) {
        EXPECT_EQ(DecodeError(file), "Out of system resources") << name;
        // The same for a file too long to read whole, judged by its start.
        try {
            bmp::RefuseOversizedFile(file.data(), file.size());
        } catch (const hq::Error& e) {
            EXPECT_EQ(std::string(e.what()), "Out of system resources") << name;
        }
    }
    // A long file whose start is a small picture or no picture at all is not valid.
    for (const Bytes& start : {Rgb24().Build(), Bytes{'B', 'M', 1, 2}, Bytes(100, 0)}) {
        try {
            bmp::RefuseOversizedFile(start.data(), start.size());
        } catch (const hq::Error& e) {
            EXPECT_EQ(std::string(e.what()), "Bitmap image is not valid");
        }
    }
    // A broken header stays invalid whatever its size says.
    c = Rgb24(), c.width = 9000, c.height = 9000, c.planes = 2;
    EXPECT_EQ(DecodeError(c.Build()), "Bitmap image is not valid");
    try {
        bmp::Blank(8193, 8192, 24);
        ADD_FAILURE() << "no error";
    } catch (const hq::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Out of system resources");
    }
}

TEST(BmpRead, EveryTruncationOfEveryVariantIsRefused) {
    for (const auto& [name, file] : Variants()) {
        const bool rle = name.rfind("rle", 0) == 0;
        for (size_t n = 1; n < file.size(); ++n) {
            const Bytes cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(n));
            const std::string err = DecodeError(cut);
            // A run-length stream may end at a command boundary (the end of bitmap is implied).
            if (rle && err.empty() && n >= 14 + 40 + 12) continue;
            EXPECT_EQ(err, "Bitmap image is not valid") << name << " cut to " << n;
        }
    }
}

TEST(BmpWrite, HeadersOfEveryWrittenVariant) {
    struct Case {
        const char* name;
        Bytes file;
        uint32_t offBits, headerSize;
        uint16_t bpp;
        uint32_t compression, colorsUsed;
    };
    bmp::Image rgb = bmp::Decode(Rgb24().Build());
    bmp::Image pal = bmp::Decode(Indexed8().Build());
    bmp::Image v565 = bmp::Convert(rgb, bmp::Format::Rgb565);
    bmp::Image v32 = bmp::Convert(rgb, bmp::Format::Bgrx32);
    bmp::Image os2pal = bmp::Decode(Variants()[9].second);
    bmp::Image os2to16 = bmp::Convert(os2pal, bmp::Format::Rgb565);
    bmp::Image os2to24 = bmp::Convert(os2pal, bmp::Format::Bgr24);
    const Case cases[] = {
        {"24", bmp::Encode(rgb), 54, 40, 24, 0, 0},
        {"8 with 3 entries", bmp::Encode(pal), 54 + 12, 40, 8, 0, 3},
        {"16 as 5-6-5", bmp::Encode(v565), 54 + 12, 40, 16, 3, 0},
        {"32", bmp::Encode(v32), 54, 40, 32, 0, 0},
        {"os2 8", bmp::Encode(os2pal), 26 + 768, 12, 8, 0, 0},
        {"os2 24", bmp::Encode(os2to24), 26, 12, 24, 0, 0},
        {"os2 to 16 needs the long header", bmp::Encode(os2to16), 54 + 12, 40, 16, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes& f = c.file;
        ASSERT_GE(f.size(), 26u);
        EXPECT_EQ(f[0], 'B');
        EXPECT_EQ(f[1], 'M');
        EXPECT_EQ(Read32(f, 2), f.size());
        EXPECT_EQ(Read32(f, 6), 0u);
        EXPECT_EQ(Read32(f, 10), c.offBits);
        EXPECT_EQ(Read32(f, 14), c.headerSize);
        if (c.headerSize == 12) {
            EXPECT_EQ(Read16(f, 22), 1);
            EXPECT_EQ(Read16(f, 24), c.bpp);
        } else {
            EXPECT_GT(static_cast<int32_t>(Read32(f, 22)), 0) << "rows bottom-up";
            EXPECT_EQ(Read16(f, 26), 1);
            EXPECT_EQ(Read16(f, 28), c.bpp);
            EXPECT_EQ(Read32(f, 30), c.compression);
            EXPECT_EQ(Read32(f, 46), c.colorsUsed);
        }
        const bmp::Image back = bmp::Decode(f);  // and it reads back
        EXPECT_EQ(back.bitsPerPixel, c.bpp);
    }
    const Bytes f565 = bmp::Encode(v565);
    EXPECT_EQ(Read32(f565, 54), 0xF800u);
    EXPECT_EQ(Read32(f565, 58), 0x07E0u);
    EXPECT_EQ(Read32(f565, 62), 0x001Fu);
    // 3 pixels at 16 bits = 6 bytes, padded to 8 per row.
    EXPECT_EQ(f565.size(), 66u + 2 * 8);
    // 3 pixels at 24 bits = 9 bytes, padded to 12.
    EXPECT_EQ(bmp::Encode(rgb).size(), 54u + 2 * 12);
}

TEST(BmpWrite, EveryVariantSurvivesARoundTrip) {
    for (const auto& [name, file] : Variants()) {
        SCOPED_TRACE(name);
        const bmp::Image a = bmp::Decode(file);
        const bmp::Image b = bmp::Decode(bmp::Encode(a));
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.height, b.height);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) ASSERT_EQ(bmp::PixelRgb(a, x, y), bmp::PixelRgb(b, x, y));
    }
}

TEST(BmpConvert, ChannelsNarrowByTruncationAndWidenByRepetition) {
    Craft c = Rgb24();
    c.width = 2, c.height = 1;
    c.pixels = {0x21, 0x43, 0x87, 0x07, 0x03, 0xFF, 0, 0};  // (0x87,0x43,0x21), (0xFF,0x03,0x07)
    const bmp::Image src = bmp::Decode(c.Build());
    const bmp::Image v565 = bmp::Convert(src, bmp::Format::Rgb565);
    EXPECT_EQ(Read16(v565.pixels, 0), ((0x87 >> 3) << 11) | ((0x43 >> 2) << 5) | (0x21 >> 3));
    EXPECT_EQ(Read16(v565.pixels, 2), 0xF800);
    // 5 bits 0b10000 widen to 0b10000100, 6 bits 0b010000 to 0b01000001.
    const bmp::Image back = bmp::Convert(v565, bmp::Format::Bgr24);
    EXPECT_EQ(bmp::PixelRgb(back, 0, 0), (0x84u << 16) | (0x41u << 8) | 0x21u);
    EXPECT_EQ(bmp::PixelRgb(back, 1, 0), 0xFF0000u);
    // Reserved bytes are 0 after a conversion to 32 bits.
    const bmp::Image v32 = bmp::Convert(bmp::Decode(Variants()[8].second), bmp::Format::Bgrx32);
    EXPECT_EQ(v32.pixels[3], 0);
    EXPECT_EQ(v32.pixels[7], 0);
}

TEST(BmpConvert, IndicesBeyondTheTableReadAsBlack) {
    Craft c = Indexed8();
    c.pixels = {2, 200, 255, 1, 0, 0, 0, 0};
    const bmp::Image img = bmp::Decode(c.Build());
    EXPECT_EQ(bmp::PixelRgb(img, 0, 1), 0x00FF00u);
    EXPECT_EQ(bmp::PixelRgb(img, 1, 1), 0u);
    EXPECT_EQ(bmp::PixelRgb(img, 2, 1), 0u);
    EXPECT_EQ(bmp::PixelRgb(img, 3, 1), 0xFF0000u);
}

// With HQ_WRITE_BMP_SEEDS=<folder>, writes every variant there (the fuzzer's seeds).
TEST(BmpSeeds, WriteWhenAsked) {
    const char* dir = std::getenv("HQ_WRITE_BMP_SEEDS");
    if (!dir) GTEST_SKIP() << "HQ_WRITE_BMP_SEEDS not set";
    auto all = Variants();
    const bmp::Image rgb = bmp::Decode(Rgb24().Build());
    all.push_back({"written565", bmp::Encode(bmp::Convert(rgb, bmp::Format::Rgb565))});
    all.push_back({"written32", bmp::Encode(bmp::Convert(rgb, bmp::Format::Bgrx32))});
    all.push_back({"empty", {}});
    for (const auto& [name, file] : all) {
        std::ofstream out(std::string(dir) + "/seed_" + name + ".bmp", std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
}

}  // namespace
