// Peak memory of scanning a window mask with very many runs (a 1-bit
// checkerboard: one run per black pixel), the portable part of building its
// region, one way per process because the peak cannot be reset:
//   whole    - the mask converted to 32 bits and every run kept as a rectangle
//              (what the region was built from before);
//   batched  - rows scanned from the picture as read, runs handed on a batch
//              of 4096 at a time (what the mask action does now).
//   build/native/bench_mask_scan_memory whole|batched [width height]   (default 8192 x 8192)
// The region itself is the system's and not counted here.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image/bmp_image.h"
#include "actions/window/mask_runs.h"

namespace {

double PeakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "batched";
    const int w = argc > 3 ? std::atoi(argv[2]) : 8192, h = argc > 3 ? std::atoi(argv[3]) : 8192;
    std::vector<uint8_t> file;
    {
        hq::bmp::Image mask = hq::bmp::Blank(w, h, 1);
        mask.palette = {0x000000, 0xFFFFFF};
        for (int y = 0; y < h; ++y)
            std::memset(mask.pixels.data() + static_cast<size_t>(y) * mask.Stride(), (y & 1) ? 0x55 : 0xAA,
                        mask.Stride());
        file = hq::bmp::Encode(mask);
    }
    const hq::bmp::Image picture = hq::bmp::Decode(file);
    const double before = PeakMb();
    size_t runs = 0;
    if (mode == "whole") {
        const std::vector<hq::RunRect> rects =
            hq::BuildMaskRuns(hq::MaskViewOf(hq::bmp::Convert(picture, hq::bmp::Format::Bgrx32)));
        runs = rects.size();
    } else {
        hq::ScanMaskRuns(picture, 4096, [&](const hq::RunRect*, size_t count) { runs += count; });
    }
    const double after = PeakMb();
    std::printf("%-8s mask %d x %d, runs %zu: peak resident %.1f MB before scanning, %.1f MB after (+%.1f MB)\n",
                mode.c_str(), w, h, runs, before, after, after - before);
    return 0;
}
