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

// A quarter disc of 181 × 181 pixels, written through a signed row step (a
// negative one turns it upside down). Facing left, pixel (x, y) takes
// T[root(a = x, b = y)]; facing right, T[root(a = 180 − x, b = y)]. Since
// root(a, b) = root(b, a), the left-facing quarter is symmetric about its
// main diagonal (P[y][x] = P[x][y]) and the right-facing one about its other
// diagonal (P[y][x] = P[180 − x][180 − y]). So only about half the pixels are
// looked up; the rest are copies of them, moved over in 4 × 4 blocks. The
// look-ups bounded the time, one table read per pixel.
enum class Facing { Left, Right };

// Row pixels x0 .. x1−1 (x0 even, x1 − x0 a multiple of four) of the quarter
// row whose quarter-disc row is q. Neighbouring indices differ by 0 or 1, so a
// pixel pair is one 8-byte read from the doubled table d (entries 2i and
// 2i + 1 both T[i]) at the sum of the pair's indices: 2i gives T[i], T[i] and
// 2i + 1 gives T[i], T[i + 1]. Facing right, the pairs fall, and the doubled
// table runs backwards (entries 2k and 2k + 1 are T[255 − k]). Eight indices
// come in one load and give four pair sums at once, in 16-bit lanes (a sum is
// at most 510).
template <Facing facing>
inline void QuarterRun(const uint32_t* d, const uint8_t* q, uint32_t* row, int x0, int x1) {
    constexpr uint64_t kLowBytes = 0x00FF00FF00FF00FF;
    uint32_t c[8];
    int x = x0;
    if constexpr (facing == Facing::Left) {
        for (; x + 8 <= x1; x += 8) {
            uint64_t w;
            std::memcpy(&w, q + x, 8);  // a = x .. x + 7
            const uint64_t s = (w & kLowBytes) + ((w >> 8) & kLowBytes);  // four pair sums
            for (int k = 0; k < 4; ++k) std::memcpy(c + 2 * k, d + ((s >> (16 * k)) & 0xFFFF), 8);
            std::memcpy(row + x, c, sizeof c);
        }
        if (x < x1) {
            uint32_t w;
            std::memcpy(&w, q + x, 4);
            const uint32_t s = (w & 0x00FF00FF) + ((w >> 8) & 0x00FF00FF);
            std::memcpy(c, d + (s & 0xFFFF), 8);
            std::memcpy(c + 2, d + (s >> 16), 8);
            std::memcpy(row + x, c, 16);
        }
    } else {
        for (; x + 8 <= x1; x += 8) {
            uint64_t w;
            std::memcpy(&w, q + 173 - x, 8);  // a = 173 − x .. 180 − x
            const uint64_t s = 0x01FE01FE01FE01FE - ((w & kLowBytes) + ((w >> 8) & kLowBytes));  // 510 − each sum
            for (int k = 0; k < 4; ++k) std::memcpy(c + 6 - 2 * k, d + ((s >> (16 * k)) & 0xFFFF), 8);
            std::memcpy(row + x, c, sizeof c);
        }
        if (x < x1) {
            uint32_t w;
            std::memcpy(&w, q + 177 - x, 4);
            const uint32_t s = 0x01FE01FE - ((w & 0x00FF00FF) + ((w >> 8) & 0x00FF00FF));
            std::memcpy(c, d + (s >> 16), 8);
            std::memcpy(c + 2, d + (s & 0xFFFF), 8);
            std::memcpy(row + x, c, 16);
        }
    }
}

// dst row k (at dst + k·dstStep), pixel m = src row m (at src + m·srcStep),
// pixel k: a 4 × 4 transposition; negative steps mirror it. GCC's and
// Clang's vector types make it four loads, eight shuffles and four stores
// where the processor has 16-byte registers.
inline void Transpose4(const uint32_t* src, ptrdiff_t srcStep, uint32_t* dst, ptrdiff_t dstStep) {
    typedef uint32_t V __attribute__((vector_size(16)));
    V r0, r1, r2, r3;
    std::memcpy(&r0, src, 16);
    std::memcpy(&r1, src + srcStep, 16);
    std::memcpy(&r2, src + 2 * srcStep, 16);
    std::memcpy(&r3, src + 3 * srcStep, 16);
    const V t0 = __builtin_shufflevector(r0, r1, 0, 4, 1, 5), t1 = __builtin_shufflevector(r0, r1, 2, 6, 3, 7);
    const V t2 = __builtin_shufflevector(r2, r3, 0, 4, 1, 5), t3 = __builtin_shufflevector(r2, r3, 2, 6, 3, 7);
    const V c0 = __builtin_shufflevector(t0, t2, 0, 1, 4, 5), c1 = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    const V c2 = __builtin_shufflevector(t1, t3, 0, 1, 4, 5), c3 = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
    std::memcpy(dst, &c0, 16);
    std::memcpy(dst + dstStep, &c1, 16);
    std::memcpy(dst + 2 * dstStep, &c2, 16);
    std::memcpy(dst + 3 * dstStep, &c3, 16);
}

