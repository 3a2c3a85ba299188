// Cost of starting and shutting down GDI+ inside every fzSetWindowPngMaskShadow
// call: the action through the stand-in host, first as it runs (GDI+ started
// and shut down by the call), then with GDI+ kept started around the loop, so
// that the call's own start-up only counts a reference. Goal: the call with its
// own GDI+ session at most 1.5 times the one with GDI+ kept started; the last
// line is "goal met" or "goal missed: ...".
//
//   bench_png_window_bench.exe [calls]   (default 200)
#include <windows.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "actions/window/gdiplus_layer.h"
#include "hqhost.h"

namespace {

std::string BesideExe(const char* name) {
    char buf[MAX_PATH];
    std::string path(buf, ::GetModuleFileNameA(nullptr, buf, MAX_PATH));
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

double MsPerCall(hqhost::Host& host, const std::string& png, int calls) {
    const double t0 = BenchNow();
    for (int i = 0; i < calls; ++i) host.Exec(45, {png});
    return (BenchNow() - t0) * 1e3 / calls;
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::atoi(argv[1]) : 200;
    const std::string png = BesideExe("bench_window.png");
    std::vector<uint8_t> pixels(300 * 200 * 4, 0x80);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 300;
    image.height = 200;
    image.format = PNG_FORMAT_RGBA;
    png_image_write_to_file(&image, png.c_str(), 0, pixels.data(), 0, nullptr);

    hqhost::Host& host = hqhost::Host::Instance();
    if (!host.Load(BesideExe("zeZoreredur.hqp"))) {
        std::printf("cannot load the plug-in\n");
        return 1;
    }
    host.Exec(8, {});
    const double perCall = MsPerCall(host, png, calls);
    double kept = 0;
    {
        hq::GdiplusSession held;
        kept = MsPerCall(host, png, calls);
    }
    const double ratio = perCall / kept;
    std::printf("300 x 200 PNG, %d calls: %.2f ms per call with GDI+ started and shut down by the call, "
                "%.2f ms with GDI+ kept started; start-up and shut-down cost %.2f ms per call\n",
                calls, perCall, kept, perCall - kept);
    std::printf("a call with its own GDI+ session against one with GDI+ kept started: %.2fx (goal <= 1.5): %s\n",
                ratio, ratio <= 1.5 ? "met" : "missed");
    std::printf(ratio <= 1.5 ? "goal met\n" : "goal missed: GDI+ start-up and shut-down per call\n");
    host.Unload();
    return 0;
}
