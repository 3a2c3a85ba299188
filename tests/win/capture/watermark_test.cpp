// fzSetWatermark through the stand-in host: opacity and key-colour stamping,
// clipping, the host round trip of the colour text, formats and errors.
#include "capture_support.h"

#include <cstdlib>

#include "image/image_file.h"

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace {

using namespace captest;

constexpr uint32_t kMain = 0x0A141E;     // (10, 20, 30)
constexpr uint32_t kOver = 0xC86432;     // (200, 100, 50)
constexpr uint32_t kMagenta = 0xFF00FF;

// The overlay's colour at (x, y): every column and every row differs, so a
// stamp taken from the wrong place of the overlay shows.
uint32_t OverAt(int x, int y) {
    return (static_cast<uint32_t>(200 - x) << 16) | (static_cast<uint32_t>(100 + y) << 8) |
           static_cast<uint32_t>((50 + 3 * x + 7 * y) & 0xFF);
}

class WatermarkTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        WriteBytes(Path("main.bmp"), bmp::Encode(Solid(64, 48, kMain)));
        WriteBytes(Path("over.bmp"), bmp::Encode(Picture(16, 8, OverAt)));
    }
    // Parameters 1-10 with the given mode, opacity, colour, format, quality, offset.
    std::vector<std::string> Params(const std::string& mode, const std::string& opacity, const std::string& colour,
                                    const std::string& format, const std::string& x = "10",
                                    const std::string& y = "20", const std::string& out = "out.bmp") {
        return {Path("main.bmp"), Path("over.bmp"), x, y, mode, opacity, colour, format, "75", Path(out)};
    }
    // The expected channel after AlphaBlend (Wine rounds (s*a + d*(255-a) + 127) / 255).
    static uint32_t Blend(uint32_t s, uint32_t d, int a) {
        uint32_t out = 0;
        for (int shift : {0, 8, 16}) {
            const uint32_t c = (((s >> shift) & 255) * a + ((d >> shift) & 255) * (255 - a) + 127) / 255;
            out |= c << shift;
        }
        return out;
    }
    static bool Near(uint32_t a, uint32_t b) {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) > 1) return false;
        return true;
    }
    // Checks the output: where the w x h overlay (OverAt) laid at (x0, y0)
    // covers the main picture, `stamped(overlay colour)`; the main colour elsewhere.
    template <typename Stamped>
    void ExpectStamp(const bmp::Image& img, int x0, int y0, int w, int h, Stamped stamped) {
        ASSERT_EQ(img.width, 64);
        ASSERT_EQ(img.height, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool in = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
                const uint32_t want = in ? static_cast<uint32_t>(stamped(OverAt(x - x0, y - y0))) : kMain;
                const uint32_t got = bmp::PixelRgb(img, x, y);
                ASSERT_TRUE(Near(got, want)) << x << "," << y << " got " << std::hex << got << " want " << want;
            }
    }
    static uint32_t Copied(uint32_t over) { return over; }
    static uint32_t Untouched(uint32_t) { return kMain; }
};

TEST_F(WatermarkTest, HalfOpacityMixesTheOverlayOverItsRectangle) {
    ASSERT_TRUE(Exec(41, Params("Tr", "128", "", "Bmp")));
    const Bytes file = ReadBytes(Path("out.bmp"));
    const bmp::Image img = bmp::Decode(file);
    EXPECT_EQ(img.bitsPerPixel, 32);
    EXPECT_FALSE(img.bitfields);
    ExpectStamp(img, 10, 20, 16, 8, [](uint32_t over) { return Blend(over, kMain, 128); });
    EXPECT_TRUE(host().CallLog().empty()) << "mode Tr talks to no host callback";
}

TEST_F(WatermarkTest, OpacityUsesTheLowByte) {
    const std::pair<const char*, int> cases[] = {{"0", 0}, {"255", 255}, {"511", 255}, {"256", 0}, {"-1", 255}};
    for (const auto& [text, alpha] : cases) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Exec(41, Params("Tr", text, "", "Bmp")));
        ExpectStamp(ReadPicture(Path("out.bmp")), 10, 20, 16, 8, alpha == 0 ? Untouched : Copied);
    }
}

