// Helpers of the capture and image tests: a scratch folder per test, file
// bytes, pictures made with the image module, a window painted in known
// colours, and the pieces of a JPEG file the tests compare.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/bmp_image.h"
#include "fixture.h"

namespace captest {

using Bytes = std::vector<uint8_t>;
namespace bmp = hq::bmp;

inline constexpr COLORREF kLeftColour = RGB(220, 30, 40);   // left half of the painted window
inline constexpr COLORREF kRightColour = RGB(20, 60, 200);  // right half

// 0x00RRGGBB as the image module reports colours.
inline uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

using hqtest::Exists;
using hqtest::FolderFiles;
using hqtest::ReadBytes;
using hqtest::WriteBytes;

// A picture filled by `colour(x, y)` (y from the top), at 24 bits.
template <typename F>
bmp::Image Picture(int w, int h, F colour) {
    bmp::Image img = bmp::Blank(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = img.pixels.data() + static_cast<size_t>(h - 1 - y) * img.Stride();
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            row[3 * x] = static_cast<uint8_t>(c), row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return img;
}
inline bmp::Image Solid(int w, int h, uint32_t rgb) {
    return Picture(w, h, [rgb](int, int) { return rgb; });
}
bmp::Image ReadPicture(const std::string& path);

// A window of the test painted left half kLeftColour, right half kRightColour;
// it answers WM_PRINTCLIENT the same way.
HWND CreatePaintedWindow(HWND parent, DWORD style, int x, int y, int w, int h);

// JPEG pieces: the image size from the frame header, the frame marker, the
// number of components, and the quantisation segments' bytes.
struct JpegInfo {
    int width = 0, height = 0, components = 0;
    uint8_t frameMarker = 0;  // 0xC0 baseline, 0xC2 progressive
    Bytes quantTables;        // all DQT segment payloads, concatenated
};
JpegInfo ParseJpeg(const Bytes& file);
// Bare libjpeg with the writer's settings: a 24-bit picture (BGR rows, read
// top row first), and the DQT bytes it writes at a quality.
Bytes ReferenceJpeg(const bmp::Image& img24, int quality);
Bytes ReferenceQuantTables(int quality);

// Base fixture: a fresh scratch folder (absolute path, ending in a backslash).
class CaptureTest : public hqtest::PluginTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return dir_ + name; }
    std::string dir_;
    std::vector<HWND> windows_;
    HWND Painted(HWND parent, DWORD style, int x, int y, int w, int h);
};

}  // namespace captest
