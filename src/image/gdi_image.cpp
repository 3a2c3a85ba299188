#include "image/gdi_image.h"

#include <cstring>
#include <vector>

#include "image/image_file.h"
#include "base/error.h"

namespace hq {

namespace {

// BITMAPINFO with room for a full colour table.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

DibInfo MakeInfo(int width, int height, int bits) {
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // positive: bottom-up, as in the file
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    return info;
}

}  // namespace

UniqueBitmap CreateCaptureBitmap(HDC reference, int width, int height, bool white) {
    if (width <= 0 || height <= 0) return UniqueBitmap();
    // Beyond the pixel ceiling of the image module the picture could not be written.
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > bmp::kMaxPixels)
        Fail("Out of system resources");
    WindowDc screen;
    if (!reference) {
        screen = WindowDc(nullptr);
        if (!screen) FailWithLastError();
        reference = screen.get();
    }
    ::SetLastError(0);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(reference, width, height));
    if (!bitmap) FailWithLastError();
    if (white) {
        const MemoryDc dc(reference, bitmap.get());
        if (!dc) FailWithLastError();
        ::SetLastError(0);
        if (!::PatBlt(dc.get(), 0, 0, width, height, WHITENESS)) FailWithLastError();
    }
    return bitmap;
}

bmp::Image ImageFromBitmap(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof bm, &bm)) return bmp::Image();
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) bits = 32;
    bmp::Image image = bmp::Blank(bm.bmWidth, bm.bmHeight, static_cast<uint16_t>(bits));
    if (image.Empty()) return image;
    DibInfo info = MakeInfo(bm.bmWidth, bm.bmHeight, bits);
    WindowDc screen(nullptr);
    if (!screen) FailWithLastError();
    if (!::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), image.pixels.data(),
                     reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        FailWithLastError();
    if (bits <= 8) {
        const size_t entries = info.header.biClrUsed ? info.header.biClrUsed : (size_t{1} << bits);
        for (size_t k = 0; k < entries && k < 256; ++k) {
            const RGBQUAD& q = info.colors[k];
            image.palette.push_back(q.rgbBlue | (q.rgbGreen << 8) | (q.rgbRed << 16));
        }
    }
    return image;
}

Dib32 CreateDib32(int width, int height) {
    Dib32 dib;
    if (width <= 0 || height <= 0) return dib;
    DibInfo info = MakeInfo(width, height, 32);
    void* bits = nullptr;
    ::SetLastError(0);
    dib.bitmap.reset(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                        nullptr, 0));
    if (!dib.bitmap || !bits) FailWithLastError();
    dib.bits = static_cast<uint8_t*>(bits);
    dib.width = width;
    dib.height = height;
    return dib;
}

Dib32 MakeDib32(const bmp::Image& image) {
    Dib32 dib = CreateDib32(image.width, image.height);
    if (image.Empty()) return dib;
    if (bmp::HasFormat(image, bmp::Format::Bgrx32)) {
        std::memcpy(dib.bits, image.pixels.data(), image.pixels.size());
    } else {
        const bmp::Image converted = bmp::Convert(image, bmp::Format::Bgrx32);
        std::memcpy(dib.bits, converted.pixels.data(), converted.pixels.size());
    }
    ::GdiFlush();
    return dib;
}

bmp::Image ImageFromDib32(const Dib32& dib) {
    bmp::Image image = bmp::Blank(dib.width, dib.height, 32);
    if (image.Empty()) return image;
    ::GdiFlush();
    std::memcpy(image.pixels.data(), dib.bits, image.pixels.size());
    return image;
}

bmp::Image ConvertToPalette(const bmp::Image& image, int bitsPerPixel, HPALETTE palette) {
    bmp::Image out = bmp::Blank(image.width, image.height, static_cast<uint16_t>(bitsPerPixel));
    out.os2Header = image.os2Header;
    PALETTEENTRY entries[256]{};
    const UINT maxEntries = 1u << bitsPerPixel;
    UINT count = ::GetPaletteEntries(palette, 0, maxEntries, entries);
    if (count == 0) FailWithLastError();
    for (UINT k = 0; k < count; ++k)
        out.palette.push_back(entries[k].peBlue | (entries[k].peGreen << 8) | (entries[k].peRed << 16));
    if (out.Empty()) return out;

    const Dib32 source = MakeDib32(image);
    DibInfo info = MakeInfo(image.width, image.height, bitsPerPixel);
    info.header.biClrUsed = count;
    for (UINT k = 0; k < count; ++k)
        info.colors[k] = RGBQUAD{entries[k].peBlue, entries[k].peGreen, entries[k].peRed, 0};
    void* bits = nullptr;
    UniqueBitmap target(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                           nullptr, 0));
    if (!target || !bits) FailWithLastError();
    {
        const MemoryDc srcDc(nullptr, source.bitmap.get());
        const MemoryDc dstDc(nullptr, target.get());
        if (!srcDc || !dstDc) FailWithLastError();
        PaletteScope selectPalette(dstDc.get(), palette);
        ::RealizePalette(dstDc.get());
        ::BitBlt(dstDc.get(), 0, 0, image.width, image.height, srcDc.get(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    std::memcpy(out.pixels.data(), bits, out.pixels.size());
    return out;
}

}  // namespace hq
