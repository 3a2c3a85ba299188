// The BMP round trip: any bytes either read as a picture or raise the one
// error; a picture that reads is converted to every depth the colour-depth
// action offers, and each picture written is read back with every field it
// was written with (size, depth, header kind, compression, masks, palette,
// pixel bytes). Header-only so that the native fuzz target and the Windows
// replay run the same checks; the 8- and 4-bit conversions are passed in
// (a portable quantiser natively, the system's palette matching on Windows).
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/bmp_image.h"
#include "fuzz_check.h"
#include "base/error.h"

namespace hqfuzz {

namespace bmp = hq::bmp;

// Converts a picture to 8 or 4 bits per pixel with a palette.
using PaletteConvert = std::function<bmp::Image(const bmp::Image&, int bitsPerPixel)>;

inline bmp::Image DecodeOwn(const std::vector<uint8_t>& bytes) {
    try {
        return bmp::Decode(bytes);
    } catch (const hq::Error&) {
        FUZZ_CHECK(!"a file the writer made does not read back");
    }
    return {};
}

// The picture as it must come back from its own file.
inline void CheckReadBack(const bmp::Image& written) {
    const std::vector<uint8_t> bytes = bmp::Encode(written);
    if (!written.sourceBytes.empty()) {
        FUZZ_CHECK(bytes == written.sourceBytes);
        return;
    }
    const bmp::Image back = DecodeOwn(bytes);
    const unsigned bpp = written.bitsPerPixel;
    FUZZ_CHECK(back.width == written.width && back.height == written.height);
    FUZZ_CHECK(back.bitsPerPixel == bpp);
    FUZZ_CHECK(back.sourceBytes.empty());
    const bool os2 = written.os2Header && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24);
    FUZZ_CHECK(back.os2Header == os2);
    FUZZ_CHECK(bytes.size() >= 18 && bytes[14] == (os2 ? 12 : 40));
    FUZZ_CHECK(back.bitfields == (written.bitfields && (bpp == 16 || bpp == 32)));
    FUZZ_CHECK(back.redMask == written.redMask && back.greenMask == written.greenMask &&
               back.blueMask == written.blueMask);
    if (bpp <= 8) {
        // An OS/2 table always has 2^bpp entries; missing ones are black.
        std::vector<uint32_t> palette = written.palette;
        if (palette.size() > (size_t{1} << bpp)) palette.resize(size_t{1} << bpp);
        if (os2) palette.resize(size_t{1} << bpp, 0);
        FUZZ_CHECK(back.palette == palette);
    } else {
        FUZZ_CHECK(back.palette.empty());
    }
    FUZZ_CHECK(back.pixels.size() == written.Stride() * static_cast<size_t>(written.height));
    FUZZ_CHECK(std::equal(back.pixels.begin(), back.pixels.end(), written.pixels.begin()));
    // The file is exactly headers + rows, and the header says so.
    FUZZ_CHECK(bytes.size() == bmp::EncodeHeaders(written).size() + back.pixels.size());
    const uint32_t fileSize = bytes[2] | (bytes[3] << 8) | (bytes[4] << 16) | (uint32_t{bytes[5]} << 24);
    FUZZ_CHECK(fileSize == bytes.size());
}

// The 0x00RRGGBB colours of a 32-bit BI_RGB picture, bottom row first.
inline std::vector<uint32_t> Colours(const bmp::Image& bgrx) {
    std::vector<uint32_t> out(static_cast<size_t>(bgrx.width) * static_cast<size_t>(bgrx.height));
    const size_t stride = bgrx.Stride();
    for (size_t y = 0, i = 0; y < static_cast<size_t>(bgrx.height); ++y)
        for (size_t x = 0; x < static_cast<size_t>(bgrx.width); ++x, ++i) {
            const uint8_t* p = bgrx.pixels.data() + y * stride + 4 * x;
            out[i] = p[0] | (p[1] << 8) | (p[2] << 16);
        }
    return out;
}

