// Mask and picture files for the window shape tests, written beside the test executable.
#pragma once
#include <windows.h>

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bmp_craft.h"
#include "fixture.h"
#include "base/file_name.h"

namespace shapetest {

inline std::string WriteFileBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = hqtest::ExeDirPath(name);
    // The name as the plug-in reads a host's file name: in the ANSI code page.
    if (FILE* f = ::_wfopen(hq::WidenFileName(path).c_str(), L"wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

inline std::string WriteMask(const std::string& name, const std::vector<std::string>& rows) {
    return WriteFileBytes(name, bmptest::MakeBmp(rows));
}

inline std::string WriteMask(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& colour) {
    return WriteFileBytes(name, bmptest::MakeBmp(w, h, colour));
}

// An RGBA PNG file; colour(x, y) gives 0xAARRGGBB.
inline std::string WritePng(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& colour) {
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = (c >> 16) & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = c & 0xFF;
            p[3] = c >> 24;
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = PNG_FORMAT_RGBA;
    const std::string path = hqtest::ExeDirPath(name);
    png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr);
    return path;
}

}  // namespace shapetest
