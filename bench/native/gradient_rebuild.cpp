// Rebuilding a gradient pattern (colour table + rendering) for each style,
// against filling a pattern of the same size with memset, as a ratio.
//   build/native/bench_gradient_rebuild [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "form/gradient_pattern.h"

namespace {

const char* const kNames[] = {"Custom",     "RadialC",    "RadialT",    "RadialB",    "RadialL",
                              "RadialR",    "RadialTL",   "RadialTR",   "RadialBL",   "RadialBR",
                              "LinearH",    "LinearV",    "ReflectedH", "ReflectedV", "DiagonalLF",
                              "DiagonalLB", "DiagonalRF", "DiagonalRB", "ArrowL",     "ArrowR",
                              "ArrowU",     "ArrowD",     "Diamond",    "Butterfly",  "RadialRect"};

template <typename F>
double BestNs(int rounds, F&& f) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::nano>(t1 - t0).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    std::vector<uint32_t> pixels(512 * 512);
    volatile uint32_t sink = 0;
    hq::GradientColors table;
    double worst = 0;
    std::printf("%-11s %9s %10s %10s %7s\n", "style", "pixels", "rebuild ns", "memset ns", "ratio");
    for (int s = 1; s < hq::kGradientStyleCount; ++s) {
        const auto style = static_cast<hq::GradientStyle>(s);
        const hq::PatternSize size = hq::GradientPatternSize(style);
        const size_t n = static_cast<size_t>(size.width) * size.height;
        const double rebuild = BestNs(rounds, [&] {
            hq::BuildGradientColors({0x6A240A, 0xC8D0D4, 53, 0}, table);
            hq::RenderGradientPattern(style, table, pixels.data(), size.width);
            sink = sink + pixels[n - 1];
        });
        const double fill = BestNs(rounds, [&] {
            std::memset(pixels.data(), static_cast<int>(sink & 0x7F), n * 4);
            sink = sink + pixels[n - 1];
        });
        const double ratio = rebuild / std::max(fill, 1.0);
        worst = std::max(worst, ratio);
        std::printf("%-11s %9zu %10.0f %10.0f %7.2f\n", kNames[s], n, rebuild, fill, ratio);
    }
    std::printf("worst ratio %.2f (goal <= 5)\n", worst);
    return 0;
}
