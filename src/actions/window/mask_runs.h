// Window shapes from black-and-white masks: one rectangle per horizontal run
// of pixels that are not exactly white. Portable (no <windows.h>).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "image/bmp_image.h"

namespace hq {

// A rectangle with exclusive right and bottom edges (the layout of a Win32 RECT).
struct RunRect {
    int32_t left, top, right, bottom;
    bool operator==(const RunRect&) const = default;
};

// Pixel rows of a mask: `bytesPerPixel` is 3 (blue, green, red) or 4 (blue,
// green, red, unused); `stride` is the distance in bytes from row y to row
// y + 1 and may be negative for bottom-up memory. Row 0 is the top row.
struct MaskView {
    const uint8_t* top = nullptr;
    int32_t width = 0, height = 0;
    ptrdiff_t stride = 0;
    int bytesPerPixel = 4;
};

// Scans each row left to right: a pixel with red = green = blue = 255 lies
// outside, every other pixel inside; each run of inside pixels gives the
// rectangle (start, y) - (end, y + 1). Rectangles come top row first, left to
// right, which is the order in which the system keeps region rectangles.
std::vector<RunRect> BuildMaskRuns(const MaskView& mask);

// The same runs for a picture of the BMP module in any format, handed to
// `sink(rects, count)` in batches of at most `batch` rectangles: only one row
// of colours and one batch are held at a time, whatever the number of runs.
void ScanMaskRuns(const bmp::Image& picture, size_t batch,
                  const std::function<void(const RunRect* rects, size_t count)>& sink);

// The rows of a picture of the BMP module, top row first: `picture` must be
// 32 bits (Format::Bgrx32) or 24 bits (Format::Bgr24) without bit fields, as
// Convert gives it. Its rows are kept bottom-up, so the stride is negative.
// An empty picture gives an empty view.
MaskView MaskViewOf(const bmp::Image& picture);

}  // namespace hq
