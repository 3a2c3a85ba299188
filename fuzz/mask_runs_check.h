// The mask run builder against a pixel-by-pixel reference. An input is either
// a raw pixel view (3 or 4 bytes a pixel, either row direction, padded rows)
// or a BMP file taken the way the mask action takes it (read, converted to
// 32 bits). The runs must lie inside the picture, come top row first and left
// to right without touching or overlapping, and cover every pixel that is not
// exactly white once and no white pixel.
#pragma once
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "image/bmp_image.h"
#include "actions/window/mask_runs.h"
#include "fuzz_check.h"
#include "base/error.h"

namespace hqfuzz {

// Whether each pixel (row 0 at the top) lies inside the shape, read straight
// from the view's bytes.
inline std::vector<uint8_t> InsideMap(const hq::MaskView& v) {
    std::vector<uint8_t> inside(static_cast<size_t>(v.width) * static_cast<size_t>(v.height));
    for (int32_t y = 0; y < v.height; ++y)
        for (int32_t x = 0; x < v.width; ++x) {
            const uint8_t* p = v.top + static_cast<ptrdiff_t>(y) * v.stride + static_cast<ptrdiff_t>(x) * v.bytesPerPixel;
            inside[static_cast<size_t>(y) * v.width + x] = !(p[0] == 255 && p[1] == 255 && p[2] == 255);
        }
    return inside;
}

// The runs of an inside map, built one pixel at a time.
inline std::vector<hq::RunRect> NaiveRuns(const std::vector<uint8_t>& inside, int32_t width, int32_t height) {
    std::vector<hq::RunRect> runs;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            if (!inside[static_cast<size_t>(y) * width + x]) continue;
            if (x > 0 && inside[static_cast<size_t>(y) * width + x - 1]) {
                ++runs.back().right;
            } else {
                runs.push_back({x, y, x + 1, y + 1});
            }
        }
    return runs;
}

// Further checks of a run list that passed, given the inside map it covers.
using RunsHook = std::function<void(const std::vector<hq::RunRect>&, const std::vector<uint8_t>& inside,
                                    int32_t width, int32_t height)>;

inline void CheckRuns(const std::vector<hq::RunRect>& runs, const std::vector<uint8_t>& inside, int32_t width,
                      int32_t height, const RunsHook& hook) {
    std::vector<uint8_t> cover(inside.size(), 0);
    for (size_t i = 0; i < runs.size(); ++i) {
        const hq::RunRect& r = runs[i];
        FUZZ_CHECK(r.top >= 0 && r.top < height && r.bottom == r.top + 1);
        FUZZ_CHECK(r.left >= 0 && r.left < r.right && r.right <= width);
        if (i > 0) {
            const hq::RunRect& p = runs[i - 1];
            FUZZ_CHECK(p.top < r.top || (p.top == r.top && p.right < r.left));  // sorted, apart
        }
        for (int32_t x = r.left; x < r.right; ++x) ++cover[static_cast<size_t>(r.top) * width + x];
    }
    FUZZ_CHECK(cover == inside);
    FUZZ_CHECK(runs == NaiveRuns(inside, width, height));
    if (hook) hook(runs, inside, width, height);
}

inline void CheckMaskView(const hq::MaskView& view, const RunsHook& hook) {
    const std::vector<hq::RunRect> runs = hq::BuildMaskRuns(view);
    if (view.width <= 0 || view.height <= 0 || !view.top) {
        FUZZ_CHECK(runs.empty());
        return;
    }
    CheckRuns(runs, InsideMap(view), view.width, view.height, hook);
}

