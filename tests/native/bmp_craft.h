// Hand-made BMP files for the tests: every header field written explicitly,
// independent of the module's own writer.
#pragma once
#include <cstdint>
#include <initializer_list>
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

struct Craft {
    uint32_t headerSize = 40;  // 12 for OS/2
    int32_t width = 2, height = 2;
    uint16_t planes = 1, bpp = 24;
    uint32_t compression = 0, sizeImage = 0, colorsUsed = 0;
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
            Le32(info, 2835);
            Le32(info, 2835);
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

}  // namespace bmptest
