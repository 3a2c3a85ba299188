// The plug-in's pictures at display scales: LoadPicture's size, the drawn file
// itself at 96 dpi and at the drawn scales, and no pink fringe on a keyed glyph
// that had to be shrunk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/handles.h"
#include "fixture.h"
#include "form/picture.h"

namespace {

using hq::ui::LoadPicture;
using hq::ui::PictureKey;

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
    bool operator==(const Pixels&) const = default;
};

Pixels Read(HBITMAP bitmap) {
    Pixels p;
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return p;
    p.width = info.bmWidth;
    p.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    p.rgb.resize(static_cast<size_t>(p.width) * p.height);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, p.width, -p.height, 1, 32, BI_RGB};
    const hq::UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    EXPECT_EQ(::GetDIBits(dc.get(), bitmap, 0, p.height, p.rgb.data(), &bi, DIB_RGB_COLORS), p.height);
    for (uint32_t& px : p.rgb) px &= 0x00FFFFFF;
    return p;
}

// A committed picture file of src/editors/res, read without the plug-in's
// resources (Wine shows the Linux root as drive Z:).
Pixels FromFile(const std::string& name) {
    std::string path = std::string("Z:") + HQ_SOURCE_DIR + "/src/editors/res/" + name;
    for (char& c : path) c = c == '/' ? '\\' : c;
    if (name.ends_with(".png")) {
        const std::vector<uint8_t> bytes = hqtest::ReadBytes(path);
        const hq::UniqueBitmap decoded = hq::ui::DecodePng(bytes.data(), bytes.size());
        return Read(decoded.get());
    }
    const hq::UniqueBitmap loaded(static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    return Read(loaded.get());
}

// Magenta or a blend of it: red and blue both well above green.
bool NearMagenta(uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return std::min(r, b) - g > 0x30;
}

TEST(Picture, EachPictureAtEachScaleIsItsDrawnFileOrAShrunkOneWithoutFringe) {
    struct Case {
        const wchar_t* name;
        const char* stem;  // the files stem.ext, stem_150.ext, stem_200.ext; null: no such picture
        const char* ext;
        int width, height;
        PictureKey key;
    };
    const Case cases[] = {
        {L"GLYPH_VARIABLE", "glyph_variable", "bmp", 19, 19, PictureKey::Magenta},
        {L"GLYPH_VARIABLE24", "glyph_variable24", "bmp", 24, 24, PictureKey::Magenta},
        {L"GLYPH_FILE", "glyph_file", "bmp", 19, 19, PictureKey::Magenta},
        {L"GLYPH_OBJECT", "glyph_object", "bmp", 19, 19, PictureKey::Magenta},
        {L"GLYPH_HELP", "glyph_help", "bmp", 20, 20, PictureKey::Magenta},
        {L"INFO_ICON", "info_icon", "bmp", 17, 17, PictureKey::None},
        {L"ABOUT_PICTURE", "about", "png", 188, 132, PictureKey::None},
        {L"NO_SUCH_PICTURE", nullptr, nullptr, 19, 19, PictureKey::Magenta},
    };
    for (const Case& c : cases) {
        for (int dpi : {96, 120, 144, 168, 192, 240}) {
            SCOPED_TRACE(testing::Message() << c.stem << " at " << dpi << " dpi");
            const hq::UniqueBitmap picture = LoadPicture(c.name, c.width, c.height, dpi, c.key);
            if (!c.stem) {
                EXPECT_FALSE(picture);
                continue;
            }
            const Pixels got = Read(picture.get());
            ASSERT_EQ(got.width, ::MulDiv(c.width, dpi, 96));
            ASSERT_EQ(got.height, ::MulDiv(c.height, dpi, 96));
            const char* drawn = dpi == 96 ? "" : dpi == 144 ? "_150" : dpi == 192 ? "_200" : nullptr;
            if (drawn) {
                const Pixels file = FromFile(std::string(c.stem) + drawn + "." + c.ext);
                ASSERT_EQ(file.width, got.width) << "the committed file";
                EXPECT_TRUE(got == file) << "not the drawn picture";
            } else if (c.key == PictureKey::Magenta) {
                int fringe = 0;
                for (uint32_t px : got.rgb) fringe += NearMagenta(px);
                EXPECT_EQ(fringe, 0) << "pixels near magenta in a shrunk glyph";
            }
        }
    }
}

}  // namespace