TEST_F(WatermarkTest, KeyColourPixelsAreNotCopiedOthersExactly) {
    // Overlay: a frame of the key colour around the varying centre. Red is
    // one key: magenta reads the same with red and blue swapped.
    const std::pair<const char*, uint32_t> keys[] = {{"255,0,255", kMagenta}, {"255,0,0", 0xFF0000}};
    for (const auto& [text, key] : keys) {
        SCOPED_TRACE(text);
        host().CallLog().clear();
        WriteBytes(Path("over.bmp"), bmp::Encode(Picture(16, 8, [key = key](int x, int y) {
                       return (x == 0 || y == 0 || x == 15 || y == 7) ? key : OverAt(x - 1, y - 1);
                   })));
        ASSERT_TRUE(Exec(41, Params("TrColor", "", text, "Bmp")));
        ExpectStamp(ReadPicture(Path("out.bmp")), 11, 21, 14, 6, Copied);
        EXPECT_EQ(host().Var("[fzRez]"), text);
        ASSERT_FALSE(host().Scripts().empty());
        EXPECT_EQ(host().Scripts().back(), "StrParse \"[fzRez]\" \",\" \"[$]\" \"\"");
        const std::vector<std::string> calls = {std::string("set [fzRez]=") + text, "get [$1]", "get [$2]", "get [$3]"};
        EXPECT_EQ(host().CallLog(), calls);
    }
}

TEST_F(WatermarkTest, KeyColourComponentsAreIntegerText) {
    EXPECT_EQ(ExecError(41, Params("TrColor", "", "255,0,", "Bmp")), "'' is not a valid integer value");
    EXPECT_EQ(ExecError(41, Params("TrColor", "", "red,0,1", "Bmp")), "'red' is not a valid integer value");
    EXPECT_FALSE(Exists(Path("out.bmp")));
    // Components keep their low byte: 511 is 255.
    WriteBytes(Path("over.bmp"), bmp::Encode(Solid(16, 8, kMagenta)));
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "511,$100,255", "Bmp")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 0, 0, Untouched);
}

TEST_F(WatermarkTest, KeywordsMatchExactlyOrNothingHappens) {
    const size_t scripts = host().Scripts().size();
    for (const auto& [mode, format] : {std::pair{"tr", "Bmp"}, {"Tr", "bmp"}, {"TRCOLOR", "Jpg"}, {"TrColor", "jpg"},
                                       {"Tr ", "Bmp"}, {"Tr", " Bmp"}, {"", ""}}) {
        EXPECT_TRUE(Exec(41, Params(mode, "128", "255,0,255", format))) << mode << "/" << format;
    }
    EXPECT_FALSE(Exists(Path("out.bmp")));
    EXPECT_TRUE(host().CallLog().empty());
    EXPECT_EQ(host().Scripts().size(), scripts);
}

TEST_F(WatermarkTest, InputsAreOpenedBeforeTheKeywordsAreLookedAt) {
    auto p = Params("none", "", "", "none");
    p[0] = Path("missing.bmp");
    EXPECT_EQ(ExecError(41, p),
              "Cannot open file \"" + Path("missing.bmp") + "\". " + hq::SystemErrorText(ERROR_FILE_NOT_FOUND));
    p = Params("Tr", "1", "", "Bmp");
    WriteBytes(Path("over.bmp"), {'B', 'X', 1, 2, 3});
    EXPECT_EQ(ExecError(41, p), "Bitmap image is not valid");
    EXPECT_FALSE(Exists(Path("out.bmp")));
}

TEST_F(WatermarkTest, OverlayIsClippedToTheMainPicture) {
    // Cut on the left and top: the stamp starts inside the overlay.
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp", "-4", "-3")));
    ExpectStamp(ReadPicture(Path("out.bmp")), -4, -3, 16, 8, Copied);
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "1,2,3", "Bmp", "-4", "-3")));
    ExpectStamp(ReadPicture(Path("out.bmp")), -4, -3, 16, 8, Copied);
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp", "60", "44")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 60, 44, 16, 8, Copied);
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "1,2,3", "Bmp", "-100", "0")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 0, 0, Untouched);
    // An overlay larger than the main picture covers it all; the size stays.
    WriteBytes(Path("over.bmp"), bmp::Encode(Picture(100, 100, OverAt)));
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "1,2,3", "Bmp", "-5", "-5")));
    ExpectStamp(ReadPicture(Path("out.bmp")), -5, -5, 100, 100, Copied);
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp", "-5", "-7")));
    ExpectStamp(ReadPicture(Path("out.bmp")), -5, -7, 100, 100, Copied);
}

TEST_F(WatermarkTest, OutputMayReplaceTheMainPicture) {
    auto p = Params("Tr", "255", "", "Bmp");
    p[9] = p[0];
    ASSERT_TRUE(Exec(41, p));
    ExpectStamp(ReadPicture(Path("main.bmp")), 10, 20, 16, 8, Copied);
    EXPECT_EQ(FolderFiles(dir_).size(), 2u);
}