// Raw view: byte 0 width (0-63), byte 1 height (0-63), byte 2 layout: bit 0
// 3-byte pixels, bit 1 bottom-up memory, bits 2-3 row padding, bit 4 packed
// pixels (one input byte a pixel: bits 0-2 set the blue, green and red
// channels to 255, otherwise to 254, 0 and 127; the byte itself fills the
// fourth byte). The rest are the pixels, repeated as needed.
inline void CheckRawMask(const uint8_t* data, size_t size, const RunsHook& hook) {
    if (size < 3) return;
    const int32_t width = data[0] & 63, height = data[1] & 63;
    const int bpp = (data[2] & 1) ? 3 : 4;
    const bool bottomUp = data[2] & 2, packed = data[2] & 16;
    const size_t stride = static_cast<size_t>(width) * bpp + ((data[2] >> 2) & 3);
    data += 3, size -= 3;
    std::vector<uint8_t> rows(stride * static_cast<size_t>(height) + 1);
    size_t k = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = rows.data() + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * bpp;
            if (packed) {
                const uint8_t v = size ? data[k++ % size] : 0;
                p[0] = (v & 1) ? 255 : 254, p[1] = (v & 2) ? 255 : 0, p[2] = (v & 4) ? 255 : 127;
                if (bpp == 4) p[3] = v;
            } else {
                for (int c = 0; c < bpp; ++c) p[c] = size ? data[k++ % size] : 0;
            }
        }
    hq::MaskView view{rows.data(), width, height, static_cast<ptrdiff_t>(stride), bpp};
    if (bottomUp && height > 0) {
        // The same pixels with the rows stored the other way round.
        std::vector<uint8_t> flipped(rows.size());
        for (int32_t y = 0; y < height; ++y)
            std::memcpy(flipped.data() + static_cast<size_t>(height - 1 - y) * stride,
                        rows.data() + static_cast<size_t>(y) * stride, stride);
        hq::MaskView up{flipped.data() + stride * static_cast<size_t>(height - 1), width, height,
                        -static_cast<ptrdiff_t>(stride), bpp};
        FUZZ_CHECK(hq::BuildMaskRuns(up) == hq::BuildMaskRuns(view));
        CheckMaskView(up, hook);
        return;
    }
    CheckMaskView(view, hook);
}

// A BMP mask as the action reads it; the 24-bit form gives the same runs, and
// for small pictures the inside map agrees with the module's own pixel colours.
inline void CheckBmpMask(const uint8_t* data, size_t size, const RunsHook& hook) {
    hq::bmp::Image picture;
    try {
        picture = hq::bmp::Decode(data, size);
    } catch (const hq::Error&) {
        return;
    }
    if (static_cast<uint64_t>(picture.width) * static_cast<uint64_t>(picture.height) > 65536) return;
    const hq::bmp::Image bgrx = hq::bmp::Convert(picture, hq::bmp::Format::Bgrx32);
    const hq::MaskView view = hq::MaskViewOf(bgrx);
    CheckMaskView(view, hook);
    const std::vector<hq::RunRect> runs = hq::BuildMaskRuns(view);
    FUZZ_CHECK(hq::BuildMaskRuns(hq::MaskViewOf(hq::bmp::Convert(picture, hq::bmp::Format::Bgr24))) == runs);
    if (picture.Empty()) return;
    if (static_cast<uint64_t>(picture.width) * picture.width * picture.height <= (1u << 16)) {
        std::vector<uint8_t> inside;
        for (int32_t y = 0; y < picture.height; ++y)
            for (int32_t x = 0; x < picture.width; ++x)
                inside.push_back(hq::bmp::PixelRgb(picture, x, y) != 0xFFFFFF);
        CheckRuns(runs, inside, picture.width, picture.height, {});
    }
}

// Byte 0 even: a raw view follows; odd: a BMP file follows.
inline void CheckMask(const uint8_t* data, size_t size, const RunsHook& hook = {}) {
    if (size < 1) return;
    if (data[0] & 1) {
        CheckBmpMask(data + 1, size - 1, hook);
    } else {
        CheckRawMask(data + 1, size - 1, hook);
    }
}

}  // namespace hqfuzz
