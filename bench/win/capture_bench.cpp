// Benchmarks of the capture and image actions, each with a baseline measured
// in the same run:
//   fzShotDesktopToJpg (screen size) and a 1920x1080 JPEG at quality 85
//       against a bare libjpeg-turbo encode of the same pixels;
//   reading and rewriting a 4096x4096 24-bit BMP against a plain file copy;
//   fzChangeColorBmp 24 -> 32, 16, 8 and 4 on 4096x4096 against a plain copy
//       of the 24-bit file;
//   fzSetWatermark with a 1920x1080 main picture and a 512x512 overlay.
// Each goal is printed beside its figure; the last line is "goal met" or
// "goal missed: ..." with what missed.
// Run: scripts/wine-run.sh build/win64/bin/bench_capture_bench.exe [repeats]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "image/bmp_image.h"
#include "image/image_file.h"
#include "image/jpeg_writer.h"
#include "hqhost.h"

extern "C" {
#include <jpeglib.h>
}

namespace {

namespace bmp = hq::bmp;

std::string Beside(const std::string& name) {
    char buf[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, buf, MAX_PATH);
    const std::string path(buf, n);
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

double Now() {
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart) ::QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Median milliseconds of `repeats` runs of `body`, each after `setup` (not timed).
double Time(int repeats, const std::function<void()>& body, const std::function<void()>& setup = nullptr) {
    std::vector<double> ms;
    if (setup) setup();
    body();  // warm-up
    for (int i = 0; i < repeats; ++i) {
        if (setup) setup();
        const double t0 = Now();
        body();
        ms.push_back((Now() - t0) * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

std::vector<std::string> g_missed;

// One figure against its baseline; with a goal (> 0), the ratio it may reach.
void Report(const char* what, double ms, const char* baseline, double baseMs, double goal) {
    const bool met = ms / baseMs <= goal;
    if (goal > 0 && !met) g_missed.push_back(what);
    char goalText[48] = "";
    if (goal > 0) std::snprintf(goalText, sizeof goalText, "  (goal <= %.1f: %s)", goal, met ? "met" : "missed");
    std::printf("%-44s %9.2f ms   %-28s %9.2f ms   ratio %5.2f%s\n", what, ms, baseline, baseMs, ms / baseMs,
                goalText);
}

// Bare libjpeg-turbo: 32-bit rows (bottom-up in memory), top row first,
// into memory, or into a file through stdio when `path` is given.
size_t BareJpeg(const uint8_t* pixels, int width, int height, int quality, const char* path = nullptr) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    FILE* file = path ? std::fopen(path, "wb") : nullptr;
    if (file) jpeg_stdio_dest(&cinfo, file);
    else jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = width, cinfo.image_height = height;
    cinfo.input_components = 4, cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = static_cast<size_t>(width) * 4;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + (height - 1 - cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (file) std::fclose(file);
    const hq::UniqueMalloc block(out);
    return size;
}
size_t BareJpeg(const bmp::Image& img, int quality, const char* path = nullptr) {
    return BareJpeg(img.pixels.data(), img.width, img.height, quality, path);
}

// The bare capture path: the screen blitted into a 32-bit DIB section, then
// encoded straight into a file.
void BareScreenJpeg(const char* path) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w, bi.bmiHeader.biHeight = h, bi.bmiHeader.biPlanes = 1, bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    BareJpeg(static_cast<const uint8_t*>(bits), w, h, 85, path);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(dib);
    ::ReleaseDC(nullptr, screen);
}

bmp::Image Noise(int w, int h, unsigned seed) {
    bmp::Image img = bmp::Blank(w, h, 24);
    uint32_t s = seed;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = img.pixels.data() + static_cast<size_t>(y) * img.Stride();
        for (int x = 0; x < w; ++x) {
            s = s * 1664525u + 1013904223u;
            // Smooth gradients with a little noise: photo-like content for the encoder.
            row[3 * x] = static_cast<uint8_t>(x * 255 / w + (s >> 29));
            row[3 * x + 1] = static_cast<uint8_t>(y * 255 / h + ((s >> 26) & 7));
            row[3 * x + 2] = static_cast<uint8_t>((x + y) * 127 / (w + h) + ((s >> 23) & 7));
        }
    }
    return img;
}

void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 5;
    hqhost::Host& host = hqhost::Host::Instance();
    if (!host.Load(Beside("zeZoreredur.hqp"))) {
        std::printf("cannot load the plug-in\n");
        return 1;
    }
    const std::string dir = Beside("bench_scratch\\");
    ::CreateDirectoryA(dir.c_str(), nullptr);
    auto exec = [&](int id, const std::vector<std::string>& p) {
        host.Exec(id, p);
        if (host.LastError()) std::printf("action %d: %s\n", id, host.LastError()->c_str());
    };

    // 1. Desktop JPEG against the bare path (blit + encode into a file) and a bare encode alone.
    {
        exec(2, {dir + "screen.bmp"});
        const bmp::Image screen = bmp::Convert(hq::ReadBmpFile(dir + "screen.bmp"), bmp::Format::Bgrx32);
        const double action = Time(repeats, [&] { exec(1, {dir + "screen.jpg", "85"}); });
        const double barePath = Time(repeats, [&] { BareScreenJpeg((dir + "bare_screen.jpg").c_str()); });
        const double bareEncode = Time(repeats, [&] { BareJpeg(screen, 85); });
        char what[64];
        std::snprintf(what, sizeof what, "fzShotDesktopToJpg %dx%d q85", screen.width, screen.height);
        Report(what, action, "bare blit + encode to file", barePath, 1.2);
        Report(what, action, "bare encode to memory", bareEncode, 0);
    }
    // 2. A 1920x1080 picture written as JPEG at quality 85.
    {
        const bmp::Image picture = bmp::Convert(Noise(1920, 1080, 1), bmp::Format::Bgrx32);
        const double module = Time(repeats, [&] { hq::WriteFileAtomic(dir + "hd.jpg", hq::EncodeJpeg(picture, 85)); });
        const double bareFile = Time(repeats, [&] { BareJpeg(picture, 85, (dir + "bare_hd.jpg").c_str()); });
        const double bare = Time(repeats, [&] { BareJpeg(picture, 85); });
        Report("1920x1080 JPEG q85 (encode + atomic write)", module, "bare encode to file", bareFile, 1.2);
        Report("1920x1080 JPEG q85 (encode + atomic write)", module, "bare encode to memory", bare, 0);
    }
    // 3. Reading and rewriting a 4096x4096 24-bit BMP against a plain copy.
    const bmp::Image big = Noise(4096, 4096, 2);
    const std::vector<uint8_t> bigFile = bmp::Encode(big);
    Save(dir + "big.bmp", bigFile);
    {
        const double rewrite = Time(repeats, [&] { exec(100, {dir + "big.bmp", "24"}); });
        const double copy = Time(repeats, [&] { ::CopyFileA((dir + "big.bmp").c_str(), (dir + "copy.bmp").c_str(), FALSE); });
        Report("4096x4096 24-bit BMP read + rewrite", rewrite, "CopyFileA of the file", copy, 3.0);
    }
    // 4. Colour-depth conversions on 4096x4096, each on a fresh copy of the
    //    24-bit file (the copy is not timed), against copying that file.
    {
        const std::string work = dir + "convert.bmp";
        const double copy = Time(repeats, [&] { ::CopyFileA((dir + "big.bmp").c_str(), (dir + "copy.bmp").c_str(), FALSE); });
        for (const char* depth : {"32", "16", "8", "4"}) {
            const double convert = Time(repeats, [&] { exec(100, {work, depth}); }, [&] { Save(work, bigFile); });
            char what[64];
            std::snprintf(what, sizeof what, "fzChangeColorBmp 24->%s 4096x4096", depth);
            const bool goal = std::strcmp(depth, "32") == 0 || std::strcmp(depth, "8") == 0;
            Report(what, convert, "CopyFileA of the 24-bit file", copy, goal ? 3.0 : 0);
        }
    }
    // 5. Watermark 1920x1080 with a 512x512 overlay.
    {
        Save(dir + "wm_main.bmp", bmp::Encode(Noise(1920, 1080, 3)));
        Save(dir + "wm_over.bmp", bmp::Encode(Noise(512, 512, 4)));
        const double tr = Time(repeats, [&] {
            exec(41, {dir + "wm_main.bmp", dir + "wm_over.bmp", "100", "100", "Tr", "128", "", "Bmp", "85",
                      dir + "wm_out.bmp"});
        });
        const double key = Time(repeats, [&] {
            exec(41, {dir + "wm_main.bmp", dir + "wm_over.bmp", "100", "100", "TrColor", "", "255,0,255", "Jpg", "85",
                      dir + "wm_out.jpg"});
        });
        const double copy = Time(repeats, [&] {
            ::CopyFileA((dir + "wm_main.bmp").c_str(), (dir + "wm_copy.bmp").c_str(), FALSE);
        });
        Report("fzSetWatermark Tr 128 -> Bmp", tr, "CopyFileA of the main file", copy, 0);
        Report("fzSetWatermark TrColor -> Jpg q85", key, "CopyFileA of the main file", copy, 0);
    }
    host.Unload();
    if (g_missed.empty()) {
        std::printf("goal met\n");
    } else {
        std::string list;
        for (const std::string& m : g_missed) list += (list.empty() ? "" : "; ") + m;
        std::printf("goal missed: %s\n", list.c_str());
    }
    return 0;
}
