// Portable BMP decoding for mask pictures.
#include <cstring>

#include "actions/window/mask_image.h"
#include "plugin/error.h"

namespace hq {

namespace {

[[noreturn]] void Invalid() { Fail("Bitmap image is not valid"); }

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t size() const { return size_; }
    bool Has(uint64_t offset, uint64_t length) const { return offset <= size_ && length <= size_ - offset; }
    uint32_t U16(size_t at) const { Need(at, 2); return data_[at] | data_[at + 1] << 8; }
    uint32_t U32(size_t at) const {
        Need(at, 4);
        return data_[at] | data_[at + 1] << 8 | data_[at + 2] << 16 | static_cast<uint32_t>(data_[at + 3]) << 24;
    }
    const uint8_t* At(size_t at) const { return data_ + at; }

private:
    void Need(size_t at, size_t n) const {
        if (!Has(at, n)) Invalid();
    }
    const uint8_t* data_;
    size_t size_;
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    explicit Channel(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    uint8_t Get(uint32_t v) const {
        if (!max) return 0;
        return static_cast<uint8_t>(((v & mask) >> shift) * 255u / max);
    }
};

constexpr uint32_t kRgb = 0, kBitFields = 3;

}  // namespace

MaskImage DecodeMaskBmp(const uint8_t* data, size_t size) {
    MaskImage image;
    if (size == 0) return image;
    const Bytes b(data, size);
    if (size < 2 || data[0] != 'B' || data[1] != 'M') Invalid();
    const uint32_t pixelOffset = b.U32(10);
    const uint32_t headerSize = b.U32(14);
    int64_t width = 0, height = 0;
    uint32_t planes = 0, bpp = 0, compression = kRgb, colours = 0;
    size_t paletteEntry = 4;
    if (headerSize == 12) {
        width = b.U16(18);
        height = b.U16(20);
        planes = b.U16(22);
        bpp = b.U16(24);
        paletteEntry = 3;
    } else if (headerSize >= 40) {
        width = static_cast<int32_t>(b.U32(18));
        height = static_cast<int32_t>(b.U32(22));
        planes = b.U16(26);
        bpp = b.U16(28);
        compression = b.U32(30);
        colours = b.U32(46);
    } else {
        Invalid();
    }
    if (planes != 1 || width < 0) Invalid();
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Invalid();
    if (compression != kRgb && !(compression == kBitFields && (bpp == 16 || bpp == 32))) Invalid();

    // Colour masks: 5-5-5 and 8-8-8 by default; after a 40-byte header the three
    // masks follow it, in a longer header they are part of it.
    const size_t afterHeader = 14 + static_cast<size_t>(headerSize);
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bpp == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    size_t tableAt = afterHeader;
    if (compression == kBitFields) {
        const size_t at = headerSize == 40 ? afterHeader : 14 + 40;
        for (int i = 0; i < 3; ++i) masks[i] = b.U32(at + 4 * i);
        if (headerSize == 40) tableAt += 12;
    }
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    if (bpp <= 8) {
        const uint64_t count = colours ? colours : (1u << bpp);
        if (count > 256 || !b.Has(tableAt, count * paletteEntry)) Invalid();
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t* e = b.At(tableAt + i * paletteEntry);
            palette.push_back(e[0] | e[1] << 8 | e[2] << 16);
        }
        palette.resize(256, 0);  // indices beyond the table read as black
    }

    const uint64_t stride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
    if (height && stride > size / static_cast<uint64_t>(height)) Invalid();
    if (!b.Has(pixelOffset, stride * static_cast<uint64_t>(height))) Invalid();
    if (width == 0 || height == 0) return image;

    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    image.bits.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int64_t y = 0; y < height; ++y) {
        const int64_t fileRow = topDown ? y : height - 1 - y;
        const uint8_t* src = b.At(pixelOffset + static_cast<size_t>(fileRow * stride));
        uint8_t* dst = image.bits.data() + static_cast<size_t>(y * width * 4);
        for (int64_t x = 0; x < width; ++x, dst += 4) {
            uint32_t rgb = 0;  // 0x00RRGGBB
            switch (bpp) {
            case 1: rgb = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: rgb = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
            case 8: rgb = palette[src[x]]; break;
            case 24: rgb = src[3 * x] | src[3 * x + 1] << 8 | src[3 * x + 2] << 16; break;
            default: {
                uint32_t v = 0;
                if (bpp == 16) {
                    v = src[2 * x] | src[2 * x + 1] << 8;
                } else {
                    std::memcpy(&v, src + 4 * x, 4);
                }
                rgb = red.Get(v) << 16 | green.Get(v) << 8 | blue.Get(v);
            }
            }
            dst[0] = static_cast<uint8_t>(rgb);
            dst[1] = static_cast<uint8_t>(rgb >> 8);
            dst[2] = static_cast<uint8_t>(rgb >> 16);
            dst[3] = 0;
        }
    }
    return image;
}

}  // namespace hq
