#include "actions/window/mask_runs.h"

#include <cstring>

namespace hq {

namespace {

// Adds the runs of one row through add(rect); IsWhite(x) tells a pixel outside the shape.
template <typename IsWhite, typename Add>
void AddRowRuns(int32_t y, int32_t width, IsWhite isWhite, Add add) {
    int32_t x = 0;
    while (x < width) {
        while (x < width && isWhite(x)) ++x;
        if (x == width) break;
        const int32_t start = x;
        while (x < width && !isWhite(x)) ++x;
        add(RunRect{start, y, x, y + 1});
    }
}

}  // namespace

std::vector<RunRect> BuildMaskRuns(const MaskView& mask) {
    std::vector<RunRect> runs;
    auto add = [&runs](const RunRect& r) { runs.push_back(r); };
    if (mask.width <= 0 || mask.height <= 0 || !mask.top) return runs;
    for (int32_t y = 0; y < mask.height; ++y) {
        const uint8_t* row = mask.top + static_cast<ptrdiff_t>(y) * mask.stride;
        if (mask.bytesPerPixel == 4) {
            AddRowRuns(y, mask.width, [row](int32_t x) {
                uint32_t v;
                std::memcpy(&v, row + static_cast<size_t>(x) * 4, 4);
                return (v & 0x00FFFFFFu) == 0x00FFFFFFu;  // blue, green, red in the low three bytes
            }, add);
        } else {
            AddRowRuns(y, mask.width, [row](int32_t x) {
                const uint8_t* p = row + static_cast<size_t>(x) * 3;
                return (p[0] & p[1] & p[2]) == 0xFF;
            }, add);
        }
    }
    return runs;
}

void ScanMaskRuns(const bmp::Image& picture, size_t batch,
                  const std::function<void(const RunRect* rects, size_t count)>& sink) {
    if (picture.Empty() || picture.pixels.empty() || batch == 0) return;
    std::vector<uint32_t> row(static_cast<size_t>(picture.width));
    std::vector<RunRect> pending;
    pending.reserve(batch);
    auto add = [&](const RunRect& r) {
        pending.push_back(r);
        if (pending.size() == batch) {
            sink(pending.data(), pending.size());
            pending.clear();
        }
    };
    for (int32_t y = 0; y < picture.height; ++y) {
        bmp::RowRgb(picture, y, row.data());
        AddRowRuns(y, picture.width, [&row](int32_t x) { return row[static_cast<size_t>(x)] == 0xFFFFFFu; }, add);
    }
    if (!pending.empty()) sink(pending.data(), pending.size());
}

MaskView MaskViewOf(const bmp::Image& picture) {
    if (picture.Empty() || picture.pixels.empty()) return {};
    const ptrdiff_t stride = static_cast<ptrdiff_t>(picture.Stride());
    return {picture.pixels.data() + stride * (picture.height - 1), picture.width, picture.height, -stride,
            picture.bitsPerPixel / 8};
}

}  // namespace hq
