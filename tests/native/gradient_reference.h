// A frozen copy of the gradient colour table and pattern rendering as they
// were before they were optimised. The comparison test renders every style
// with both and demands identical pixels, so any later speed-up of the real
// code must keep its output exactly. Do not change this copy.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "form/gradient_pattern.h"

namespace ref {

using hq::GradientColors;
using hq::GradientRamp;
using hq::GradientStyle;
using hq::PatternSize;


inline int MulDivRound(int a, int b, int c) {
    const int64_t n = static_cast<int64_t>(a) * b;
    const int64_t q = (std::llabs(n) * 2 + std::llabs(c)) / (std::llabs(static_cast<int64_t>(c)) * 2);
    return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

inline int ClampPercent(int value) { return std::clamp(value, -100, 100); }

inline void BuildGradientColors(const GradientRamp& ramp, GradientColors& out) {
    int f[3], s[3];
    for (int c = 0; c < 3; ++c) {
        f[c] = static_cast<int>((ramp.first >> (8 * c)) & 0xFF);
        s[c] = static_cast<int>((ramp.second >> (8 * c)) & 0xFF);
    }
    const int shift = ClampPercent(ramp.shift);
    for (int c = 0; c < 3; ++c) {
        if (shift > 0) f[c] += MulDivRound(s[c] - f[c], shift, 100);
        if (shift < 0) s[c] += MulDivRound(s[c] - f[c], shift, 100);
    }
    int d[3];
    for (int c = 0; c < 3; ++c) d[c] = s[c] - f[c];
    const int r = MulDivRound(255, ClampPercent(ramp.rotation), 100);

    // Each component runs over the same index formula; only the divisor and
    // the end it starts from change with the rotation.
    auto component = [&](int c, int i) {
        if (r == 0) return f[c] + i * d[c] / 255;
        if (r > 0) {
            const int k = 255 - r;
            return i < k ? f[c] + i * d[c] / k : f[c] + (255 - i) * d[c] / r;
        }
        const int m = -r;
        return i <= m ? s[c] - i * d[c] / m : s[c] - (255 - i) * d[c] / (255 - m);
    };
    // Components: index 0 red, 1 green, 2 blue -> 0x00RRGGBB.
    if (r == 0) {
        // i·d/255 truncated toward zero, with |i·d| ≤ 255² accumulated instead
        // of multiplied and divided: q/255 = (q + 1 + (q >> 8)) >> 8 for q < 65536.
        int sign[3], step[3], acc[3] = {0, 0, 0};
        for (int c = 0; c < 3; ++c) {
            sign[c] = d[c] < 0 ? -1 : 1;
            step[c] = d[c] < 0 ? -d[c] : d[c];
        }
        for (int i = 0; i < 256; ++i) {
            int v[3];
            for (int c = 0; c < 3; ++c) {
                v[c] = f[c] + sign[c] * ((acc[c] + 1 + (acc[c] >> 8)) >> 8);
                acc[c] += step[c];
            }
            out.entry[i] = static_cast<uint32_t>(v[0]) << 16 | static_cast<uint32_t>(v[1]) << 8 |
                           static_cast<uint32_t>(v[2]);
        }
        return;
    }
    for (int i = 0; i < 256; ++i)
        out.entry[i] = static_cast<uint32_t>(component(0, i)) << 16 | static_cast<uint32_t>(component(1, i)) << 8 |
                       static_cast<uint32_t>(component(2, i));
}

inline PatternSize GradientPatternSize(GradientStyle style) {
    switch (style) {
    case GradientStyle::Custom: return {0, 0};
    case GradientStyle::RadialC: return {362, 362};
    case GradientStyle::RadialT:
    case GradientStyle::RadialB: return {362, 181};
    case GradientStyle::RadialL:
    case GradientStyle::RadialR: return {181, 362};
    case GradientStyle::RadialTL:
    case GradientStyle::RadialTR:
    case GradientStyle::RadialBL:
    case GradientStyle::RadialBR: return {181, 181};
    case GradientStyle::LinearH: return {256, 1};
    case GradientStyle::LinearV: return {1, 256};
    case GradientStyle::ReflectedH: return {1, 512};
    case GradientStyle::ReflectedV: return {512, 1};
    case GradientStyle::DiagonalLF:
    case GradientStyle::DiagonalLB: return {128, 129};
    case GradientStyle::DiagonalRF:
    case GradientStyle::DiagonalRB: return {256, 256};
    case GradientStyle::ArrowL:
    case GradientStyle::ArrowR: return {129, 256};
    case GradientStyle::ArrowU:
    case GradientStyle::ArrowD: return {256, 129};
    case GradientStyle::Diamond:
    case GradientStyle::Butterfly: return {256, 256};
    case GradientStyle::RadialRect: return {512, 512};
    }
    return {0, 0};
}


// Rounded square roots of 0 .. 2·180², the largest squared distance a radial
// pattern measures: n with |√v − n| smallest (√ of an integer is never a half).
inline const std::array<uint8_t, 2 * 180 * 180 + 1>& RoundedRoots() {
    static const auto table = [] {
        std::array<uint8_t, 2 * 180 * 180 + 1> t{};
        int n = 0;
        for (int v = 0; v < static_cast<int>(t.size()); ++v) {
            while ((n + 1) * (n + 1) <= v) ++n;            // n = floor(√v)
            t[static_cast<size_t>(v)] = static_cast<uint8_t>(v > n * n + n ? n + 1 : n);  // (n+½)² = n²+n+¼
        }
        return t;
    }();
    return table;
}

// Radial styles: pixel (x, y) takes T[round(√(dx(x)² + dy(y)²))]. The axis
// distances come from small tables; a row whose distance an earlier row had
// is a copy of it, and on a mirrored horizontal axis the right half of each
// row is the mirror image of its left half.
inline void RenderRadial(const GradientColors& t, uint32_t* pixels, int stride, int width, int height,
                  const std::vector<int>& dx, const std::vector<int>& dy) {
    const auto& root = RoundedRoots();
    std::vector<int> xx(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) xx[static_cast<size_t>(x)] = dx[static_cast<size_t>(x)] * dx[static_cast<size_t>(x)];
    const bool mirrored = width == 362;
    const int computed = mirrored ? 181 : width;
    int firstRow[361];  // by row distance + 180: the row already computed, or -1
    std::fill(std::begin(firstRow), std::end(firstRow), -1);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        const int d = dy[static_cast<size_t>(y)];
        int& seen = firstRow[d + 180];
        if (seen >= 0) {  // the mirror image of an earlier row
            std::copy_n(pixels + static_cast<ptrdiff_t>(seen) * stride, width, row);
            continue;
        }
        seen = y;
        const int yy = d * d;
        for (int x = 0; x < computed; ++x) row[x] = t.entry[root[static_cast<size_t>(xx[static_cast<size_t>(x)] + yy)]];
        if (mirrored) std::reverse_copy(row, row + 181, row + 181);
    }
}

// Distances of a 362-pixel mirrored axis: 180 − x′ with x′ = x (x ≤ 180) or 361 − x.
inline std::vector<int> MirroredAxis() {
    std::vector<int> v(362);
    for (int x = 0; x < 362; ++x) v[static_cast<size_t>(x)] = 180 - (x <= 180 ? x : 361 - x);
    return v;
}
inline std::vector<int> RisingAxis(int n) {  // distance x
    std::vector<int> v(static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) v[static_cast<size_t>(x)] = x;
    return v;
}
inline std::vector<int> FallingAxis(int n) {  // distance 180 − x
    std::vector<int> v(static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) v[static_cast<size_t>(x)] = 180 - x;
    return v;
}

// Row x0 .. x1−1 takes T[first], T[first + step], ... (step ±1).
inline void Ramp(const GradientColors& t, uint32_t* row, int x0, int x1, int first, int step) {
    const uint32_t* e = t.entry + first;
    for (int x = x0; x < x1; ++x, e += step) row[x] = *e;
}

// The table-lookup styles, one row at a time as at most three runs of
// consecutive (rising or falling) table entries.
inline void RenderRows(GradientStyle style, const GradientColors& t, uint32_t* pixels, int stride, PatternSize size) {
    using S = GradientStyle;
    if (style == S::LinearV || style == S::ReflectedH) {  // one column: a plain copy of the table
        uint32_t* p = pixels;
        if (style == S::ReflectedH)
            for (int y = 255; y >= 0; --y, p += stride) *p = t.entry[y];
        for (int y = 0; y < 256; ++y, p += stride) *p = t.entry[y];
        return;
    }
    for (int y = 0; y < size.height; ++y) {
        uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        switch (style) {
        case S::LinearH: Ramp(t, row, 0, 256, 0, 1); break;
        case S::ReflectedV: Ramp(t, row, 0, 256, 255, -1); Ramp(t, row, 256, 512, 0, 1); break;
        case S::DiagonalLF: Ramp(t, row, 0, 128, y, 1); break;
        case S::DiagonalLB: Ramp(t, row, 0, 128, 127 + y, -1); break;
        case S::DiagonalRF: Ramp(t, row, 0, 255 - y, 255 - y, -1); Ramp(t, row, 255 - y, 256, 0, 1); break;
        case S::DiagonalRB: Ramp(t, row, 0, y + 1, y, -1); Ramp(t, row, y + 1, 256, 1, 1); break;
        case S::ArrowL: Ramp(t, row, 0, 129, y <= 127 ? 255 - y : y, -1); break;
        case S::ArrowR: Ramp(t, row, 0, 129, y <= 127 ? 127 - y : y - 128, 1); break;
        case S::ArrowU: Ramp(t, row, 0, 128, 255 - y, -1); Ramp(t, row, 128, 256, 128 - y, 1); break;
        case S::ArrowD: Ramp(t, row, 0, 128, 127 + y, -1); Ramp(t, row, 128, 256, y, 1); break;
        case S::Diamond:
            if (y <= 127) {
                Ramp(t, row, 0, 128, 255 - y, -1);
                Ramp(t, row, 128, 256, 128 - y, 1);
            } else {
                Ramp(t, row, 0, 128, y, -1);
                Ramp(t, row, 128, 256, y - 127, 1);
            }
            break;
        case S::Butterfly:
            if (y <= 127) {
                Ramp(t, row, 0, 128, 128 - y, 1);
                Ramp(t, row, 128, 256, 255 - y, -1);
            } else {
                Ramp(t, row, 0, 128, y - 128, 1);
                Ramp(t, row, 128, 256, y, -1);
            }
            break;
        case S::RadialRect: {
            const int d = std::min(y, 511 - y);  // the ring of the row's edge
            Ramp(t, row, 0, d, 0, 1);
            std::fill(row + d, row + 512 - d, t.entry[d]);
            if (d > 0) Ramp(t, row, 512 - d, 512, d - 1, -1);
            break;
        }
        default: return;
        }
    }
}


inline void RenderGradientPattern(GradientStyle style, const GradientColors& t, uint32_t* px, int stride) {
    const PatternSize size = ref::GradientPatternSize(style);
    using S = GradientStyle;
    switch (style) {
    case S::Custom:
        return;
    case S::RadialC:
        return RenderRadial(t, px, stride, 362, 362, MirroredAxis(), MirroredAxis());
    case S::RadialT:
        return RenderRadial(t, px, stride, 362, 181, MirroredAxis(), RisingAxis(181));
    case S::RadialB:
        return RenderRadial(t, px, stride, 362, 181, MirroredAxis(), FallingAxis(181));
    case S::RadialL:
        return RenderRadial(t, px, stride, 181, 362, RisingAxis(181), MirroredAxis());
    case S::RadialR:
        return RenderRadial(t, px, stride, 181, 362, FallingAxis(181), MirroredAxis());
    case S::RadialTL:
        return RenderRadial(t, px, stride, 181, 181, RisingAxis(181), RisingAxis(181));
    case S::RadialTR:
        return RenderRadial(t, px, stride, 181, 181, FallingAxis(181), RisingAxis(181));
    case S::RadialBL:
        return RenderRadial(t, px, stride, 181, 181, RisingAxis(181), FallingAxis(181));
    case S::RadialBR:
        return RenderRadial(t, px, stride, 181, 181, FallingAxis(181), FallingAxis(181));
    default:
        return RenderRows(style, t, px, stride, size);
    }
}

}  // namespace ref
