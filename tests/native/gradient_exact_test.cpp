// The optimised colour table and pattern rendering against the frozen
// reference copy: every style, over a grid of colour pairs, shifts, rotations
// and both orders of the pair (the control's reverse setting), must give the
// very same entries and pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "form/gradient_pattern.h"
#include "gradient_reference.h"

namespace {

using hq::GradientColors;
using hq::GradientRamp;
using hq::GradientStyle;

struct Pair {
    uint32_t first, second;
};
constexpr Pair kPairs[] = {
    {0x6A240A, 0xC8D0D4},  // the control's default pair
    {0x000000, 0xFFFFFF},  // black and white: the widest step on every component
    {0x336699, 0x336699},  // equal colours: a flat table
    {0x0000FF, 0x00FF00},  // components moving in opposite directions
    {0x123456, 0xFEDCBA},
    {0x808080, 0x7F7F81},  // steps of one
};
constexpr int kShifts[] = {-100, -53, 0, 53, 100};
constexpr int kRotations[] = {-100, -50, 0, 50, 100};

// Every table of the grid; the second of a pair first is the reverse setting.
std::vector<GradientRamp> Grid() {
    std::vector<GradientRamp> ramps;
    for (const Pair& p : kPairs)
        for (bool reverse : {false, true})
            for (int shift : kShifts)
                for (int rotation : kRotations)
                    ramps.push_back(GradientRamp{reverse ? p.second : p.first, reverse ? p.first : p.second,
                                                 shift, rotation});
    return ramps;
}

std::string Describe(const GradientRamp& r) {
    char text[96];
    std::snprintf(text, sizeof text, "first %06X second %06X shift %d rotation %d", r.first, r.second, r.shift,
                  r.rotation);
    return text;
}

std::vector<uint32_t> RenderWith(bool reference, GradientStyle style, const GradientColors& t, int pad) {
    const hq::PatternSize size = hq::GradientPatternSize(style);
    const int stride = size.width + pad;
    std::vector<uint32_t> pixels(static_cast<size_t>(stride) * size.height, 0xDEADBEEF);
    if (reference)
        ref::RenderGradientPattern(style, t, pixels.data(), stride);
    else
        hq::RenderGradientPattern(style, t, pixels.data(), stride);
    return pixels;
}

TEST(GradientExact, ColourTablesMatchTheReferenceOverTheGrid) {
    for (const GradientRamp& ramp : Grid()) {
        GradientColors got, want;
        std::memset(&got, 0xA5, sizeof got);
        hq::BuildGradientColors(ramp, got);
        ref::BuildGradientColors(ramp, want);
        ASSERT_EQ(0, std::memcmp(got.entry, want.entry, sizeof got.entry)) << Describe(ramp);
    }
}

TEST(GradientExact, OutOfRangeShiftAndRotationMatchTheReference) {
    for (int v : {-101, 101, -100000, 100000, -1, 1, 99, -99}) {
        for (const GradientRamp ramp : {GradientRamp{0x000000, 0xFFFFFF, v, 0}, GradientRamp{0xFFFFFF, 0x102030, 0, v},
                                        GradientRamp{0x6A240A, 0xC8D0D4, v, v}}) {
            GradientColors got, want;
            hq::BuildGradientColors(ramp, got);
            ref::BuildGradientColors(ramp, want);
            ASSERT_EQ(0, std::memcmp(got.entry, want.entry, sizeof got.entry)) << Describe(ramp);
        }
    }
}

// Every rotation with every shift: each divisor and step size the table's
// stretches can meet, for black to white, a one-component ramp, and back.
TEST(GradientExact, EveryShiftAndRotationMatchesTheReference) {
    for (const Pair p : {Pair{0x000000, 0xFFFFFF}, Pair{0xFFFFFF, 0x000000}, Pair{0x0A0B0C, 0x0AF00C}})
        for (int shift = -100; shift <= 100; ++shift)
            for (int rotation = -100; rotation <= 100; ++rotation) {
                const GradientRamp ramp{p.first, p.second, shift, rotation};
                GradientColors got, want;
                hq::BuildGradientColors(ramp, got);
                ref::BuildGradientColors(ramp, want);
                ASSERT_EQ(0, std::memcmp(got.entry, want.entry, sizeof got.entry)) << Describe(ramp);
            }
}

// Every style over the whole grid, rendered from the table the grid gives.
TEST(GradientExact, PatternsMatchTheReferenceForEveryStyleOverTheGrid) {
    for (const GradientRamp& ramp : Grid()) {
        GradientColors t;
        ref::BuildGradientColors(ramp, t);
        for (int s = 0; s < hq::kGradientStyleCount; ++s) {
            const auto style = static_cast<GradientStyle>(s);
            ASSERT_EQ(RenderWith(true, style, t, 0), RenderWith(false, style, t, 0))
                << "style " << s << ", " << Describe(ramp);
        }
    }
}

// A table whose entries are all different shows each pixel's index, and a
// stride wider than the pattern shows that nothing lands between the rows.
TEST(GradientExact, PatternsMatchTheReferenceWithDistinctEntriesAndPaddedRows) {
    GradientColors t;
    for (uint32_t i = 0; i < 256; ++i) t.entry[i] = i * 0x010203u + 7;
    for (int s = 0; s < hq::kGradientStyleCount; ++s) {
        const auto style = static_cast<GradientStyle>(s);
        for (int pad : {0, 3})
            ASSERT_EQ(RenderWith(true, style, t, pad), RenderWith(false, style, t, pad))
                << "style " << s << ", pad " << pad;
    }
}

// The radial styles write through signed row steps and copy 4 × 4 blocks
// across the diagonal: at every alignment of the rows (paddings of one to
// seven pixels, and a wide one) and with guard rows above and below, each
// style gives the reference's pixels and writes nothing outside them.
TEST(GradientExact, PatternsMatchTheReferenceAtEveryRowAlignmentAndStayInside) {
    GradientColors t;
    for (uint32_t i = 0; i < 256; ++i) t.entry[i] = 0x00FFFFFFu - i * 0x00010101u;
    for (int s = 0; s < hq::kGradientStyleCount; ++s) {
        const auto style = static_cast<GradientStyle>(s);
        const hq::PatternSize size = hq::GradientPatternSize(style);
        for (int pad : {1, 2, 3, 4, 5, 6, 7, 61}) {
            const int stride = size.width + pad;
            // One guard row before the pattern and one after it.
            std::vector<uint32_t> want(static_cast<size_t>(stride) * (size.height + 2), 0x5A5A5A5A), got = want;
            ref::RenderGradientPattern(style, t, want.data() + stride, stride);
            hq::RenderGradientPattern(style, t, got.data() + stride, stride);
            ASSERT_EQ(want, got) << "style " << s << ", pad " << pad;
        }
    }
}

}  // namespace
