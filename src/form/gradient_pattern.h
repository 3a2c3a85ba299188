// The gradient control's colour table and pattern rendering: plain arithmetic
// on 32-bit pixels, without <windows.h>, so it is tested natively.
#pragma once
#include <cstdint>
#include <vector>

namespace hq {

// Values 0 to 24, in this order.
enum class GradientStyle : uint8_t {
    Custom, RadialC, RadialT, RadialB, RadialL, RadialR, RadialTL, RadialTR, RadialBL, RadialBR,
    LinearH, LinearV, ReflectedH, ReflectedV, DiagonalLF, DiagonalLB, DiagonalRF, DiagonalRB,
    ArrowL, ArrowR, ArrowU, ArrowD, Diamond, Butterfly, RadialRect,
};
constexpr int kGradientStyleCount = 25;

// 256 entries; each 0x00RRGGBB (bytes blue, green, red, unused in memory).
struct GradientColors {
    uint32_t entry[256];
};

// Plain colours as 0x00BBGGRR (red in the low byte).
struct GradientRamp {
    uint32_t first = 0;   // entry 0 of an unrotated ramp
    uint32_t second = 0;  // entry 255 of an unrotated ramp
    int shift = 0;        // -100..100
    int rotation = 0;     // -100..100
};

// MulDiv's rounding: a·b/c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// Clamps a shift or rotation into -100..100.
int ClampPercent(int value);

void BuildGradientColors(const GradientRamp& ramp, GradientColors& out);

struct PatternSize {
    int width = 0, height = 0;
};
// The fixed pattern size of a style (0 × 0 for gsCustom).
PatternSize GradientPatternSize(GradientStyle style);

// Renders `style` from `colors` into top-down 32-bit rows of the style's size;
// `stride` is the distance between rows in pixels.
void RenderGradientPattern(GradientStyle style, const GradientColors& colors, uint32_t* pixels, int stride);

}  // namespace hq
