// The JPEG writer against bare libjpeg-turbo byte for byte, and the atomic
// file writing with relative paths and error texts.
#include "capture_support.h"

#include "image/image_file.h"
#include "image/jpeg_writer.h"

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "base/error.h"

namespace {

using namespace captest;

bmp::Image Gradient(int w, int h) {
    return Picture(w, h, [w, h](int x, int y) {
        return static_cast<uint32_t>(((x * 255 / w) << 16) | ((y * 255 / h) << 8) | ((x ^ y) & 255));
    });
}

TEST(JpegWriter, MatchesBareLibjpegByteForByteFromEveryDepth) {
    const bmp::Image img = Gradient(37, 23);  // odd sizes: partial blocks and row padding
    for (int quality : {1, 50, 85, 100}) {
        const Bytes golden = ReferenceJpeg(img, quality);
        EXPECT_EQ(hq::EncodeJpeg(img, static_cast<uint8_t>(quality)), golden) << quality;
        EXPECT_EQ(hq::EncodeJpeg(bmp::Convert(img, bmp::Format::Bgrx32), static_cast<uint8_t>(quality)), golden);
    }
    // A 5-6-5 picture is encoded from its widened colours.
    const bmp::Image v565 = bmp::Convert(img, bmp::Format::Rgb565);
    EXPECT_EQ(hq::EncodeJpeg(v565, 85), ReferenceJpeg(bmp::Convert(v565, bmp::Format::Bgr24), 85));
}

TEST(JpegWriter, EmptyPictureGivesNoBytesAndEncoderErrorsAreRaised) {
    EXPECT_TRUE(hq::EncodeJpeg(bmp::Image(), 50).empty());
    try {
        hq::EncodeJpeg(Solid(65501, 1, 0), 50);
        ADD_FAILURE() << "no error";
    } catch (const hq::Error& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(JERR_IMAGE_TOO_BIG));
    }
    EXPECT_EQ(hq::EncodeJpeg(Solid(65500, 1, 0), 50).size() > 0, true) << "the largest size still encodes";
}

class AtomicFileTest : public CaptureTest {};

TEST_F(AtomicFileTest, RelativePathsLandInTheCurrentFolderAndErrorsNameTheFullPath) {
    char old[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, old);
    ASSERT_TRUE(::SetCurrentDirectoryA(dir_.c_str()));
    EXPECT_TRUE(Exec(5, {"rel.bmp", "0", "0", "2", "2"}));
    EXPECT_EQ(ExecError(5, {"nowhere\\rel.bmp", "0", "0", "2", "2"}),
              "Cannot create file \"" + dir_ + "nowhere\\rel.bmp\". " + hq::SystemErrorText(ERROR_PATH_NOT_FOUND));
    ::SetCurrentDirectoryA(old);
    EXPECT_EQ(bmp::Decode(ReadBytes(Path("rel.bmp"))).width, 2);
    EXPECT_EQ(FolderFiles(dir_), std::vector<std::string>{"rel.bmp"});
}

TEST_F(AtomicFileTest, AFolderInTheWayIsReported) {
    ::CreateDirectoryA(Path("taken").c_str(), nullptr);
    const std::string err = ExecError(5, {Path("taken"), "0", "0", "2", "2"});
    EXPECT_EQ(err.rfind("Cannot create file \"" + Path("taken") + "\". ", 0), 0u) << err;
    EXPECT_TRUE(FolderFiles(dir_).empty());
    ::RemoveDirectoryA(Path("taken").c_str());
}

TEST(SystemErrorText, TrimsTrailingDotsAndFallsBack) {
    const std::string text = hq::SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '.');
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(hq::SystemErrorText(0x2FFFFFFF), "Out of system resources");
    EXPECT_EQ(hq::SystemErrorText(0), "Out of system resources");
}

}  // namespace