template <Facing facing>
void RenderQuarter(const uint32_t* e, const uint32_t* d, uint32_t* pixels, ptrdiff_t step) {
    const Quadrant& roots = QuadrantRoots();
    auto row = [&](int y) { return pixels + y * step; };
    auto q = [&](int y) { return roots[static_cast<size_t>(y)].data(); };
    if constexpr (facing == Facing::Left) {
        // Block rows I (rows 4I .. 4I + 3) look up columns 0 .. 4I + 3, then
        // lend each block left of the diagonal block to its mirror image
        // above the diagonal. Row 180 is looked up whole; column 180 above
        // it is its mirror image.
        for (int i = 0; i < 45; ++i) {
            const int y0 = 4 * i;
            for (int y = y0; y < y0 + 4; ++y) QuarterRun<facing>(d, q(y), row(y), 0, y0 + 4);
            for (int x0 = 0; x0 < y0; x0 += 4) Transpose4(row(y0) + x0, step, row(x0) + y0, step);
        }
        QuarterRun<facing>(d, q(180), row(180), 0, 180);
        row(180)[180] = e[q(180)[180]];
        for (int y = 0; y < 180; ++y) row(y)[180] = row(180)[y];
    } else {
        // Row 0 is looked up whole. Block rows I (rows 4I + 1 .. 4I + 4) look
        // up columns 176 − 4I .. 180, then lend each block right of the
        // anti-diagonal block to its mirror image: pixel (x, y) goes to
        // (180 − y, 180 − x), the block's last row first.
        QuarterRun<facing>(d, q(0), row(0), 0, 180);
        row(0)[180] = e[q(0)[0]];
        for (int i = 0; i < 45; ++i) {
            const int y0 = 4 * i + 1, first = 176 - 4 * i;
            for (int y = y0; y < y0 + 4; ++y) {
                QuarterRun<facing>(d, q(y), row(y), first, 180);
                row(y)[180] = e[q(y)[0]];
            }
            for (int x0 = first + 4; x0 < 180; x0 += 4)
                Transpose4(row(y0 + 3) + x0, -step, row(180 - x0) + 177 - y0, -step);
        }
    }
}

// Each row's left half x = 0 .. 180 is its right half mirrored.
inline void MirrorRowsLeft(uint32_t* pixels, ptrdiff_t stride, int rows) {
    for (int y = 0; y < rows; ++y) {
        uint32_t* r = pixels + y * stride;
        std::reverse_copy(r + 181, r + 362, r);
    }
}

// Rows 0 .. 180 are rows 361 .. 181.
inline void MirrorRowsUp(uint32_t* pixels, ptrdiff_t stride, int width) {
    for (int y = 0; y <= 180; ++y)
        std::memcpy(pixels + y * stride, pixels + (361 - y) * stride, static_cast<size_t>(width) * 4);
}

// Radial styles: pixel (x, y) takes T[round(√(a(x)² + b(y)²))]. Each is made
// of one quarter disc, facing left or right and upright or upside down, the
// mirrored axes copying it over.
void RenderRadial(GradientStyle style, const uint32_t* e, uint32_t* px, ptrdiff_t stride) {
    using S = GradientStyle;
    // The doubled table the quarter's facing reads (see QuarterRun).
    uint32_t d[512];
    const bool right = style == S::RadialTR || style == S::RadialBR || style == S::RadialR;
    for (int i = 0; i < 256; ++i) d[2 * i] = d[2 * i + 1] = e[right ? 255 - i : i];
    uint32_t* const below = px + 180 * stride;  // the last row of a 181-row quarter
    switch (style) {
    case S::RadialTL: return RenderQuarter<Facing::Left>(e, d, px, stride);
    case S::RadialBL: return RenderQuarter<Facing::Left>(e, d, below, -stride);
    case S::RadialTR: return RenderQuarter<Facing::Right>(e, d, px, stride);
    case S::RadialBR: return RenderQuarter<Facing::Right>(e, d, below, -stride);
    case S::RadialT:
        RenderQuarter<Facing::Left>(e, d, px + 181, stride);
        return MirrorRowsLeft(px, stride, 181);
    case S::RadialB:
        RenderQuarter<Facing::Left>(e, d, below + 181, -stride);
        return MirrorRowsLeft(px, stride, 181);
    case S::RadialL:
        RenderQuarter<Facing::Left>(e, d, px + 181 * stride, stride);
        return MirrorRowsUp(px, stride, 181);
    case S::RadialR:
        RenderQuarter<Facing::Right>(e, d, px + 181 * stride, stride);
        return MirrorRowsUp(px, stride, 181);
    case S::RadialC:
        RenderQuarter<Facing::Left>(e, d, px + 181 * stride + 181, stride);
        MirrorRowsLeft(px + 181 * stride, stride, 181);
        return MirrorRowsUp(px, stride, 362);
    default: return;
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
    case S::RadialC:
    case S::RadialT:
    case S::RadialB:
    case S::RadialL:
    case S::RadialR:
    case S::RadialTL:
    case S::RadialTR:
    case S::RadialBL:
    case S::RadialBR: return RenderRadial(style, t.entry, px, stride);
    default:
        return RenderRows(style, t, px, stride, size);
    }
}

}  // namespace hq
