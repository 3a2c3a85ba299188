// Hand-made BMP (and cursor) files for the native and the Windows tests: every
// header field written explicitly, independent of the module's own writer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bmptest {

using Bytes = std::vector<uint8_t>;

inline void Le16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Le32(Bytes& b, uint32_t v) {
    Le16(b, v & 0xFFFF);
    Le16(b, v >> 16);
}
inline uint32_t Read32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline uint16_t Read16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

// Bytes of one pixel row, padded to four bytes.
inline size_t Stride(int width, int bpp) { return ((static_cast<size_t>(width) * bpp + 31) / 32) * 4; }

struct Craft {
    uint32_t headerSize = 40;  // 12 for OS/2
    int32_t width = 2, height = 2;
    uint16_t planes = 1, bpp = 24;
    uint32_t compression = 0, sizeImage = 0, colorsUsed = 0;
    uint32_t pelsPerMeter = 2835;   // both resolutions
    std::vector<uint32_t> masks;    // written after a 40-byte header, or inside a longer one
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    Bytes pixels;                   // as stored
    int64_t offBitsDelta = 0;       // added to the honest pixel offset

    Bytes Build() const {
        Bytes info;
        const bool os2 = headerSize == 12;
        Le32(info, headerSize);
        if (os2) {
            Le16(info, static_cast<uint32_t>(width));
            Le16(info, static_cast<uint32_t>(height));
            Le16(info, planes);
            Le16(info, bpp);
        } else {
            Le32(info, static_cast<uint32_t>(width));
            Le32(info, static_cast<uint32_t>(height));
            Le16(info, planes);
            Le16(info, bpp);
            Le32(info, compression);
            Le32(info, sizeImage);
            Le32(info, pelsPerMeter);
            Le32(info, pelsPerMeter);
            Le32(info, colorsUsed);
            Le32(info, 0);
            if (headerSize > 40) {
                for (uint32_t m : masks) Le32(info, m);
                while (info.size() < headerSize) info.push_back(0);
            }
        }
        if (headerSize == 40)
            for (uint32_t m : masks) Le32(info, m);
        for (uint32_t c : palette) {
            info.push_back(static_cast<uint8_t>(c));
            info.push_back(static_cast<uint8_t>(c >> 8));
            info.push_back(static_cast<uint8_t>(c >> 16));
            if (!os2) info.push_back(0);
        }
        Bytes file{'B', 'M'};
        const uint32_t offBits = static_cast<uint32_t>(14 + info.size() + offBitsDelta);
        Le32(file, static_cast<uint32_t>(14 + info.size() + pixels.size()));
        Le32(file, 0);
        Le32(file, offBits);
        file.insert(file.end(), info.begin(), info.end());
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }
};

// An uncompressed bottom-up file with no resolution; colour(x, y) gives
// 0xRRGGBB (y from the top). 24 and 32 bits per pixel store it as it is and
// record the image size; 16 stores it as 5-5-5; 1, 4 and 8 index a palette
// (black, white, near-white (254, 255, 255), grey; two entries at 1 bit), and
// colour must give one of its colours.
inline Bytes MakeBmp(int width, int height, const std::function<uint32_t(int, int)>& colour, int bpp = 24) {
    const uint32_t palette[4] = {0x000000, 0xFFFFFF, 0xFEFFFF, 0x808080};
    Craft c;
    c.width = width, c.height = height, c.bpp = static_cast<uint16_t>(bpp), c.pelsPerMeter = 0;
    if (bpp <= 8) c.palette.assign(palette, palette + (bpp == 1 ? 2 : 4));
    c.colorsUsed = static_cast<uint32_t>(c.palette.size());
    const size_t stride = Stride(width, bpp);
    if (bpp >= 24) c.sizeImage = static_cast<uint32_t>(stride * height);
    c.pixels.assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = c.pixels.data() + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = colour(x, y);
            if (bpp >= 24) {
                uint8_t* p = row + x * (bpp / 8);
                p[0] = static_cast<uint8_t>(rgb), p[1] = static_cast<uint8_t>(rgb >> 8);
                p[2] = static_cast<uint8_t>(rgb >> 16);
            } else if (bpp == 16) {
                const uint32_t v = ((rgb >> 19) & 0x1F) << 10 | ((rgb >> 11) & 0x1F) << 5 | ((rgb >> 3) & 0x1F);
                row[2 * x] = static_cast<uint8_t>(v), row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            } else {
                uint32_t index = 0;
                for (size_t i = 0; i < c.palette.size(); ++i)
                    if (c.palette[i] == rgb) index = static_cast<uint32_t>(i);
                const int perByte = 8 / bpp;
                row[x / perByte] |= static_cast<uint8_t>(index << (8 - bpp * (x % perByte + 1)));
            }
        }
    }
    return c.Build();
}

// Rows of text: '#' black, '.' white, '~' near-white (254, 255, 255).
inline Bytes MakeBmp(const std::vector<std::string>& rows, int bpp = 24) {
    return MakeBmp(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), [&](int x, int y) -> uint32_t {
        const char c = rows[y][x];
        return c == '.' ? 0xFFFFFF : c == '~' ? 0xFEFFFF : 0x000000;
    }, bpp);
}

// A 32 x 32 monochrome cursor file, hot spot at (hotX, hotY): the icon
// directory (type 2, one entry), then a 1-bit DIB of double height, the XOR
// mask (black) over the AND mask (a 16 x 16 square shown, the rest transparent).
inline Bytes CursorFile(int hotX, int hotY) {
    Craft dib;
    dib.width = 32, dib.height = 64, dib.bpp = 1, dib.pelsPerMeter = 0, dib.colorsUsed = 2;
    dib.palette = {0x000000, 0xFFFFFF};
    dib.pixels.assign(32 * 4, 0x00);
    for (int row = 0; row < 32; ++row)
        for (int b = 0; b < 4; ++b) dib.pixels.push_back(row < 16 && b < 2 ? 0x00 : 0xFF);
    dib.sizeImage = static_cast<uint32_t>(dib.pixels.size());
    Bytes bits = dib.Build();
    bits.erase(bits.begin(), bits.begin() + 14);  // a DIB without the file header
    Bytes f;
    Le16(f, 0), Le16(f, 2), Le16(f, 1);
    f.insert(f.end(), {32, 32, 0, 0});
    Le16(f, static_cast<uint32_t>(hotX)), Le16(f, static_cast<uint32_t>(hotY));
    Le32(f, static_cast<uint32_t>(bits.size())), Le32(f, 6 + 16);
    f.insert(f.end(), bits.begin(), bits.end());
    return f;
}

}  // namespace bmptest
