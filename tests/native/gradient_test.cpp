// The gradient control's colour table and its 24 rendered patterns.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "form/gradient_pattern.h"

namespace {

using hq::GradientColors;
using hq::GradientRamp;
using hq::GradientStyle;

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

GradientColors Table(uint32_t first, uint32_t second, int shift = 0, int rotation = 0) {
    GradientColors t;
    hq::BuildGradientColors(GradientRamp{first, second, shift, rotation}, t);
    return t;
}

uint32_t Grey(int level) { return static_cast<uint32_t>(level) * 0x010101u; }

// A table whose entry n is the colour value n itself, so a pixel tells its index.
GradientColors IndexTable() {
    GradientColors t;
    for (uint32_t i = 0; i < 256; ++i) t.entry[i] = i;
    return t;
}

std::vector<uint32_t> Render(GradientStyle style, const GradientColors& t) {
    const hq::PatternSize size = hq::GradientPatternSize(style);
    std::vector<uint32_t> pixels(static_cast<size_t>(size.width) * size.height, 0xDEADBEEF);
    hq::RenderGradientPattern(style, t, pixels.data(), size.width);
    return pixels;
}

uint32_t At(const std::vector<uint32_t>& p, GradientStyle style, int x, int y) {
    return p[static_cast<size_t>(y) * hq::GradientPatternSize(style).width + x];
}

TEST(GradientTable, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(hq::MulDivRound(255, 53, 100), 135);
    EXPECT_EQ(hq::MulDivRound(255, 50, 100), 128);
    EXPECT_EQ(hq::MulDivRound(-255, 50, 100), -128);
    EXPECT_EQ(hq::MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(hq::MulDivRound(-5, 1, 2), -3);
    EXPECT_EQ(hq::MulDivRound(255, -100, 100), -255);
    EXPECT_EQ(hq::MulDivRound(7, 1, 3), 2);
}

TEST(GradientTable, BlackToWhiteIsTheGreyRamp) {
    const GradientColors t = Table(kBlack, kWhite);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(t.entry[i], Grey(i)) << i;
}

TEST(GradientTable, ComponentsLandInBlueGreenRedOrder) {
    // First colour pure red (0x0000FF as red-low), second pure blue.
    const GradientColors t = Table(0x0000FF, 0xFF0000);
    EXPECT_EQ(t.entry[0], 0xFF0000u) << "red in the third byte";
    EXPECT_EQ(t.entry[255], 0x0000FFu) << "blue in the first byte";
}

TEST(GradientTable, EqualColoursGiveOneFlatColourForEveryStyle) {
    const uint32_t c = 0x336699;
    const GradientColors t = Table(c, c, 37, -61);
    const uint32_t pixel = 0x996633;  // the same colour, blue first
    for (uint32_t e : t.entry) ASSERT_EQ(e, pixel);
    for (int s = 1; s < hq::kGradientStyleCount; ++s) {
        const auto style = static_cast<GradientStyle>(s);
        const std::vector<uint32_t> p = Render(style, t);
        for (uint32_t v : p) ASSERT_EQ(v, pixel) << "style " << s;
    }
}

TEST(GradientTable, PositiveShiftMovesTheFirstColourTowardTheSecond) {
    const GradientColors t = Table(kBlack, kWhite, 53);
    EXPECT_EQ(t.entry[0], Grey(135));
    EXPECT_EQ(t.entry[255], Grey(255));
    const GradientColors n = Table(kBlack, kWhite, -53);  // the second moves toward the first
    EXPECT_EQ(n.entry[0], Grey(0));
    EXPECT_EQ(n.entry[255], Grey(120));
}

TEST(GradientTable, ShiftAndRotationAreClampedToHundred) {
    const GradientColors clamped = Table(kBlack, kWhite, 120, -300);
    const GradientColors hundred = Table(kBlack, kWhite, 100, -100);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(clamped.entry[i], hundred.entry[i]);
    EXPECT_EQ(hq::ClampPercent(120), 100);
    EXPECT_EQ(hq::ClampPercent(-101), -100);
}

TEST(GradientTable, RotationFiftyPeaksAtEntry127) {
    const GradientColors t = Table(kBlack, kWhite, 0, 50);
    EXPECT_EQ(t.entry[0], Grey(0));
    EXPECT_EQ(t.entry[126], Grey(126 * 255 / 127));
    EXPECT_EQ(t.entry[127], Grey(255)) << "exactly the second colour";
    EXPECT_EQ(t.entry[128], Grey(127 * 255 / 128));
    EXPECT_EQ(t.entry[255], Grey(0));
    for (int i = 1; i < 127; ++i) ASSERT_GT(t.entry[i], t.entry[i - 1]) << i;
    for (int i = 128; i < 256; ++i) ASSERT_LT(t.entry[i], t.entry[i - 1]) << i;
}

TEST(GradientTable, FullRotationEitherWayRunsFromSecondToFirst) {
    for (int rotation : {100, -100}) {
        const GradientColors t = Table(0x102030, 0xF0E0D0, 0, rotation);
        EXPECT_EQ(t.entry[0], 0xD0E0F0u) << rotation;
        EXPECT_EQ(t.entry[255], 0x302010u) << rotation;
    }
    const GradientColors half = Table(kBlack, kWhite, 0, -50);  // m = 128
    EXPECT_EQ(half.entry[0], Grey(255));
    EXPECT_EQ(half.entry[128], Grey(0));
    EXPECT_EQ(half.entry[255], Grey(255));
}

TEST(GradientPattern, SizesAreFixedPerStyleAndAtMost512) {
    EXPECT_EQ(hq::GradientPatternSize(GradientStyle::RadialC).width, 362);
    EXPECT_EQ(hq::GradientPatternSize(GradientStyle::LinearH).height, 1);
    EXPECT_EQ(hq::GradientPatternSize(GradientStyle::DiagonalLF).height, 129);
    for (int s = 1; s < hq::kGradientStyleCount; ++s) {
        const hq::PatternSize size = hq::GradientPatternSize(static_cast<GradientStyle>(s));
        EXPECT_GT(size.width, 0);
        EXPECT_LE(size.width, 512);
        EXPECT_LE(size.height, 512);
    }
}

TEST(GradientPattern, EveryPixelOfEveryStyleIsATableEntry) {
    const GradientColors t = IndexTable();
    for (int s = 1; s < hq::kGradientStyleCount; ++s) {
        for (uint32_t v : Render(static_cast<GradientStyle>(s), t)) ASSERT_LT(v, 256u) << "style " << s;
    }
}

struct Spot {
    GradientStyle style;
    int x, y;
    uint32_t index;
};

TEST(GradientPattern, SpotValuesOfEachStyle) {
    using S = GradientStyle;
    const Spot spots[] = {
        {S::LinearH, 10, 0, 10},       {S::LinearV, 0, 200, 200},    {S::ReflectedH, 0, 0, 255},
        {S::ReflectedH, 0, 255, 0},    {S::ReflectedH, 0, 256, 0},   {S::ReflectedH, 0, 511, 255},
        {S::ReflectedV, 0, 0, 255},    {S::ReflectedV, 256, 0, 0},   {S::ReflectedV, 511, 0, 255},
        {S::DiagonalLF, 0, 0, 0},      {S::DiagonalLF, 127, 128, 255}, {S::DiagonalLB, 127, 0, 0},
        {S::DiagonalLB, 0, 128, 255},  {S::DiagonalRF, 0, 0, 255},   {S::DiagonalRF, 100, 155, 0},
        {S::DiagonalRF, 255, 255, 255}, {S::DiagonalRB, 0, 0, 0},    {S::DiagonalRB, 255, 0, 255},
        {S::DiagonalRB, 0, 255, 255},  {S::ArrowL, 0, 0, 255},       {S::ArrowL, 128, 127, 0},
        {S::ArrowL, 128, 128, 0},      {S::ArrowL, 0, 255, 255},     {S::ArrowR, 0, 0, 127},
        {S::ArrowR, 128, 0, 255},      {S::ArrowR, 0, 127, 0},       {S::ArrowR, 128, 255, 255},
        {S::ArrowU, 0, 0, 255},        {S::ArrowU, 127, 128, 0},     {S::ArrowU, 255, 0, 255},
        {S::ArrowD, 0, 0, 127},        {S::ArrowD, 0, 128, 255},     {S::ArrowD, 127, 0, 0},
        {S::ArrowD, 255, 128, 255},    {S::Diamond, 0, 0, 255},      {S::Diamond, 127, 127, 1},
        {S::Diamond, 128, 128, 1},     {S::Diamond, 255, 0, 255},    {S::Diamond, 0, 255, 255},
        {S::Butterfly, 0, 0, 128},     {S::Butterfly, 128, 0, 255},  {S::Butterfly, 0, 128, 0},
        {S::Butterfly, 255, 255, 128}, {S::RadialTL, 0, 0, 0},       {S::RadialTL, 3, 4, 5},
        {S::RadialTL, 1, 1, 1},        {S::RadialTL, 2, 2, 3},       {S::RadialTL, 180, 180, 255},
        {S::RadialTR, 180, 0, 0},      {S::RadialBL, 0, 180, 0},     {S::RadialBR, 180, 180, 0},
        {S::RadialBR, 0, 0, 255},      {S::RadialT, 180, 0, 0},      {S::RadialT, 181, 0, 0},
        {S::RadialT, 0, 0, 180},       {S::RadialB, 181, 180, 0},    {S::RadialL, 0, 181, 0},
        {S::RadialR, 180, 180, 0},     {S::RadialR, 180, 0, 180},
    };
    const GradientColors t = IndexTable();
    for (const Spot& s : spots) {
        const std::vector<uint32_t> p = Render(s.style, t);
        EXPECT_EQ(At(p, s.style, s.x, s.y), s.index)
            << "style " << static_cast<int>(s.style) << " at (" << s.x << ", " << s.y << ")";
    }
}

TEST(GradientPattern, RadialCentreAndCorners) {
    const std::vector<uint32_t> p = Render(GradientStyle::RadialC, IndexTable());
    for (int x : {180, 181})
        for (int y : {180, 181}) EXPECT_EQ(At(p, GradientStyle::RadialC, x, y), 0u);
    for (int x : {0, 361})
        for (int y : {0, 361}) EXPECT_EQ(At(p, GradientStyle::RadialC, x, y), 255u);
    // Mirror symmetry in both axes.
    for (int y = 0; y < 362; y += 7)
        for (int x = 0; x < 362; x += 5) {
            ASSERT_EQ(At(p, GradientStyle::RadialC, x, y), At(p, GradientStyle::RadialC, 361 - x, y));
            ASSERT_EQ(At(p, GradientStyle::RadialC, x, y), At(p, GradientStyle::RadialC, x, 361 - y));
        }
}

TEST(GradientPattern, RadialRectRings) {
    const std::vector<uint32_t> p = Render(GradientStyle::RadialRect, IndexTable());
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(At(p, GradientStyle::RadialRect, i, 0), 0u);
        ASSERT_EQ(At(p, GradientStyle::RadialRect, 0, i), 0u);
        ASSERT_EQ(At(p, GradientStyle::RadialRect, i, 511), 0u);
        ASSERT_EQ(At(p, GradientStyle::RadialRect, 511, i), 0u);
    }
    for (int x : {255, 256})
        for (int y : {255, 256}) EXPECT_EQ(At(p, GradientStyle::RadialRect, x, y), 255u);
    EXPECT_EQ(At(p, GradientStyle::RadialRect, 254, 255), 254u);
    EXPECT_EQ(At(p, GradientStyle::RadialRect, 10, 300), 10u);
}

TEST(GradientPattern, RowsHonourTheStride) {
    const GradientColors t = IndexTable();
    const hq::PatternSize size = hq::GradientPatternSize(GradientStyle::DiagonalRB);
    const int stride = size.width + 3;
    std::vector<uint32_t> pixels(static_cast<size_t>(stride) * size.height, 0xDEADBEEF);
    hq::RenderGradientPattern(GradientStyle::DiagonalRB, t, pixels.data(), stride);
    for (int y = 0; y < size.height; ++y) {
        ASSERT_EQ(pixels[static_cast<size_t>(y) * stride + size.width], 0xDEADBEEFu) << "padding written";
        ASSERT_EQ(pixels[static_cast<size_t>(y) * stride + 7], static_cast<uint32_t>(y < 7 ? 7 - y : y - 7));
    }
}

}  // namespace
