// Window region from a mask picture: the plug-in's builder (pixel memory, one
// rectangle per run, regions built in small lists and merged pairwise) against
// the reference of GetPixel per pixel and CombineRgn per run, in the same run.
//
//   bench_region_bench.exe [rows]   rows of the 1024-wide masks (default 768)
// Goal: the dithered mask at least 50 times faster, with the same region
// data; the last line is "goal met" or "goal missed: ...".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "../../tests/native/bmp_craft.h"
#include "bench_clock.h"
#include "image/bmp_image.h"
#include "image/image_file.h"
#include "actions/window/mask_runs.h"
#include "actions/window/region_build.h"
#include "region_reference.h"

namespace {

// Writes the mask into the Windows temporary folder (not the folder the bench
// was started in, which is often the source tree) and answers its path.
std::string Write(const char* name, int w, int h, const std::function<uint32_t(int, int)>& colour) {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    const std::string path = (length > 0 && length < sizeof folder ? std::string(folder) : std::string()) + name;
    const auto bytes = bmptest::MakeBmp(w, h, colour);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

// Returns how many times faster the plug-in's builder was (0 when the
// regions differ).
double Measure(const char* label, const std::string& path) {
    const double t0 = BenchNow();
    size_t runs = 0;
    hq::UniqueRegion ours;
    {
        const hq::bmp::Image mask = hq::bmp::Convert(hq::ReadBmpFile(path), hq::bmp::Format::Bgrx32);
        const auto rects = hq::BuildMaskRuns(hq::MaskViewOf(mask));
        runs = rects.size();
        ours = hq::RegionFromRects(rects);
    }
    const double t1 = BenchNow();
    HRGN reference = hqref::ReferenceMaskRegion(path);
    const double t2 = BenchNow();
    const bool same = hqref::RegionBytes(ours.get()) == hqref::RegionBytes(reference);
    std::printf("%-8s runs %7zu  ours %9.1f ms  reference %10.1f ms  ratio %7.1fx  identical region data: %s\n",
                label, runs, (t1 - t0) * 1e3, (t2 - t1) * 1e3, (t2 - t1) / (t1 - t0), same ? "yes" : "NO");
    ::DeleteObject(reference);
    return same ? (t2 - t1) / (t1 - t0) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int w = 1024, h = argc > 1 ? std::atoi(argv[1]) : 768;
    // A soft round shadow, ordered-dithered (4 x 4 Bayer matrix) to black and white.
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const std::string dithered = Write("bench_dither.bmp", w, h, [&](int x, int y) {
        const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
        const double d = dx * dx + dy * dy;                       // 0 at the centre
        const int level = d >= 1 ? 16 : static_cast<int>(d * 16);  // 0 black .. 16 white
        return level > kBayer[y % 4][x % 4] ? 0xFFFFFFu : 0x000000u;
    });
    // A typical solid shape: a rounded window outline.
    const std::string solid = Write("bench_solid.bmp", w, h, [&](int x, int y) {
        const int r = 120;
        const int cx = x < r ? r : x >= w - r ? w - r - 1 : x;
        const int cy = y < r ? r : y >= h - r ? h - r - 1 : y;
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r ? 0x000000u : 0xFFFFFFu;
    });
    std::printf("mask %d x %d\n", w, h);
    const double solidRatio = Measure("solid", solid);
    const double ditheredRatio = Measure("dithered", dithered);
    ::DeleteFileA(solid.c_str());
    ::DeleteFileA(dithered.c_str());
    const bool met = ditheredRatio >= 50 && solidRatio > 0;
    std::printf("dithered mask %.1fx faster than the reference (goal >= 50x, the same region data): %s\n",
                ditheredRatio, met ? "met" : "missed");
    std::printf(met ? "goal met\n" : "goal missed: dithered mask to region\n");
    return 0;
}
