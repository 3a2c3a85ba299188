// fzChangeColorBmp through the stand-in host: the conversion matrix, the
// formats left alone, the palettes, and files left intact on every failure.
#include "capture_support.h"

#include <cstring>

#include "image/image_file.h"
#include "bmp_craft.h"

namespace {

using namespace captest;

// Colours every palette holds exactly, and one the palettes lack.
const uint32_t kPure[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
constexpr uint32_t kOdd = 0x2565CB;  // (37, 101, 203)

bmp::Image Sample() {
    return Picture(5, 3, [](int x, int y) { return y == 2 ? kOdd : kPure[(x + y) % 4]; });
}

std::vector<uint32_t> HalftoneColours() {
    HDC dc = ::GetDC(nullptr);
    HPALETTE pal = ::CreateHalftonePalette(dc);
    PALETTEENTRY e[256];
    const UINT n = ::GetPaletteEntries(pal, 0, 256, e);
    ::DeleteObject(pal);
    ::ReleaseDC(nullptr, dc);
    std::vector<uint32_t> out;
    for (UINT i = 0; i < n; ++i) out.push_back((e[i].peRed << 16) | (e[i].peGreen << 8) | e[i].peBlue);
    return out;
}

class ChangeColorTest : public CaptureTest {
protected:
    // Writes the sample at the source format and converts it; returns the result.
    bmp::Image Run(const bmp::Image& source, const std::string& depth, const std::string& name = "p.bmp") {
        WriteBytes(Path(name), bmp::Encode(source));
        EXPECT_FALSE(Exec(100, {Path(name), depth})) << "the action returns 0";
        return ReadPicture(Path(name));
    }
    static bmp::Image At(const bmp::Image& img, int bits) {
        switch (bits) {
        case 32: return bmp::Convert(img, bmp::Format::Bgrx32);
        case 24: return bmp::Convert(img, bmp::Format::Bgr24);
        case 16: return bmp::Convert(img, bmp::Format::Rgb565);
        }
        return img;
    }
};

TEST_F(ChangeColorTest, ConversionMatrix) {
    bmp::Image v555 = bmp::Blank(5, 3, 16);  // BI_RGB 16: 5-5-5
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t c = bmp::PixelRgb(Sample(), x, y);
            const uint16_t v = static_cast<uint16_t>(((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x1F));
            std::memcpy(v555.pixels.data() + (2 - y) * v555.Stride() + 2 * x, &v, 2);
        }
    // Indexed sources: a table holding the sample's colours (the 4-bit one lacks the odd colour).
    auto indexed = [](int bits) {
        bmp::Image img = bmp::Blank(5, 3, static_cast<uint16_t>(bits));
        img.palette = {kPure[0], kPure[1], kPure[2], kPure[3], kOdd};
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const int index = y == 2 ? (bits == 4 ? 0 : 4) : (x + y) % 4;
                uint8_t* row = img.pixels.data() + (2 - y) * img.Stride();
                if (bits == 8) row[x] = static_cast<uint8_t>(index);
                else row[x / 2] |= static_cast<uint8_t>(index << ((x & 1) ? 0 : 4));
            }
        return img;
    };
    std::vector<std::pair<std::string, bmp::Image>> sources = {{"32", At(Sample(), 32)}, {"24", Sample()},
                                                               {"565", At(Sample(), 16)}, {"555", v555},
                                                               {"8", indexed(8)}, {"4", indexed(4)}};
    const std::vector<uint32_t> halftone = HalftoneColours();
    for (const auto& [name, source] : sources) {
        for (const char* depth : {"32", "24", "16", "8", "4"}) {
            SCOPED_TRACE(name + " -> " + depth);
            const Bytes before = bmp::Encode(source);
            const bmp::Image out = Run(source, depth);
            const int bits = std::atoi(depth);
            ASSERT_EQ(out.bitsPerPixel, bits);
            EXPECT_EQ(out.width, 5);
            EXPECT_EQ(out.height, 3);
            EXPECT_EQ(out.bitfields, bits == 16);
            if (name == depth) {
                EXPECT_EQ(out.palette, source.palette) << "an indexed picture keeps its own table";
            } else if (bits == 8) {
                EXPECT_EQ(out.palette, halftone);
            } else if (bits == 4) {
                const std::vector<uint32_t> standard = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                        0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
                EXPECT_EQ(out.palette, standard);
            }
            for (int x = 0; x < 5; ++x)
                for (int y = 0; y < 2; ++y)
                    EXPECT_EQ(bmp::PixelRgb(out, x, y) & 0xF8F8F8, kPure[(x + y) % 4] & 0xF8F8F8) << x << "," << y;
            if ((bits == 32 || bits == 24 || bits == 16) && name != "4") {
                // The odd colour survives to the precision of both formats.
                const uint32_t mask = (bits == 16 || name == "565" || name == "555") ? 0xF8F8F8 : 0xFFFFFF;
                EXPECT_EQ(bmp::PixelRgb(out, 0, 2) & mask, kOdd & mask);
            }
            if (name == depth || (name == "565" && bits == 16)) {
                EXPECT_EQ(ReadBytes(Path("p.bmp")), before) << "already in that format: unchanged";
            }
        }
    }
}

// What the system makes of the whole picture at once with the palette
// selected: the mapping the action must give, band by band.
bmp::Image MappedWhole(const bmp::Image& picture, int bits) {
    HDC screen = ::GetDC(nullptr);
    HPALETTE palette = bits == 8 ? ::CreateHalftonePalette(screen) : nullptr;
    if (!palette) {
        static const uint8_t k16[16][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
                                           {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {128, 128, 128},
                                           {192, 192, 192}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
                                           {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
        struct { WORD version, count; PALETTEENTRY e[16]; } log{0x300, 16, {}};
        for (int i = 0; i < 16; ++i) log.e[i] = {k16[i][0], k16[i][1], k16[i][2], 0};
        palette = ::CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
    }
    PALETTEENTRY entries[256];
    const UINT count = ::GetPaletteEntries(palette, 0, 1u << bits, entries);
    struct { BITMAPINFOHEADER h; RGBQUAD c[256]; } info{};
    info.h = {sizeof(BITMAPINFOHEADER), picture.width, picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* from = nullptr;
    HBITMAP source = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &from, nullptr, 0);
    const bmp::Image bgrx = bmp::Convert(picture, bmp::Format::Bgrx32);
    std::memcpy(from, bgrx.pixels.data(), bgrx.pixels.size());
    info.h.biBitCount = static_cast<WORD>(bits);
    info.h.biClrUsed = count;
    for (UINT k = 0; k < count; ++k) info.c[k] = {entries[k].peBlue, entries[k].peGreen, entries[k].peRed, 0};
    void* to = nullptr;
    HBITMAP target = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &to, nullptr, 0);
    HDC src = ::CreateCompatibleDC(nullptr), dst = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = ::SelectObject(src, source), oldDst = ::SelectObject(dst, target);
    HPALETTE oldPal = ::SelectPalette(dst, palette, FALSE);
    ::RealizePalette(dst);
    ::BitBlt(dst, 0, 0, picture.width, picture.height, src, 0, 0, SRCCOPY);
    ::GdiFlush();
    bmp::Image out = bmp::Blank(picture.width, picture.height, static_cast<uint16_t>(bits));
    std::memcpy(out.pixels.data(), to, out.pixels.size());
    ::SelectPalette(dst, oldPal, TRUE);
    ::SelectObject(src, oldSrc);
    ::SelectObject(dst, oldDst);
    ::DeleteDC(src);
    ::DeleteDC(dst);
    ::DeleteObject(source);
    ::DeleteObject(target);
    ::DeleteObject(palette);
    ::ReleaseDC(nullptr, screen);
    return out;
}

// The file is read and the new picture written a band of rows at a time: a
// picture of several bands, stored bottom-up or top-down, comes out row for
// row as a conversion of the whole.
TEST_F(ChangeColorTest, PictureOfSeveralBandsIsConvertedRowForRow) {
    const bmp::Image source = Picture(4096, 300, [](int x, int y) {
        return static_cast<uint32_t>(((x * 7 + y * 13) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | ((x + y * 3) & 0xFF));
    });
    ASSERT_GT(source.Stride() * 300, 3 * hq::kRowBandBytes);
    const Bytes bottomUp = bmp::Encode(source);
    Bytes topDown = bottomUp;  // the same picture with its rows top first and a negative height
    const size_t offBits = 54, stride = source.Stride();
    for (int y = 0; y < 300; ++y)
        std::memcpy(topDown.data() + offBits + stride * y, bottomUp.data() + offBits + stride * (299 - y), stride);
    const int32_t negative = -300;
    std::memcpy(topDown.data() + 22, &negative, 4);
    for (const Bytes* file : {&bottomUp, static_cast<const Bytes*>(&topDown)}) {
        for (const char* depth : {"32", "24", "16", "8", "4"}) {
            SCOPED_TRACE(std::string(depth) + (file == &topDown ? " from top-down rows" : ""));
            const int bits = std::atoi(depth);
            WriteBytes(Path("bands.bmp"), *file);
            EXPECT_FALSE(Exec(100, {Path("bands.bmp"), depth}));
            const bmp::Image out = ReadPicture(Path("bands.bmp"));
            const bmp::Image want = bits >= 16 ? At(source, bits) : MappedWhole(source, bits);
            ASSERT_EQ(out.bitsPerPixel, bits);
            EXPECT_TRUE(out.pixels == want.pixels) << "rows differ from the whole picture's conversion";
        }
    }
}

TEST_F(ChangeColorTest, RedBecomesF800InFiveSixFive) {
    const bmp::Image out = Run(Solid(3, 1, 0xFF0000), "16");
    const Bytes file = ReadBytes(Path("p.bmp"));
    EXPECT_EQ(bmptest::Read32(file, 30), 3u) << "BI_BITFIELDS";
    EXPECT_EQ(bmptest::Read32(file, 54), 0xF800u);
    EXPECT_EQ(bmptest::Read32(file, 58), 0x07E0u);
    EXPECT_EQ(bmptest::Read32(file, 62), 0x001Fu);
    EXPECT_EQ(bmptest::Read16(file, 66), 0xF800);
    EXPECT_EQ(bmptest::Read16(file, 68), 0xF800);
}

TEST_F(ChangeColorTest, EightBitsLosesColoursForGood) {
    bmp::Image out = Run(Solid(4, 4, kOdd), "8");
    const uint32_t matched = bmp::PixelRgb(out, 0, 0);
    EXPECT_NE(matched, kOdd);
    out = Run(out, "24");
    EXPECT_EQ(out.bitsPerPixel, 24);
    EXPECT_EQ(bmp::PixelRgb(out, 2, 2), matched);
}

TEST_F(ChangeColorTest, OtherKeywordsRewriteAtTheOwnDepth) {
    for (const char* depth : {"12", "24bit", " 24", "024", "", "8bit"}) {
        const bmp::Image out = Run(Sample(), depth);
        EXPECT_EQ(out.bitsPerPixel, 24) << depth;
        EXPECT_EQ(out.pixels, Sample().pixels) << depth;
    }
}

TEST_F(ChangeColorTest, RunLengthFileUnchangedIsWrittenBackByteForByte) {
    bmptest::Craft c;
    c.width = 4, c.height = 2, c.bpp = 8, c.compression = 1, c.colorsUsed = 2;
    c.palette = {0x000000, 0xFF0000};
    c.pixels = {4, 1, 0, 0, 2, 0, 2, 1, 0, 1};
    const Bytes file = c.Build();
    WriteBytes(Path("rle.bmp"), file);
    EXPECT_FALSE(Exec(100, {Path("rle.bmp"), "bogus"}));
    EXPECT_EQ(ReadBytes(Path("rle.bmp")), file);
    EXPECT_FALSE(Exec(100, {Path("rle.bmp"), "8"}));
    const Bytes rewritten = ReadBytes(Path("rle.bmp"));
    EXPECT_EQ(bmptest::Read32(rewritten, 30), 0u) << "uncompressed";
    const bmp::Image img = bmp::Decode(rewritten);
    EXPECT_EQ(img.bitsPerPixel, 8);
    EXPECT_EQ(img.palette, HalftoneColours());
    EXPECT_EQ(bmp::PixelRgb(img, 0, 1), 0xFF0000u);
    EXPECT_EQ(bmp::PixelRgb(img, 3, 0), 0xFF0000u);
    EXPECT_EQ(bmp::PixelRgb(img, 0, 0), 0u);
}

TEST_F(ChangeColorTest, RunLengthFilesAreWrittenOutAtTheDepthAskedFor) {
    // 4 x 2, bottom row first; entry 0 black, 1 red. RLE8: "rrrr" under "..rr";
    // RLE4: "r.r." under ".r.r".
    bmptest::Craft rle8;
    rle8.width = 4, rle8.height = 2, rle8.bpp = 8, rle8.compression = 1, rle8.colorsUsed = 2;
    rle8.palette = {0x000000, 0xFF0000};
    rle8.pixels = {4, 1, 0, 0, 2, 0, 2, 1, 0, 1};
    bmptest::Craft rle4 = rle8;
    rle4.bpp = 4, rle4.compression = 2;
    rle4.pixels = {4, 0x10, 0, 0, 4, 0x01, 0, 1};
    const std::pair<bmptest::Craft, std::vector<std::string>> files[] = {{rle8, {"..rr", "rrrr"}},
                                                                          {rle4, {".r.r", "r.r."}}};
    for (const auto& [craft, rows] : files) {
        for (const char* depth : {"32", "24", "16"}) {
            SCOPED_TRACE(std::to_string(craft.bpp) + " bits to " + depth);
            WriteBytes(Path("rle.bmp"), craft.Build());
            EXPECT_FALSE(Exec(100, {Path("rle.bmp"), depth}));
            const Bytes file = ReadBytes(Path("rle.bmp"));
            EXPECT_EQ(bmptest::Read16(file, 28), std::atoi(depth));
            EXPECT_EQ(bmptest::Read32(file, 30), std::string(depth) == "16" ? 3u : 0u) << "no longer run-length";
            const bmp::Image img = bmp::Decode(file);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 4; ++x)
                    EXPECT_EQ(bmp::PixelRgb(img, x, y), rows[y][x] == 'r' ? 0xFF0000u : 0u) << x << "," << y;
        }
    }
}

TEST_F(ChangeColorTest, Os2PictureKeepsItsShortHeader) {
    bmp::Image os2 = bmp::Decode(bmp::Encode(Sample()));
    os2.os2Header = true;
    Run(os2, "8");
    Bytes file = ReadBytes(Path("p.bmp"));
    EXPECT_EQ(bmptest::Read32(file, 14), 12u);
    EXPECT_EQ(bmptest::Read32(file, 10), 26u + 3 * 256);
    Run(os2, "16");  // 16 bits cannot be written with the short header
    file = ReadBytes(Path("p.bmp"));
    EXPECT_EQ(bmptest::Read32(file, 14), 40u);
}

TEST_F(ChangeColorTest, OnlyTheExactLowerCaseExtensionQualifies) {
    const Bytes original = bmp::Encode(Sample());
    for (const char* name : {"a.BMP", "b.Bmp", "c.bmp.bak", "d", "e.bmpx", "f.dib"}) {
        WriteBytes(Path(name), original);
        EXPECT_FALSE(Exec(100, {Path(name), "8"})) << name;
        EXPECT_EQ(ReadBytes(Path(name)), original) << name;
    }
    EXPECT_FALSE(Exec(100, {Path("missing.bmp"), "8"}));
    EXPECT_FALSE(Exists(Path("missing.bmp")));
    ::CreateDirectoryA(Path("folder.bmp").c_str(), nullptr);
    EXPECT_FALSE(Exec(100, {Path("folder.bmp"), "8"}));
    ::RemoveDirectoryA(Path("folder.bmp").c_str());
}

TEST_F(ChangeColorTest, ZeroByteFileStaysZeroBytes) {
    for (const char* depth : {"32", "24", "16", "8", "4", "x"}) {
        WriteBytes(Path("z.bmp"), {});
        EXPECT_FALSE(Exec(100, {Path("z.bmp"), depth})) << depth;
        EXPECT_TRUE(Exists(Path("z.bmp")));
        EXPECT_TRUE(ReadBytes(Path("z.bmp")).empty());
    }
}

TEST_F(ChangeColorTest, InvalidFileIsReportedAndLeftAsItWas) {
    Bytes bad = bmp::Encode(Sample());
    bad[0] = 'b';
    WriteBytes(Path("bad.bmp"), bad);
    EXPECT_EQ(ExecError(100, {Path("bad.bmp"), "8"}), "Bitmap image is not valid");
    EXPECT_EQ(ReadBytes(Path("bad.bmp")), bad);
    Bytes cut = bmp::Encode(Sample());
    cut.resize(cut.size() - 1);
    WriteBytes(Path("cut.bmp"), cut);
    EXPECT_EQ(ExecError(100, {Path("cut.bmp"), "24"}), "Bitmap image is not valid");
    EXPECT_EQ(ReadBytes(Path("cut.bmp")), cut);
}

TEST_F(ChangeColorTest, ReadOnlyFileIsReportedAndLeftIntact) {
    const Bytes original = bmp::Encode(Sample());
    WriteBytes(Path("ro.bmp"), original);
    ::SetFileAttributesA(Path("ro.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string err = ExecError(100, {Path("ro.bmp"), "8"});
    EXPECT_EQ(err.rfind("Cannot create file \"" + Path("ro.bmp") + "\". ", 0), 0u) << err;
    ::SetFileAttributesA(Path("ro.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(Path("ro.bmp")), original);
    EXPECT_EQ(FolderFiles(dir_).size(), 1u) << "no temporary file left";
}

TEST_F(ChangeColorTest, LockedFileIsReportedAndLeftIntact) {
    const Bytes original = bmp::Encode(Sample());
    WriteBytes(Path("locked.bmp"), original);
    HANDLE lock = ::CreateFileA(Path("locked.bmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ExecError(100, {Path("locked.bmp"), "8"}),
              "Cannot open file \"" + Path("locked.bmp") + "\". " + hq::SystemErrorText(ERROR_SHARING_VIOLATION));
    ::CloseHandle(lock);
    EXPECT_EQ(ReadBytes(Path("locked.bmp")), original);
    EXPECT_EQ(FolderFiles(dir_).size(), 1u);
}

}  // namespace