// Each depth of the colour-depth action: converted unless the picture
// already has that format, as the action does, then written and read back.
inline void CheckDepths(const bmp::Image& image, const PaletteConvert& toPalette) {
    const bmp::Image b32 = bmp::HasFormat(image, bmp::Format::Bgrx32) ? image : bmp::Convert(image, bmp::Format::Bgrx32);
    const bmp::Image b24 = bmp::HasFormat(image, bmp::Format::Bgr24) ? image : bmp::Convert(image, bmp::Format::Bgr24);
    const bmp::Image b16 = bmp::HasFormat(image, bmp::Format::Rgb565) ? image : bmp::Convert(image, bmp::Format::Rgb565);
    FUZZ_CHECK(bmp::HasFormat(b32, bmp::Format::Bgrx32));
    FUZZ_CHECK(bmp::HasFormat(b24, bmp::Format::Bgr24));
    FUZZ_CHECK(bmp::HasFormat(b16, bmp::Format::Rgb565));
    for (const bmp::Image* converted : {&b32, &b24, &b16}) {
        FUZZ_CHECK(converted->width == image.width && converted->height == image.height);
        FUZZ_CHECK(converted->os2Header == image.os2Header);
        CheckReadBack(*converted);
    }

    // The three true-colour forms hold the same colours (16 bits their top
    // 5-6-5 bits), whether converted or kept.
    const std::vector<uint32_t> colours = Colours(bmp::Convert(image, bmp::Format::Bgrx32));
    FUZZ_CHECK(Colours(bmp::Convert(b32, bmp::Format::Bgrx32)) == colours);
    FUZZ_CHECK(Colours(bmp::Convert(b24, bmp::Format::Bgrx32)) == colours);
    const size_t stride16 = b16.Stride();
    for (size_t y = 0, i = 0; y < static_cast<size_t>(image.height); ++y)
        for (size_t x = 0; x < static_cast<size_t>(image.width); ++x, ++i) {
            const uint8_t* p = b16.pixels.data() + y * stride16 + 2 * x;
            const uint32_t c = colours[i];
            const uint32_t want = ((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F);
            FUZZ_CHECK(static_cast<uint32_t>(p[0] | (p[1] << 8)) == want);
        }

    for (int bits : {8, 4}) {
        const bmp::Image indexed = image.bitsPerPixel == bits ? image : toPalette(image, bits);
        FUZZ_CHECK(indexed.bitsPerPixel == bits);
        FUZZ_CHECK(indexed.width == image.width && indexed.height == image.height);
        FUZZ_CHECK(indexed.os2Header == image.os2Header);
        if (image.bitsPerPixel != bits) FUZZ_CHECK(indexed.palette.size() == (size_t{1} << bits));
        CheckReadBack(indexed);
    }
}

inline constexpr uint64_t kDepthCheckPixels = 16384;

// The direct reader (headers from the file's first bytes, rows straight from
// the file) agrees with Decode: it refuses what Decode refuses, or leaves a
// run-length file to it; otherwise it gives the same shape, and the rows it
// names are Decode's. With only the first bytes it may refuse (the reader then
// decodes the whole file), but what it accepts is still Decode's picture.
inline void CheckPlainHeaders(const uint8_t* data, size_t size, const bmp::Image* decoded, const std::string& refusal) {
    for (const size_t head : {size, std::min<size_t>(size, 64)}) {
        bmp::PlainPicture plain;
        bool accepted = false;
        try {
            accepted = bmp::PlainHeaders(data, head, size, plain);
        } catch (const hq::Error& e) {
            FUZZ_CHECK(head < size || (!decoded && refusal == e.what()));
            continue;
        }
        if (!decoded) {
            FUZZ_CHECK(!accepted);  // a run-length file Decode refused: left to Decode
            continue;
        }
        FUZZ_CHECK(accepted == (decoded->sourceBytes.empty() && !decoded->Empty()));
        if (!accepted) continue;
        const bmp::Image& s = plain.shape;
        FUZZ_CHECK(s.width == decoded->width && s.height == decoded->height && s.bitsPerPixel == decoded->bitsPerPixel);
        FUZZ_CHECK(s.bitfields == decoded->bitfields && s.redMask == decoded->redMask &&
                   s.greenMask == decoded->greenMask && s.blueMask == decoded->blueMask);
        FUZZ_CHECK(s.palette == decoded->palette && s.os2Header == decoded->os2Header && s.pixels.empty());
        const size_t stride = s.Stride();
        FUZZ_CHECK(plain.rowsOffset + stride * static_cast<uint64_t>(s.height) <= size);
        for (int32_t y = 0; y < s.height; ++y) {
            const int32_t fileRow = plain.topDown ? s.height - 1 - y : y;
            FUZZ_CHECK(std::equal(decoded->pixels.begin() + static_cast<ptrdiff_t>(stride * y),
                                  decoded->pixels.begin() + static_cast<ptrdiff_t>(stride * (y + 1)),
                                  data + plain.rowsOffset + stride * static_cast<size_t>(fileRow)));
        }
    }
}

// The whole check for one input.
inline void CheckBmp(const uint8_t* data, size_t size, const PaletteConvert& toPalette) {
    bmp::Image image;
    try {
        image = bmp::Decode(data, size);
    } catch (const hq::Error& e) {
        // Malformed files are invalid; sound headers of pictures beyond the
        // pixel ceiling are refused as too large.
        const std::string text = e.what();
        FUZZ_CHECK(text == bmp::kInvalidText || text == bmp::kTooLargeText);
        CheckPlainHeaders(data, size, nullptr, text);
        return;
    }
    CheckPlainHeaders(data, size, &image, "");
    if (image.Empty()) {
        FUZZ_CHECK(size == 0);
        FUZZ_CHECK(bmp::Encode(image).empty());
        return;
    }
    FUZZ_CHECK(image.pixels.size() == image.Stride() * static_cast<size_t>(image.height));
    if (!image.palette.empty()) FUZZ_CHECK(image.bitsPerPixel <= 8 && image.palette.size() <= (size_t{1} << image.bitsPerPixel));
    // An unchanged run-length picture comes back byte for byte.
    if (!image.sourceBytes.empty()) {
        const std::vector<uint8_t> bytes = bmp::Encode(image);
        FUZZ_CHECK(bytes.size() == size && std::equal(bytes.begin(), bytes.end(), data));
    }
    image.MarkChanged();
    CheckReadBack(image);
    // Large pictures (a few bytes of run-length data can describe 65536
    // pixels) take the same row code as small ones; converting them to every
    // depth only slows the fuzzer down.
    if (static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height) <= kDepthCheckPixels)
        CheckDepths(image, toPalette);
    (void)bmp::PixelRgb(image, image.width - 1, 0);
    (void)bmp::PixelRgb(image, 0, image.height - 1);
}

