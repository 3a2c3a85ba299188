// Peak memory of building a window region from a mask with very many runs (a
// 1-bit checkerboard: one run per black pixel), one way per process because
// the peak cannot be reset:
//   whole    - the mask converted to 32 bits, every run kept as a rectangle,
//              then the region built from the list;
//   batched  - the rows scanned straight from the picture, runs handed to the
//              region builder a batch at a time (what the mask action does).
//
//   bench_mask_memory.exe whole|batched [width height]   (default 2048 x 2048)
//
// Under Wine the region itself lives in the process too, so both figures
// include it; the difference is what the builder holds besides.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "actions/capture/bmp_image.h"
#include "actions/capture/image_file.h"
#include "actions/window/mask_runs.h"
#include "actions/window/region_build.h"

extern "C" BOOL WINAPI K32GetProcessMemoryInfo(HANDLE process, void* counters, DWORD size);

namespace {

struct MemoryCounters {  // PROCESS_MEMORY_COUNTERS
    DWORD cb;
    DWORD PageFaultCount;
    SIZE_T PeakWorkingSetSize, WorkingSetSize, QuotaPeakPagedPoolUsage, QuotaPagedPoolUsage,
        QuotaPeakNonPagedPoolUsage, QuotaNonPagedPoolUsage, PagefileUsage, PeakPagefileUsage;
};

double PeakMb() {
    MemoryCounters c{};
    c.cb = sizeof c;
    K32GetProcessMemoryInfo(::GetCurrentProcess(), &c, sizeof c);
    return c.PeakPagefileUsage / 1048576.0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "batched";
    const int w = argc > 3 ? std::atoi(argv[2]) : 2048, h = argc > 3 ? std::atoi(argv[3]) : 2048;
    const std::string path = "bench_mask_memory.bmp";
    {
        hq::bmp::Image mask = hq::bmp::Blank(w, h, 1);
        mask.palette = {0x000000, 0xFFFFFF};
        for (int y = 0; y < h; ++y)
            std::memset(mask.pixels.data() + static_cast<size_t>(y) * mask.Stride(), (y & 1) ? 0x55 : 0xAA,
                        mask.Stride());
        hq::WriteBmpFile(path, mask);
    }
    const hq::bmp::Image picture = hq::ReadBmpFile(path);
    const double before = PeakMb();
    size_t runs = 0;
    hq::UniqueRegion region;
    if (mode == "whole") {
        const std::vector<hq::RunRect> rects =
            hq::BuildMaskRuns(hq::MaskViewOf(hq::bmp::Convert(picture, hq::bmp::Format::Bgrx32)));
        runs = rects.size();
        region = hq::RegionFromRects(rects);
    } else {
        hq::RegionBuilder builder;
        hq::ScanMaskRuns(picture, 4096, [&](const hq::RunRect* rects, size_t count) {
            runs += count;
            builder.Add(rects, count);
        });
        region = builder.Finish();
    }
    const double after = PeakMb();
    std::printf("%-8s mask %d x %d, runs %zu: peak private bytes %.1f MB before building, %.1f MB after (+%.1f MB)\n",
                mode.c_str(), w, h, runs, before, after, after - before);
    ::DeleteFileA(path.c_str());
    return 0;
}
