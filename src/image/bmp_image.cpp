#include "image/bmp_image.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace hq::bmp {

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kOs2HeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

[[noreturn]] void Invalid() { throw Error(kInvalidText); }

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One colour channel described by a bit-field mask.
struct Channel {
    uint32_t mask = 0;
    unsigned shift = 0;
    unsigned bits = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
    }
    // The channel's value widened (bits repeated) or narrowed to 8 bits.
    uint8_t Extract(uint32_t pixel) const {
        if (!bits) return 0;
        uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
        uint32_t out = 0;
        int filled = 0;
        while (filled < 8) {
            out = (out << bits) | v;
            filled += static_cast<int>(bits);
        }
        return static_cast<uint8_t>(out >> (filled - 8));
    }
};

// A mask is usable when its bits are one contiguous group inside the depth.
bool MaskOk(uint32_t mask, unsigned depth) {
    if (depth < 32 && (mask >> depth) != 0) return false;
    if (!mask) return true;
    const Channel c(mask);
    const uint32_t group = c.bits >= 32 ? 0xFFFFFFFFu : ((uint32_t{1} << c.bits) - 1) << c.shift;
    return group == mask;
}

void SetImpliedMasks(Image& img) {
    if (img.bitsPerPixel == 16) {
        img.redMask = 0x7C00, img.greenMask = 0x03E0, img.blueMask = 0x001F;
    } else if (img.bitsPerPixel == 32) {
        img.redMask = 0xFF0000, img.greenMask = 0xFF00, img.blueMask = 0xFF;
    }
}

uint32_t PaletteAt(const Image& img, unsigned index) {
    return index < img.palette.size() ? img.palette[index] : 0;
}