// Portable stand-ins for the system's palette matching: a 6x6x6 colour cube
// with a grey ramp for 8 bits, the nearest of the 16 standard colours for 4.
inline bmp::Image QuantisePortable(const bmp::Image& image, int bitsPerPixel) {
    static const uint32_t kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                             0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    bmp::Image out = bmp::Blank(image.width, image.height, static_cast<uint16_t>(bitsPerPixel));
    out.os2Header = image.os2Header;
    if (bitsPerPixel == 8) {
        for (uint32_t r = 0; r < 6; ++r)
            for (uint32_t g = 0; g < 6; ++g)
                for (uint32_t b = 0; b < 6; ++b) out.palette.push_back((r * 51) << 16 | (g * 51) << 8 | (b * 51));
        for (uint32_t k = 0; out.palette.size() < 256; ++k) out.palette.push_back(0x010101u * (k * 255 / 39));
    } else {
        out.palette.assign(kStandard16, kStandard16 + 16);
    }
    if (out.Empty()) return out;
    const std::vector<uint32_t> colours = Colours(bmp::Convert(image, bmp::Format::Bgrx32));
    const size_t stride = out.Stride();
    for (size_t y = 0, i = 0; y < static_cast<size_t>(image.height); ++y) {
        uint8_t* row = out.pixels.data() + y * stride;
        for (size_t x = 0; x < static_cast<size_t>(image.width); ++x, ++i) {
            const uint32_t c = colours[i];
            const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
            if (bitsPerPixel == 8) {
                row[x] = static_cast<uint8_t>((r * 5 + 127) / 255 * 36 + (g * 5 + 127) / 255 * 6 + (b * 5 + 127) / 255);
                continue;
            }
            int best = 0, bestDistance = 1 << 30;
            for (int k = 0; k < 16; ++k) {
                const int dr = r - static_cast<int>(kStandard16[k] >> 16), dg = g - static_cast<int>((kStandard16[k] >> 8) & 255),
                          db = b - static_cast<int>(kStandard16[k] & 255);
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDistance) bestDistance = d, best = k;
            }
            row[x / 2] |= static_cast<uint8_t>((x & 1) ? best : best << 4);
        }
    }
    return out;
}

}  // namespace hqfuzz
