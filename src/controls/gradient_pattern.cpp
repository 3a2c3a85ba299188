#include "controls/gradient_pattern.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <iterator>

namespace hq {

int MulDivRound(int a, int b, int c) {
    const int64_t n = static_cast<int64_t>(a) * b;
    const int64_t q = (std::llabs(n) * 2 + std::llabs(c)) / (std::llabs(static_cast<int64_t>(c)) * 2);
    return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

int ClampPercent(int value) { return std::clamp(value, -100, 100); }

void BuildGradientColors(const GradientRamp& ramp, GradientColors& out) {
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

    int table[256][3];
    for (int c = 0; c < 3; ++c) {
        if (r == 0) {
            for (int i = 0; i < 256; ++i) table[i][c] = f[c] + i * d[c] / 255;
        } else if (r > 0) {
            const int k = 255 - r;
            for (int i = 0; i < k; ++i) table[i][c] = f[c] + i * d[c] / k;
            for (int i = k; i < 256; ++i) table[i][c] = f[c] + (255 - i) * d[c] / r;
        } else {
            const int m = -r;
            for (int i = 0; i <= m; ++i) table[i][c] = s[c] - i * d[c] / m;
            for (int i = m + 1; i < 256; ++i) table[i][c] = s[c] - (255 - i) * d[c] / (255 - m);
        }
    }
    // Components: index 0 red, 1 green, 2 blue -> 0x00RRGGBB.
    for (int i = 0; i < 256; ++i)
        out.entry[i] = static_cast<uint32_t>(table[i][0]) << 16 | static_cast<uint32_t>(table[i][1]) << 8 |
                       static_cast<uint32_t>(table[i][2]);
}

PatternSize GradientPatternSize(GradientStyle style) {
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

namespace {

// Rounded square roots of 0 .. 2·180², the largest squared distance a radial
// pattern measures: n with |√v − n| smallest (√ of an integer is never a half).
const std::array<uint8_t, 2 * 180 * 180 + 1>& RoundedRoots() {
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

// Radial styles: pixel (x, y) takes T[round(√(dx(x)² + dy(y)²))]. A column or
// row distance depends on x (or y) through a small table, so each row is one
// pass of lookups; the symmetric halves reuse the computed rows.
void RenderRadial(const GradientColors& t, uint32_t* pixels, int stride, int width, int height,
                  const std::vector<int>& dx, const std::vector<int>& dy) {
    const auto& root = RoundedRoots();
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
        for (int x = 0; x < width; ++x) {
            const int xx = dx[static_cast<size_t>(x)] * dx[static_cast<size_t>(x)];
            row[x] = t.entry[root[static_cast<size_t>(xx + yy)]];
        }
    }
}

// Distances of a 362-pixel mirrored axis: 180 − x′ with x′ = x (x ≤ 180) or 361 − x.
std::vector<int> MirroredAxis() {
    std::vector<int> v(362);
    for (int x = 0; x < 362; ++x) v[static_cast<size_t>(x)] = 180 - (x <= 180 ? x : 361 - x);
    return v;
}
std::vector<int> RisingAxis(int n) {  // distance x
    std::vector<int> v(static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) v[static_cast<size_t>(x)] = x;
    return v;
}
std::vector<int> FallingAxis(int n) {  // distance 180 − x
    std::vector<int> v(static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) v[static_cast<size_t>(x)] = 180 - x;
    return v;
}

template <typename Index>
void RenderLookup(const GradientColors& t, uint32_t* pixels, int stride, PatternSize size, Index index) {
    for (int y = 0; y < size.height; ++y) {
        uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < size.width; ++x) row[x] = t.entry[index(x, y)];
    }
}

}  // namespace

void RenderGradientPattern(GradientStyle style, const GradientColors& t, uint32_t* px, int stride) {
    const PatternSize size = GradientPatternSize(style);
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
    case S::LinearH:
        return RenderLookup(t, px, stride, size, [](int x, int) { return x; });
    case S::LinearV:
        return RenderLookup(t, px, stride, size, [](int, int y) { return y; });
    case S::ReflectedH:
        return RenderLookup(t, px, stride, size, [](int, int y) { return y <= 255 ? 255 - y : y - 256; });
    case S::ReflectedV:
        return RenderLookup(t, px, stride, size, [](int x, int) { return x <= 255 ? 255 - x : x - 256; });
    case S::DiagonalLF:
        return RenderLookup(t, px, stride, size, [](int x, int y) { return x + y; });
    case S::DiagonalLB:
        return RenderLookup(t, px, stride, size, [](int x, int y) { return 127 + y - x; });
    case S::DiagonalRF:
        return RenderLookup(t, px, stride, size,
                            [](int x, int y) { return x + y < 255 ? 255 - x - y : x + y - 255; });
    case S::DiagonalRB:
        return RenderLookup(t, px, stride, size, [](int x, int y) { return y < x ? x - y : y - x; });
    case S::ArrowL:
        return RenderLookup(t, px, stride, size, [](int x, int y) { return y <= 127 ? 255 - x - y : y - x; });
    case S::ArrowR:
        return RenderLookup(t, px, stride, size,
                            [](int x, int y) { return y <= 127 ? 127 + x - y : x + y - 128; });
    case S::ArrowU:
        return RenderLookup(t, px, stride, size, [](int x, int y) { return x <= 127 ? 255 - x - y : x - y; });
    case S::ArrowD:
        return RenderLookup(t, px, stride, size,
                            [](int x, int y) { return x <= 127 ? 127 + y - x : x + y - 128; });
    case S::Diamond:
        return RenderLookup(t, px, stride, size, [](int x, int y) {
            if (y <= 127) return x <= 127 ? 255 - x - y : x - y;
            return x <= 127 ? y - x : x + y - 255;
        });
    case S::Butterfly:
        return RenderLookup(t, px, stride, size, [](int x, int y) {
            if (y <= 127) return x <= 127 ? 128 + x - y : 383 - x - y;
            return x <= 127 ? x + y - 128 : 128 + y - x;
        });
    case S::RadialRect:
        return RenderLookup(t, px, stride, size,
                            [](int x, int y) { return std::min(std::min(x, y), std::min(511 - x, 511 - y)); });
    }
}

}  // namespace hq