// Converts one stored row (bottom-up index `row`) into 0x00RRGGBB values.
void RowToRgb(const Image& img, int32_t row, uint32_t* out) {
    const uint8_t* p = img.pixels.data() + static_cast<size_t>(row) * img.Stride();
    const int32_t w = img.width;
    switch (img.bitsPerPixel) {
    case 1:
        for (int32_t x = 0; x < w; ++x) out[x] = PaletteAt(img, (p[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int32_t x = 0; x < w; ++x) out[x] = PaletteAt(img, (p[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
        break;
    case 8:
        for (int32_t x = 0; x < w; ++x) out[x] = PaletteAt(img, p[x]);
        break;
    case 24:
        for (int32_t x = 0; x < w; ++x, p += 3) out[x] = p[0] | (p[1] << 8) | (p[2] << 16);
        break;
    case 16:
    case 32: {
        const Channel r(img.redMask), g(img.greenMask), b(img.blueMask);
        const bool plain32 = img.bitsPerPixel == 32 && img.redMask == 0xFF0000 && img.greenMask == 0xFF00 &&
                             img.blueMask == 0xFF;
        for (int32_t x = 0; x < w; ++x) {
            if (plain32) {
                out[x] = Get32(p + 4 * x) & 0xFFFFFF;
                continue;
            }
            const uint32_t v = img.bitsPerPixel == 16 ? Get16(p + 2 * x) : Get32(p + 4 * x);
            out[x] = b.Extract(v) | (g.Extract(v) << 8) | (r.Extract(v) << 16);
        }
        break;
    }
    default:
        std::fill(out, out + w, 0u);
    }
}

// Run-length data decoded into 32-bit pixels (the screen-compatible form of a
// true-colour display). Pixels the data skips keep the colour of entry 0.
void DecodeRle(Image& img, const uint8_t* data, size_t size, bool rle4) {
    const uint32_t background = PaletteAt(img, 0);
    const int32_t w = img.width, h = img.height;
    const size_t stride = img.Stride();
    auto put = [&](int32_t x, int32_t y, unsigned index) {
        const uint32_t c = PaletteAt(img, index);
        uint8_t* q = img.pixels.data() + static_cast<size_t>(y) * stride + 4 * static_cast<size_t>(x);
        q[0] = static_cast<uint8_t>(c), q[1] = static_cast<uint8_t>(c >> 8), q[2] = static_cast<uint8_t>(c >> 16);
        q[3] = 0;
    };
    if (background) {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) put(x, y, 0);
    }
    int32_t x = 0, y = 0;  // y counts rows from the bottom
    size_t i = 0;
    while (i + 2 <= size) {
        const unsigned count = data[i], value = data[i + 1];
        i += 2;
        if (count) {
            if (y >= h || static_cast<int64_t>(x) + count > w) Invalid();
            for (unsigned k = 0; k < count; ++k)
                put(x++, y, rle4 ? ((k & 1) ? (value & 15) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            if (++y > h) Invalid();
        } else if (value == 1) {  // end of bitmap
            return;
        } else if (value == 2) {  // delta
            if (i + 2 > size) Invalid();
            x += data[i], y += data[i + 1];
            i += 2;
            if (x > w || y > h) Invalid();
        } else {  // absolute run of `value` pixels
            const size_t bytes = rle4 ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (i + bytes > size) Invalid();
            if (y >= h || static_cast<int64_t>(x) + value > w) Invalid();
            for (unsigned k = 0; k < value; ++k) {
                const uint8_t b = data[i + (rle4 ? k / 2 : k)];
                put(x++, y, rle4 ? ((k & 1) ? (b & 15) : (b >> 4)) : b);
            }
            i += std::min(padded, size - i);
        }
    }
    if (i != size) Invalid();  // a command cut in the middle
}

}  // namespace

Image Blank(int32_t width, int32_t height, uint16_t bitsPerPixel) {
    Image img;
    if (width <= 0 || height <= 0) return img;
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPixels) throw Error(kTooLargeText);
    img.width = width;
    img.height = height;
    img.bitsPerPixel = bitsPerPixel;
    SetImpliedMasks(img);
    img.pixels.assign(img.Stride() * static_cast<size_t>(height), 0);
    return img;
}

namespace {

// The file and info headers, read and checked.
struct Header {
    uint32_t offBits = 0, headerSize = 0;
    int64_t width = 0, height = 0;
    unsigned bpp = 0;
    uint32_t compression = kBiRgb, colorsUsed = 0, sizeImage = 0;
    size_t entrySize = 4;
    bool os2 = false, topDown = false;
};

// Checks everything up to the colour table; a sound header of a picture
// beyond the pixel ceiling raises kTooLargeText.
Header ReadHeader(const uint8_t* data, size_t size) {
    Header hd;
    if (size < kFileHeaderSize + kOs2HeaderSize || data[0] != 'B' || data[1] != 'M') Invalid();
    hd.offBits = Get32(data + 10);
    hd.headerSize = Get32(data + 14);
    const uint8_t* h = data + kFileHeaderSize;
    unsigned planes = 0;
    if (hd.headerSize == kOs2HeaderSize) {
        hd.width = Get16(h + 4);
        hd.height = Get16(h + 6);
        planes = Get16(h + 8);
        hd.bpp = Get16(h + 10);
        hd.entrySize = 3;
        hd.os2 = true;
    } else if (hd.headerSize >= kInfoHeaderSize && hd.headerSize <= size - kFileHeaderSize) {
        hd.width = static_cast<int32_t>(Get32(h + 4));
        hd.height = static_cast<int32_t>(Get32(h + 8));
        planes = Get16(h + 12);
        hd.bpp = Get16(h + 14);
        hd.compression = Get32(h + 16);
        hd.sizeImage = Get32(h + 20);
        hd.colorsUsed = Get32(h + 32);
    } else {
        Invalid();
    }
    const unsigned bpp = hd.bpp;
    if (planes != 1) Invalid();
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Invalid();
    const bool rle = hd.compression == kBiRle8 || hd.compression == kBiRle4;
    if (hd.compression == kBiRle8 && bpp != 8) Invalid();
    if (hd.compression == kBiRle4 && bpp != 4) Invalid();
    if (hd.compression == kBiBitfields && bpp != 16 && bpp != 32) Invalid();
    if (hd.compression > kBiBitfields) Invalid();
    hd.topDown = hd.height < 0;
    if (hd.topDown && rle) Invalid();
    if (hd.topDown) hd.height = -hd.height;
    if (hd.width <= 0 || hd.height <= 0) Invalid();
    if (static_cast<uint64_t>(hd.width) * static_cast<uint64_t>(hd.height) > kMaxPixels) throw Error(kTooLargeText);
    return hd;
}

}  // namespace

void RefuseOversizedFile(const uint8_t* data, size_t size) {
    ReadHeader(data, size);
    Invalid();
}

namespace {

// Everything Decode reads before the pixel data: the headers, masks and
// colour table from the first `size` bytes of a file of `fileSize` bytes, and
// where the pixel data lies. A check that needs bytes beyond `size` fails as
// it would on a file of only `size` bytes.
struct Head {
    Image img;  // no pixels yet
    uint32_t offBits = 0, compression = kBiRgb, sizeImage = 0;
    bool topDown = false;
};

Head DecodeHead(const uint8_t* data, size_t size, uint64_t fileSize) {
    Head head;
    Image& img = head.img;
    const Header hd = ReadHeader(data, size);
    const uint32_t offBits = hd.offBits, headerSize = hd.headerSize, compression = hd.compression;
    const uint32_t colorsUsed = hd.colorsUsed;
    const unsigned bpp = hd.bpp;
    const uint8_t* h = data + kFileHeaderSize;
    img.os2Header = hd.os2;

    size_t pos = kFileHeaderSize + headerSize;  // within `size` (checked above)
    img.width = static_cast<int32_t>(hd.width);
    img.height = static_cast<int32_t>(hd.height);
    img.bitsPerPixel = static_cast<uint16_t>(bpp);
    SetImpliedMasks(img);
    if (compression == kBiBitfields) {
        img.bitfields = true;
        const uint8_t* m;
        if (headerSize >= kInfoHeaderSize + 12) {
            m = h + kInfoHeaderSize;  // the masks are part of a longer header
        } else {
            if (size - pos < 12) Invalid();
            m = data + pos;
            pos += 12;
        }
        img.redMask = Get32(m), img.greenMask = Get32(m + 4), img.blueMask = Get32(m + 8);
        if (!MaskOk(img.redMask, bpp) || !MaskOk(img.greenMask, bpp) || !MaskOk(img.blueMask, bpp)) Invalid();
    }

    if (bpp <= 8) {
        const uint32_t maxEntries = 1u << bpp;
        uint64_t entries = colorsUsed ? colorsUsed : maxEntries;
        if (entries > maxEntries) Invalid();  // palette too large
        // An OS/2 file may hold a shorter table: the pixel offset bounds it.
        if (img.os2Header && offBits > pos && offBits <= fileSize)
            entries = std::min<uint64_t>(entries, (offBits - pos) / hd.entrySize);
        if (entries * hd.entrySize > size - pos) Invalid();
        img.palette.resize(static_cast<size_t>(entries));
        for (size_t k = 0; k < img.palette.size(); ++k, pos += hd.entrySize)
            img.palette[k] = data[pos] | (data[pos + 1] << 8) | (data[pos + 2] << 16);
    }

    if (offBits < kFileHeaderSize + headerSize || offBits > fileSize) Invalid();
    head.offBits = offBits;
    head.compression = compression;
    head.sizeImage = hd.sizeImage;
    head.topDown = hd.topDown;
    return head;
}

}  // namespace

Image Decode(const uint8_t* data, size_t size) {
    if (size == 0) return Image();
    Head head = DecodeHead(data, size, size);
    Image& img = head.img;
    const uint8_t* bits = data + head.offBits;
    const size_t available = size - head.offBits;
    const uint64_t pixelCount = static_cast<uint64_t>(img.width) * static_cast<uint64_t>(img.height);

    if (head.compression == kBiRle8 || head.compression == kBiRle4) {
        size_t rleSize = available;
        if (head.sizeImage) {
            if (head.sizeImage > available) Invalid();
            rleSize = head.sizeImage;
        }
        if (pixelCount > kRleBasePixels + kRlePixelsPerByte * static_cast<uint64_t>(rleSize)) Invalid();
        img.bitsPerPixel = 32;
        img.bitfields = false;
        SetImpliedMasks(img);
        img.pixels.assign(img.Stride() * static_cast<size_t>(img.height), 0);
        DecodeRle(img, bits, rleSize, head.compression == kBiRle4);
        img.palette.clear();
        img.sourceBytes.assign(data, data + size);
        return std::move(img);
    }

    const size_t stride = img.Stride();
    const uint64_t needed = static_cast<uint64_t>(stride) * static_cast<uint64_t>(img.height);
    if (needed > available) Invalid();  // truncated pixel rows
    if (!head.topDown) {
        img.pixels.assign(bits, bits + static_cast<size_t>(needed));  // no zero fill first
    } else {
        img.pixels.resize(static_cast<size_t>(needed));
        for (int32_t y = 0; y < img.height; ++y)
            std::memcpy(img.pixels.data() + static_cast<size_t>(img.height - 1 - y) * stride, bits + y * stride,
                        stride);
    }
    return std::move(img);
}

bool PlainHeaders(const uint8_t* data, size_t size, uint64_t fileSize, PlainPicture& out) {
    if (fileSize == 0 || size == 0) return false;
    Head head = DecodeHead(data, size, fileSize);
    if (head.compression == kBiRle8 || head.compression == kBiRle4) return false;
    const uint64_t needed = static_cast<uint64_t>(head.img.Stride()) * static_cast<uint64_t>(head.img.height);
    if (needed > fileSize - head.offBits) Invalid();  // truncated pixel rows
    out.shape = std::move(head.img);
    out.rowsOffset = head.offBits;
    out.topDown = head.topDown;
    return true;
}

std::vector<uint8_t> Encode(const Image& img) {
    if (img.Empty()) return {};
    if (!img.sourceBytes.empty()) return img.sourceBytes;
    std::vector<uint8_t> out = EncodeHeaders(img);
    const size_t imageSize = img.Stride() * static_cast<size_t>(img.height);
    out.reserve(out.size() + imageSize);
    out.insert(out.end(), img.pixels.begin(), img.pixels.begin() + static_cast<ptrdiff_t>(imageSize));
    return out;
}

std::vector<uint8_t> EncodeHeaders(const Image& img) {
    if (img.pixels.size() < img.Stride() * static_cast<uint64_t>(std::max(img.height, 0))) throw Error(kInvalidText);
    return EncodeHeadersOf(img);
}

std::vector<uint8_t> EncodeHeadersOf(const Image& img) {
    std::vector<uint8_t> out;
    if (img.Empty() || !img.sourceBytes.empty()) return out;
    const unsigned bpp = img.bitsPerPixel;
    const bool indexed = bpp <= 8;
    const bool os2 = img.os2Header && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24);
    const bool bitfields = img.bitfields && (bpp == 16 || bpp == 32);
    const size_t maxEntries = indexed ? (size_t{1} << bpp) : 0;
    const size_t entries = os2 ? maxEntries : std::min(img.palette.size(), maxEntries);
    const size_t headerSize = os2 ? kOs2HeaderSize : kInfoHeaderSize;
    const size_t tableSize = indexed ? entries * (os2 ? 3 : 4) : (bitfields ? 12 : 0);
    const size_t offBits = kFileHeaderSize + headerSize + tableSize;
    const uint64_t imageSize = static_cast<uint64_t>(img.Stride()) * static_cast<uint64_t>(img.height);
    const uint64_t fileSize = offBits + imageSize;
    if (fileSize > 0xFFFFFFFFu) throw Error(kInvalidText);
    out.reserve(offBits);

    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(fileSize));
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(offBits));
    if (os2) {
        Put32(out, kOs2HeaderSize);
        Put16(out, static_cast<uint32_t>(img.width));
        Put16(out, static_cast<uint32_t>(img.height));
        Put16(out, 1);
        Put16(out, bpp);
    } else {
        Put32(out, kInfoHeaderSize);
        Put32(out, static_cast<uint32_t>(img.width));
        Put32(out, static_cast<uint32_t>(img.height));
        Put16(out, 1);
        Put16(out, bpp);
        Put32(out, bitfields ? kBiBitfields : kBiRgb);
        Put32(out, static_cast<uint32_t>(imageSize));
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, static_cast<uint32_t>(entries));
        Put32(out, 0);
    }
    if (indexed) {
        for (size_t k = 0; k < entries; ++k) {
            const uint32_t c = k < img.palette.size() ? img.palette[k] : 0;
            out.push_back(static_cast<uint8_t>(c));
            out.push_back(static_cast<uint8_t>(c >> 8));
            out.push_back(static_cast<uint8_t>(c >> 16));
            if (!os2) out.push_back(0);
        }
    } else if (bitfields) {
        Put32(out, img.redMask);
        Put32(out, img.greenMask);
        Put32(out, img.blueMask);
    }
    return out;
}

