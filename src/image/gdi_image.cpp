#include "image/gdi_image.h"

#include <algorithm>
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

void WriteBitmapFile(const std::string& path, HBITMAP bitmap) {
    BITMAP bm{};
    if (bitmap && ::GetObjectW(bitmap, sizeof bm, &bm)) {
        const int bits = bm.bmBitsPixel * bm.bmPlanes;
        if (bits == 16 || bits == 24 || bits == 32) {
            bmp::Image shape;  // BI_RGB at the bitmap's own depth, no colour table
            shape.width = bm.bmWidth;
            shape.height = bm.bmHeight;
            shape.bitsPerPixel = static_cast<uint16_t>(bits);
            WindowDc screen(nullptr);
            if (!screen) FailWithLastError();
            WriteBmpFileRows(path, shape, [&](int32_t y0, int32_t y1, uint8_t* out) {
                DibInfo info = MakeInfo(bm.bmWidth, bm.bmHeight, bits);
                ::SetLastError(0);
                if (::GetDIBits(screen.get(), bitmap, static_cast<UINT>(y0), static_cast<UINT>(y1 - y0), out,
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != y1 - y0)
                    FailWithLastError();
            });
            return;
        }
    }
    WriteBmpFile(path, ImageFromBitmap(bitmap));  // a palette's depth, or no bitmap
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

PaletteMapper::PaletteMapper(const bmp::Image& image, int bitsPerPixel, HPALETTE palette) : palette_(palette) {
    shape_.width = image.width;
    shape_.height = image.height;
    shape_.bitsPerPixel = static_cast<uint16_t>(bitsPerPixel);
    shape_.os2Header = image.os2Header;
    PALETTEENTRY entries[256]{};
    const UINT count = ::GetPaletteEntries(palette, 0, 1u << bitsPerPixel, entries);
    if (count == 0) FailWithLastError();
    for (UINT k = 0; k < count; ++k)
        shape_.palette.push_back(entries[k].peBlue | (entries[k].peGreen << 8) | (entries[k].peRed << 16));
    if (shape_.Empty()) return;

    // Both bands are bottom-up DIB sections of `bandRows_` rows: a band's n
    // rows fill the first n rows of their memory, which are its bottom rows.
    bandRows_ = BandRows(shape_.Stride(), shape_.height);
    source_ = CreateDib32(image.width, bandRows_);
    DibInfo info = MakeInfo(image.width, bandRows_, bitsPerPixel);
    info.header.biClrUsed = count;
    for (UINT k = 0; k < count; ++k)
        info.colors[k] = RGBQUAD{entries[k].peBlue, entries[k].peGreen, entries[k].peRed, 0};
    void* bits = nullptr;
    ::SetLastError(0);
    target_.reset(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!target_ || !bits) FailWithLastError();
    targetBits_ = static_cast<uint8_t*>(bits);
    sourceDc_.emplace(nullptr, source_.bitmap.get());
    targetDc_.emplace(nullptr, target_.get());
    if (!*sourceDc_ || !*targetDc_) FailWithLastError();
}

void PaletteMapper::Rows(const bmp::Image& source, int32_t y0, int32_t y1, uint8_t* out) {
    const int32_t n = y1 - y0;
    if (shape_.Empty() || n <= 0) return;
    if (n > bandRows_ || source.width != shape_.width) Fail("Out of system resources");  // never asked for
    bmp::ConvertRows(source, bmp::Format::Bgrx32, y0, y1, source_.bits);
    ::GdiFlush();
    {
        PaletteScope selectPalette(targetDc_->get(), palette_);
        ::RealizePalette(targetDc_->get());
        ::SetLastError(0);
        if (!::BitBlt(targetDc_->get(), 0, bandRows_ - n, shape_.width, n, sourceDc_->get(), 0, bandRows_ - n, SRCCOPY))
            FailWithLastError();
    }
    ::GdiFlush();
    std::memcpy(out, targetBits_, shape_.Stride() * static_cast<size_t>(n));
}

bmp::Image ConvertToPalette(const bmp::Image& image, int bitsPerPixel, HPALETTE palette) {
    PaletteMapper mapper(image, bitsPerPixel, palette);
    bmp::Image out = mapper.Shape();
    if (out.Empty()) return out;
    out.pixels.resize(out.Stride() * static_cast<size_t>(out.height));
    const int32_t band = mapper.BandHeight();
    for (int32_t y = 0; y < out.height; y += band)
        mapper.Rows(image, y, std::min(out.height, y + band), out.pixels.data() + out.Stride() * static_cast<size_t>(y));
    return out;
}

}  // namespace hq
