// Builds BMP file bytes for mask tests (also used by the Windows tests).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hqtestbmp {

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 24- or 32-bit BI_RGB file, bottom-up unless `topDown`; colour(x, y) gives 0xRRGGBB.
inline std::vector<uint8_t> MakeBmp(int width, int height, const std::function<uint32_t(int, int)>& colour,
                                    int bpp = 24, bool topDown = false) {
    const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    std::vector<uint8_t> b(54 + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, topDown ? -height : height);
    Put16(b, 26, 1);
    Put16(b, 28, bpp);
    Put32(b, 34, static_cast<uint32_t>(stride * height));
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        uint8_t* row = b.data() + 54 + fileRow * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t* p = row + x * (bpp / 8);
            p[0] = c & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = (c >> 16) & 0xFF;
        }
    }
    return b;
}

// A file of 1, 4 or 8 bits per pixel (palette: black, white, near-white
// (254, 255, 255), grey) or 16 bits per pixel (5-5-5); colour(x, y) gives
// 0xRRGGBB and must be one of the palette colours for the indexed depths.
inline std::vector<uint8_t> MakeBmpOf(int width, int height, int bpp, const std::function<uint32_t(int, int)>& colour) {
    if (bpp == 24 || bpp == 32) return MakeBmp(width, height, colour, bpp);
    const uint32_t palette[4] = {0x000000, 0xFFFFFF, 0xFEFFFF, 0x808080};
    const int entries = bpp == 1 ? 2 : bpp <= 8 ? 4 : 0;
    const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    const size_t offset = 54 + 4 * entries;
    std::vector<uint8_t> b(offset + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, height);
    Put16(b, 26, 1);
    Put16(b, 28, bpp);
    Put32(b, 46, entries);
    for (int i = 0; i < entries; ++i) Put32(b, 54 + 4 * i, palette[i]);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = b.data() + offset + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            if (bpp == 16) {
                const uint32_t v = ((c >> 19) & 0x1F) << 10 | ((c >> 11) & 0x1F) << 5 | ((c >> 3) & 0x1F);
                row[2 * x] = v & 0xFF;
                row[2 * x + 1] = v >> 8;
                continue;
            }
            uint32_t index = 0;
            for (int i = 0; i < entries; ++i)
                if (palette[i] == c) index = i;
            const int perByte = 8 / bpp;
            const int shift = 8 - bpp * (x % perByte + 1);
            row[x / perByte] |= static_cast<uint8_t>(index << shift);
        }
    }
    return b;
}

// Rows of text: '#' black, '.' white, '~' near-white (254, 255, 255).
inline std::vector<uint8_t> MakeBmp(const std::vector<std::string>& rows, int bpp = 24) {
    return MakeBmp(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), [&](int x, int y) -> uint32_t {
        const char c = rows[y][x];
        return c == '.' ? 0xFFFFFF : c == '~' ? 0xFEFFFF : 0x000000;
    }, bpp);
}

}  // namespace hqtestbmp