TEST_F(WatermarkTest, JpegOutputAtTheGivenQuality) {
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "255,0,255", "Jpg", "10", "20", "out.jpg")));
    const JpegInfo info = ParseJpeg(ReadBytes(Path("out.jpg")));
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 48);
    EXPECT_EQ(info.frameMarker, 0xC0);
    EXPECT_EQ(info.quantTables, ReferenceQuantTables(75));
    auto p = Params("Tr", "9", "", "Jpg", "0", "0", "bad.jpg");
    p[8] = "";
    EXPECT_EQ(ExecError(41, p), "'' is not a valid integer value");
    EXPECT_FALSE(Exists(Path("bad.jpg")));
}

TEST_F(WatermarkTest, EncoderFailureIsAnErrorWithItsNumber) {
    WriteBytes(Path("main.bmp"), bmp::Encode(Solid(70000, 1, kMain)));  // wider than JPEG allows
    EXPECT_EQ(ExecError(41, Params("Tr", "9", "", "Jpg", "0", "0", "wide.jpg")),
              "JPEG error #" + std::to_string(JERR_IMAGE_TOO_BIG));
    EXPECT_FALSE(Exists(Path("wide.jpg")));
    EXPECT_EQ(FolderFiles(dir_).size(), 2u);
}

TEST_F(WatermarkTest, EmptyPictures) {
    WriteBytes(Path("over.bmp"), {});
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 0, 0, Untouched);
    WriteBytes(Path("main.bmp"), {});
    for (const char* format : {"Bmp", "Jpg"}) {
        WriteBytes(Path("out.bmp"), {1});
        ASSERT_TRUE(Exec(41, Params("TrColor", "", "1,2,3", format)));
        EXPECT_TRUE(Exists(Path("out.bmp")));
        EXPECT_TRUE(ReadBytes(Path("out.bmp")).empty()) << format;
    }
}

TEST_F(WatermarkTest, InputsOfOtherDepthsAreStampedAt32Bits) {
    bmp::Image main16 = bmp::Convert(Solid(64, 48, 0xF80000), bmp::Format::Rgb565);
    WriteBytes(Path("main.bmp"), bmp::Encode(main16));
    bmp::Image over8 = bmp::Blank(16, 8, 8);
    over8.palette = {0x000000, kOver};
    std::fill(over8.pixels.begin(), over8.pixels.end(), 1);
    WriteBytes(Path("over.bmp"), bmp::Encode(over8));
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp")));
    const bmp::Image img = ReadPicture(Path("out.bmp"));
    EXPECT_EQ(img.bitsPerPixel, 32);
    EXPECT_EQ(bmp::PixelRgb(img, 0, 0), 0xFF0000u);
    EXPECT_EQ(bmp::PixelRgb(img, 12, 22), kOver);
}

TEST_F(WatermarkTest, TheMainPicturesFourthBytesStayWhereNothingIsStamped) {
    // A 32-bit main picture whose fourth byte differs from pixel to pixel.
    bmp::Image main = bmp::Convert(Solid(64, 48, kMain), bmp::Format::Bgrx32);
    for (size_t i = 0; i < main.pixels.size() / 4; ++i) main.pixels[4 * i + 3] = static_cast<uint8_t>(i * 37 | 1);
    WriteBytes(Path("main.bmp"), bmp::Encode(main));
    const struct {
        const char* mode;
        const char* opacity;
        bool stamped;  // false: the output equals the main picture everywhere
    } cases[] = {{"Tr", "128", true}, {"Tr", "0", false}, {"TrColor", "", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.opacity);
        ASSERT_TRUE(Exec(41, Params(c.mode, c.opacity, "1,2,3", "Bmp")));
        const bmp::Image out = ReadPicture(Path("out.bmp"));
        ASSERT_EQ(out.pixels.size(), main.pixels.size());
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                if (c.stamped && x >= 10 && x < 26 && y >= 20 && y < 28) continue;
                const size_t at = static_cast<size_t>(47 - y) * out.Stride() + 4 * static_cast<size_t>(x);
                ASSERT_EQ(out.pixels[at + 3], main.pixels[at + 3]) << x << "," << y;
                if (!c.stamped) {
                    ASSERT_EQ(bmp::PixelRgb(out, x, y), kMain) << x << "," << y;
                }
            }
    }
}

}  // namespace
