// fzSetWatermark through the stand-in host: opacity and key-colour stamping,
// clipping, the host round trip of the colour text, formats and errors.
#include "capture_support.h"

#include <cstdlib>

#include "actions/capture/image_file.h"

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace {

using namespace captest;

constexpr uint32_t kMain = 0x0A141E;     // (10, 20, 30)
constexpr uint32_t kOver = 0xC86432;     // (200, 100, 50)
constexpr uint32_t kMagenta = 0xFF00FF;

class WatermarkTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        WriteBytes(Path("main.bmp"), bmp::Encode(Solid(64, 48, kMain)));
        WriteBytes(Path("over.bmp"), bmp::Encode(Solid(16, 8, kOver)));
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
    // Checks the output: overlay colour `inside` over [x, x+w) x [y, y+h), the main colour elsewhere.
    void ExpectStamp(const bmp::Image& img, int x0, int y0, int w, int h, uint32_t inside) {
        ASSERT_EQ(img.width, 64);
        ASSERT_EQ(img.height, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool in = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
                const uint32_t got = bmp::PixelRgb(img, x, y);
                ASSERT_TRUE(Near(got, in ? inside : kMain)) << x << "," << y << " got " << std::hex << got;
            }
    }
};

TEST_F(WatermarkTest, HalfOpacityMixesTheOverlayOverItsRectangle) {
    ASSERT_TRUE(Exec(41, Params("Tr", "128", "", "Bmp")));
    const Bytes file = ReadBytes(Path("out.bmp"));
    const bmp::Image img = bmp::Decode(file);
    EXPECT_EQ(img.bitsPerPixel, 32);
    EXPECT_FALSE(img.bitfields);
    ExpectStamp(img, 10, 20, 16, 8, Blend(kOver, kMain, 128));
    EXPECT_TRUE(host().CallLog().empty()) << "mode Tr talks to no host callback";
}

TEST_F(WatermarkTest, OpacityUsesTheLowByte) {
    const std::pair<const char*, int> cases[] = {{"0", 0}, {"255", 255}, {"511", 255}, {"256", 0}, {"-1", 255}};
    for (const auto& [text, alpha] : cases) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Exec(41, Params("Tr", text, "", "Bmp")));
        ExpectStamp(ReadPicture(Path("out.bmp")), 10, 20, 16, 8, alpha == 0 ? kMain : kOver);
    }
}

TEST_F(WatermarkTest, KeyColourPixelsAreNotCopiedOthersExactly) {
    // Overlay: a magenta frame around a (200, 100, 50) centre.
    WriteBytes(Path("over.bmp"), bmp::Encode(Picture(16, 8, [](int x, int y) {
                   return (x == 0 || y == 0 || x == 15 || y == 7) ? kMagenta : kOver;
               })));
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "255,0,255", "Bmp")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 11, 21, 14, 6, kOver);
    EXPECT_EQ(host().Var("[fzRez]"), "255,0,255");
    ASSERT_FALSE(host().Scripts().empty());
    EXPECT_EQ(host().Scripts().back(), "StrParse \"[fzRez]\" \",\" \"[$]\" \"\"");
    const std::vector<std::string> calls = {"set [fzRez]=255,0,255", "get [$1]", "get [$2]", "get [$3]"};
    EXPECT_EQ(host().CallLog(), calls);
}

TEST_F(WatermarkTest, KeyColourComponentsAreIntegerText) {
    EXPECT_EQ(ExecError(41, Params("TrColor", "", "255,0,", "Bmp")), "'' is not a valid integer value");
    EXPECT_EQ(ExecError(41, Params("TrColor", "", "red,0,1", "Bmp")), "'red' is not a valid integer value");
    EXPECT_FALSE(Exists(Path("out.bmp")));
    // Components keep their low byte: 511 is 255.
    WriteBytes(Path("over.bmp"), bmp::Encode(Solid(16, 8, kMagenta)));
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "511,$100,255", "Bmp")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 0, 0, kMain);
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
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp", "-4", "-3")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 12, 5, kOver);
    ASSERT_TRUE(Exec(41, Params("Tr", "255", "", "Bmp", "60", "44")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 60, 44, 4, 4, kOver);
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "1,2,3", "Bmp", "-100", "0")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 0, 0, kOver);
    // An overlay larger than the main picture covers it all; the size stays.
    WriteBytes(Path("over.bmp"), bmp::Encode(Solid(100, 100, kOver)));
    ASSERT_TRUE(Exec(41, Params("TrColor", "", "1,2,3", "Bmp", "-5", "-5")));
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 64, 48, kOver);
}

TEST_F(WatermarkTest, OutputMayReplaceTheMainPicture) {
    auto p = Params("Tr", "255", "", "Bmp");
    p[9] = p[0];
    ASSERT_TRUE(Exec(41, p));
    ExpectStamp(ReadPicture(Path("main.bmp")), 10, 20, 16, 8, kOver);
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
    ExpectStamp(ReadPicture(Path("out.bmp")), 0, 0, 0, 0, kOver);
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

}  // namespace