bool HasFormat(const Image& img, Format format) {
    switch (format) {
    case Format::Bgrx32:
        return img.bitsPerPixel == 32 && !img.bitfields;
    case Format::Bgr24:
        return img.bitsPerPixel == 24;
    case Format::Rgb565:
        return img.bitsPerPixel == 16 && img.bitfields && img.redMask == 0xF800 && img.greenMask == 0x07E0 &&
               img.blueMask == 0x001F;
    }
    return false;
}

Image Shape(const Image& img, Format format) {
    Image out;
    if (img.Empty()) return out;
    out.width = img.width;
    out.height = img.height;
    out.bitsPerPixel = format == Format::Bgrx32 ? 32 : format == Format::Bgr24 ? 24 : 16;
    out.os2Header = img.os2Header;
    SetImpliedMasks(out);
    if (format == Format::Rgb565) {
        out.bitfields = true;
        out.redMask = 0xF800, out.greenMask = 0x07E0, out.blueMask = 0x001F;
    }
    return out;
}

void ConvertRows(const Image& img, Format format, int32_t y0, int32_t y1, uint8_t* out) {
    if (img.Empty() || y1 <= y0) return;
    std::vector<uint32_t> row(static_cast<size_t>(img.width));
    const size_t stride = Image::StrideFor(img.width, format == Format::Bgrx32 ? 32 : format == Format::Bgr24 ? 24 : 16);
    for (int32_t y = y0; y < y1; ++y) {
        RowToRgb(img, y, row.data());
        uint8_t* q = out + static_cast<size_t>(y - y0) * stride;
        std::memset(q + stride - 4, 0, 4);  // the row's padding, if any
        switch (format) {
        case Format::Bgrx32:
            std::memcpy(q, row.data(), row.size() * 4);  // 0x00RRGGBB little-endian is B, G, R, 0
            break;
        case Format::Bgr24:
            for (uint32_t c : row) {
                *q++ = static_cast<uint8_t>(c);
                *q++ = static_cast<uint8_t>(c >> 8);
                *q++ = static_cast<uint8_t>(c >> 16);
            }
            break;
        case Format::Rgb565:
            for (uint32_t c : row) {
                const uint32_t v = ((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F);
                *q++ = static_cast<uint8_t>(v);
                *q++ = static_cast<uint8_t>(v >> 8);
            }
            break;
        }
    }
}

Image Convert(const Image& img, Format format) {
    Image out = Shape(img, format);
    if (out.Empty()) return out;
    out.pixels.resize(out.Stride() * static_cast<size_t>(out.height));
    ConvertRows(img, format, 0, img.height, out.pixels.data());
    return out;
}

void RowRgb(const Image& img, int32_t y, uint32_t* out) {
    if (img.Empty() || y < 0 || y >= img.height) return;
    RowToRgb(img, img.height - 1 - y, out);
}

uint32_t PixelRgb(const Image& img, int32_t x, int32_t y) {
    if (img.Empty() || x < 0 || y < 0 || x >= img.width || y >= img.height) return 0;
    std::vector<uint32_t> row(static_cast<size_t>(img.width));
    RowToRgb(img, img.height - 1 - y, row.data());
    return row[static_cast<size_t>(x)];
}

}  // namespace hq::bmp
