#include "form/gradient_pattern.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace hq {

int MulDivRound(int a, int b, int c) {
    const int64_t n = static_cast<int64_t>(a) * b;
    const int64_t q = (std::llabs(n) * 2 + std::llabs(c)) / (std::llabs(static_cast<int64_t>(c)) * 2);
    return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

int ClampPercent(int value) { return std::clamp(value, -100, 100); }

namespace {

// MulDivRound(a, b, 100) for |a·b| ≤ 255·100: in 32 bits and by a constant
// divisor, which the compiler turns into a multiplication.
inline int MulDivRound100(int a, int b) {
    const int n = a * b;
    const int q = ((n < 0 ? -n : n) * 2 + 100) / 200;
    return n < 0 ? -q : q;
}

// Entries i0 .. i1−1 of one straight stretch of the table: component c is
// base[c] + trunc(j·delta[c] / div) with j = j0 + dir·i. Every j of a stretch
// lies in 0..div and |delta| ≤ 255, so the dividend q = j·|delta| ≤ 255·div,
// and for such q, q / div = (q·M) >> 24 exactly with M = ⌊2²⁴/div⌋ + 1
// (the error q·(M − 2²⁴/div)/2²⁴ < 255·div/2²⁴ stays below 1/div), while
// q·M < 2³² fits 32 bits. The loop is branch-free so it vectorises.
void Stretch(uint32_t* out, int i0, int i1, int j0, int dir, const int base[3], const int delta[3], int div) {
    if (i1 <= i0) return;
    const uint32_t m = (1u << 24) / static_cast<uint32_t>(div) + 1;
    // q·M for j = j0 + dir·i advances by dir·|delta|·M per entry; modulo 2³²
    // the running sum is still exact wherever it is read.
    uint32_t acc[3], step[3], neg[3], b[3];
    for (int c = 0; c < 3; ++c) {
        const uint32_t mag = static_cast<uint32_t>(delta[c] < 0 ? -delta[c] : delta[c]);
        acc[c] = static_cast<uint32_t>(j0 + dir * i0) * mag * m;
        step[c] = static_cast<uint32_t>(dir) * mag * m;
        neg[c] = delta[c] < 0 ? ~0u : 0u;
        b[c] = static_cast<uint32_t>(base[c]);
    }
    for (int i = i0; i < i1; ++i) {
        uint32_t v[3];
        for (int c = 0; c < 3; ++c) {
            const uint32_t w = acc[c] >> 24;
            v[c] = (b[c] + ((w ^ neg[c]) - neg[c])) & 0xFF;  // base ± w, within 0..255
            acc[c] += step[c];
        }
        out[i] = v[0] << 16 | v[1] << 8 | v[2];  // index 0 red, 1 green, 2 blue -> 0x00RRGGBB
    }
}

}  // namespace

void BuildGradientColors(const GradientRamp& ramp, GradientColors& out) {
    int f[3], s[3];
    for (int c = 0; c < 3; ++c) {
        f[c] = static_cast<int>((ramp.first >> (8 * c)) & 0xFF);
        s[c] = static_cast<int>((ramp.second >> (8 * c)) & 0xFF);
    }
    const int shift = ClampPercent(ramp.shift);
    for (int c = 0; c < 3; ++c) {
        if (shift > 0) f[c] += MulDivRound100(s[c] - f[c], shift);
        if (shift < 0) s[c] += MulDivRound100(s[c] - f[c], shift);
    }
    int d[3], nd[3];
    for (int c = 0; c < 3; ++c) {
        d[c] = s[c] - f[c];
        nd[c] = -d[c];
    }
    const int r = MulDivRound100(255, ClampPercent(ramp.rotation));
    uint32_t* e = out.entry;
    if (r == 0) {
        // f + trunc(i·d/255) over the whole table. For every 16-bit q,
        // q/255 = (q·0x8081) >> 23: a 16-bit high multiplication and a shift.
        // base ± w is (w ^ neg) + (base − neg) with neg = 0 or 0xFFFF.
        uint16_t mag[3], neg[3], base[3], q[3] = {0, 0, 0};
        for (int c = 0; c < 3; ++c) {
            mag[c] = static_cast<uint16_t>(d[c] < 0 ? -d[c] : d[c]);
            neg[c] = d[c] < 0 ? 0xFFFF : 0;
            base[c] = static_cast<uint16_t>(f[c] - neg[c]);
        }
        // Each entry as its two 16-bit halves (little-endian): green and blue,
        // then red, so the loop stays in 16-bit lanes.
        uint16_t halves[256][2];
        for (int i = 0; i < 256; ++i) {
            uint16_t v[3];
            for (int c = 0; c < 3; ++c) {
                const uint16_t w = static_cast<uint16_t>((q[c] * 0x8081u) >> 16) >> 7;  // q / 255
                v[c] = static_cast<uint16_t>((w ^ neg[c]) + base[c]);
                q[c] = static_cast<uint16_t>(q[c] + mag[c]);
            }
            halves[i][0] = static_cast<uint16_t>(v[1] << 8 | v[2]);
            halves[i][1] = v[0];
        }
        std::memcpy(e, halves, sizeof halves);
    } else if (r > 0) {  // rising from f over 0..k−1, then falling back to f at 255
        const int k = 255 - r;
        Stretch(e, 0, k, 0, 1, f, d, k);                // f + i·d/k
        Stretch(e, k, 256, 255, -1, f, d, r);           // f + (255 − i)·d/r
    } else {  // falling from s over 0..m, then rising back to s at 255
        const int m = -r;
        Stretch(e, 0, m + 1, 0, 1, s, nd, m);           // s − i·d/m
        Stretch(e, m + 1, 256, 255, -1, s, nd, 255 - m);  // s − (255 − i)·d/(255 − m)
    }
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

// The quarter disc every radial style is made of: entry [b][a] is the table
// index of axis distances a and b, round(√(a² + b²)) (√ of an integer is never
// a half, so n is the rounded root exactly when n² − n < v ≤ n² + n). It does
// not depend on the colours, so it is built once.
static_assert(std::endian::native == std::endian::little, "index bytes are read four at a time");
using Quadrant = std::array<std::array<uint8_t, 181>, 181>;
const Quadrant& QuadrantRoots() {
    static const auto table = [] {
        auto q = std::make_unique<Quadrant>();
        for (int b = 0; b <= 180; ++b) {
            int n = b;  // a = 0: round(√b²) = b; n only grows along the row
            for (int a = 0; a <= 180; ++a) {
                const int v = a * a + b * b;
                while (v > n * n + n) ++n;
                (*q)[static_cast<size_t>(b)][static_cast<size_t>(a)] = static_cast<uint8_t>(n);
            }
        }
        return q;
    }();
    return *table;
}

// How an axis of a radial pattern measures distance from the centre:
// Rising a = x and Falling a = 180 − x over 181 pixels, Mirrored over 362
// pixels with 180 − x on the left half and x − 181 on the right one.
enum class Axis { Rising, Falling, Mirrored };

// One row of a radial pattern from the quarter-disc row q into `rows` rows
// (a vertically mirrored pattern fills its row pair from one look-up).
// Indices come in four to a load and pixels go out four to a store: one
// pixel at a time, the byte loads and 4-byte stores bounded the loop.
template <Axis horizontal, int rows>
void RadialRow(const uint32_t* e, const uint8_t* q, uint32_t* const (&out)[rows]) {
    auto put = [&](int x, uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3) {
        const uint32_t four[4] = {c0, c1, c2, c3};
        for (uint32_t* row : out) std::memcpy(row + x, four, sizeof four);
    };
    auto four = [&](int x, uint32_t (&c)[4]) {  // c[k] = e[q[x + k]]
        uint32_t w;
        std::memcpy(&w, q + x, 4);
        for (int k = 0; k < 4; ++k) c[k] = e[(w >> (8 * k)) & 0xFF];
    };
    uint32_t c[4];
    if constexpr (horizontal == Axis::Rising) {
        for (int x = 0; x < 180; x += 4) four(x, c), put(x, c[0], c[1], c[2], c[3]);
        for (uint32_t* row : out) row[180] = e[q[180]];
    } else if constexpr (horizontal == Axis::Falling) {
        for (int x = 0; x < 180; x += 4) four(177 - x, c), put(x, c[3], c[2], c[1], c[0]);
        for (uint32_t* row : out) row[180] = e[q[0]];
    } else {
        for (int a = 0; a < 180; a += 4) {
            four(a, c);
            put(181 + a, c[0], c[1], c[2], c[3]);
            put(177 - a, c[3], c[2], c[1], c[0]);
        }
        for (uint32_t* row : out) row[0] = row[361] = e[q[180]];
    }
}

// Radial styles: pixel (x, y) takes T[round(√(a(x)² + b(y)²))]. Each row is
// one row of the quarter disc, read forwards, backwards or both ways from the
// middle; a vertically mirrored pattern has rows y and 361 − y alike.
template <Axis horizontal, Axis vertical>
void RenderRadial(const GradientColors& t, uint32_t* pixels, int stride) {
    const Quadrant& roots = QuadrantRoots();
    auto row = [&](int y) { return pixels + static_cast<ptrdiff_t>(y) * stride; };
    for (int y = 0; y <= 180; ++y) {
        const int b = vertical == Axis::Rising ? y : 180 - y;
        const uint8_t* q = roots[static_cast<size_t>(b)].data();
        if constexpr (vertical == Axis::Mirrored) {
            uint32_t* const both[2] = {row(y), row(361 - y)};
            RadialRow<horizontal, 2>(t.entry, q, both);
        } else {
            uint32_t* const one[1] = {row(y)};
            RadialRow<horizontal, 1>(t.entry, q, one);
        }
    }
}

// Row x0 .. x1−1 takes T[first], T[first + step], ... (step ±1).
inline void Ramp(const GradientColors& t, uint32_t* row, int x0, int x1, int first, int step) {
    const uint32_t* e = t.entry + first;
    for (int x = x0; x < x1; ++x, e += step) row[x] = *e;
}

// The table-lookup styles, one row at a time as at most three runs of
// consecutive (rising or falling) table entries.
void RenderRows(GradientStyle style, const GradientColors& t, uint32_t* pixels, int stride, PatternSize size) {
    using S = GradientStyle;
    if (style == S::LinearV || style == S::ReflectedH) {  // one column: a plain copy of the table
        uint32_t* p = pixels;
        if (stride == 1) {  // the pattern's own buffer: whole copies
            if (style == S::ReflectedH) p = std::reverse_copy(t.entry, t.entry + 256, p);
            std::memcpy(p, t.entry, sizeof t.entry);
            return;
        }
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

}  // namespace

void RenderGradientPattern(GradientStyle style, const GradientColors& t, uint32_t* px, int stride) {
    const PatternSize size = GradientPatternSize(style);
    using S = GradientStyle;
    switch (style) {
    case S::Custom:
        return;
    case S::RadialC: return RenderRadial<Axis::Mirrored, Axis::Mirrored>(t, px, stride);
    case S::RadialT: return RenderRadial<Axis::Mirrored, Axis::Rising>(t, px, stride);
    case S::RadialB: return RenderRadial<Axis::Mirrored, Axis::Falling>(t, px, stride);
    case S::RadialL: return RenderRadial<Axis::Rising, Axis::Mirrored>(t, px, stride);
    case S::RadialR: return RenderRadial<Axis::Falling, Axis::Mirrored>(t, px, stride);
    case S::RadialTL: return RenderRadial<Axis::Rising, Axis::Rising>(t, px, stride);
    case S::RadialTR: return RenderRadial<Axis::Falling, Axis::Rising>(t, px, stride);
    case S::RadialBL: return RenderRadial<Axis::Rising, Axis::Falling>(t, px, stride);
    case S::RadialBR: return RenderRadial<Axis::Falling, Axis::Falling>(t, px, stride);
    default:
        return RenderRows(style, t, px, stride, size);
    }
}

}  // namespace hq
