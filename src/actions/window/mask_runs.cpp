#include "actions/window/mask_runs.h"

#include <cstring>

namespace hq {

namespace {

// Adds the runs of one row; IsWhite(x) tells a pixel outside the shape.
template <typename IsWhite>
void AddRowRuns(int32_t y, int32_t width, IsWhite isWhite, std::vector<RunRect>& out) {
    int32_t x = 0;
    while (x < width) {
        while (x < width && isWhite(x)) ++x;
        if (x == width) break;
        const int32_t start = x;
        while (x < width && !isWhite(x)) ++x;
        out.push_back({start, y, x, y + 1});
    }
}

}  // namespace

std::vector<RunRect> BuildMaskRuns(const MaskView& mask) {
    std::vector<RunRect> runs;
    if (mask.width <= 0 || mask.height <= 0 || !mask.top) return runs;
    for (int32_t y = 0; y < mask.height; ++y) {
        const uint8_t* row = mask.top + static_cast<ptrdiff_t>(y) * mask.stride;
        if (mask.bytesPerPixel == 4) {
            AddRowRuns(y, mask.width, [row](int32_t x) {
                uint32_t v;
                std::memcpy(&v, row + static_cast<size_t>(x) * 4, 4);
                return (v & 0x00FFFFFFu) == 0x00FFFFFFu;  // blue, green, red in the low three bytes
            }, runs);
        } else {
            AddRowRuns(y, mask.width, [row](int32_t x) {
                const uint8_t* p = row + static_cast<size_t>(x) * 3;
                return (p[0] & p[1] & p[2]) == 0xFF;
            }, runs);
        }
    }
    return runs;
}

MaskView MaskViewOf(const bmp::Image& picture) {
    if (picture.Empty() || picture.pixels.empty()) return {};
    const ptrdiff_t stride = static_cast<ptrdiff_t>(picture.Stride());
    return {picture.pixels.data() + stride * (picture.height - 1), picture.width, picture.height, -stride,
            picture.bitsPerPixel / 8};
}

}  // namespace hq
