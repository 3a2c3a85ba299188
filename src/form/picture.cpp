// Loading the plug-in's pictures at the display's scale: the drawn variant
// nearest above the target size, shrunk (or stretched) with halftoning.
#include "form/picture.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "base/dpi.h"
#include "base/host.h"

namespace hq::ui {

BITMAPINFO TopDownDib32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

UniqueBitmap NewTopDownDib32(int width, int height, void** pixels) {
    const BITMAPINFO bi = TopDownDib32(width, height);
    return UniqueBitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, pixels, nullptr, 0));
}

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;
constexpr uint32_t kMagenta = 0x00FF00FF;  // as a 32-bit DIB pixel (0x00RRGGBB)

// The resource as it is stored: a bitmap, else PNG data.
UniqueBitmap LoadStored(const wchar_t* name) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(PluginModule(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap) return bitmap;
    return LoadPngResource(name);
}

// `source` at width x height in a new DIB section. The source is first copied
// into a 32-bit DIB (its key pixels turned into the face colour where keyed),
// then stretched with halftoning, which averages neighbouring pixels.
UniqueBitmap Stretched(HBITMAP source, int width, int height, PictureKey key) {
    BITMAP info{};
    if (!::GetObjectW(source, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return {};
    const int sw = info.bmWidth;
    const int sh = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

    void* copyBits = nullptr;
    UniqueBitmap copy = NewTopDownDib32(sw, sh, &copyBits);
    if (!copy) return {};
    {
        const UniqueMemDc dc(::CreateCompatibleDC(nullptr));
        BITMAPINFO bi = TopDownDib32(sw, sh);
        if (!dc || ::GetDIBits(dc.get(), source, 0, sh, copyBits, &bi, DIB_RGB_COLORS) != sh) return {};
    }
    if (key == PictureKey::Magenta) {
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        const uint32_t facePixel = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
        auto* p = static_cast<uint32_t*>(copyBits);
        for (size_t i = 0, n = static_cast<size_t>(sw) * sh; i < n; ++i) {
            if ((p[i] & kRgbMask) == kMagenta) p[i] = facePixel;
        }
    }

    void* targetBits = nullptr;
    UniqueBitmap target = NewTopDownDib32(width, height, &targetBits);
    if (!target) return {};
    const MemoryDc from(nullptr, copy.get());
    const MemoryDc to(nullptr, target.get());
    if (!from || !to) return {};
    // HALFTONE wants the brush origin set after the mode.
    if (!::SetStretchBltMode(to.get(), HALFTONE) || !::SetBrushOrgEx(to.get(), 0, 0, nullptr)) return {};
    if (!::StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, sw, sh, SRCCOPY)) return {};
    ::GdiFlush();
    return target;
}

}  // namespace

UniqueBitmap LoadPicture(const wchar_t* name, int designWidth, int designHeight, int dpi, PictureKey key) {
    if (dpi == kDesignDpi || dpi <= 0) return LoadStored(name);
    const int width = ScaleToDpi(designWidth, dpi);
    const int height = ScaleToDpi(designHeight, dpi);
    if (width <= 0 || height <= 0) return {};

    UniqueBitmap picture;
    if (dpi > kDesignDpi && !IS_INTRESOURCE(name)) {
        const std::wstring variant = std::wstring(name) + (dpi <= 144 ? L"_150" : L"_200");
        picture = LoadStored(variant.c_str());
    }
    if (!picture) picture = LoadStored(name);
    if (!picture) return {};

    BITMAP info{};
    if (!::GetObjectW(picture.get(), sizeof info, &info)) return {};
    if (info.bmWidth == width && (info.bmHeight == height || info.bmHeight == -height)) return picture;
    return Stretched(picture.get(), width, height, key);
}

UniqueBitmap DecodePng(const void* bytes, size_t size) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) return {};
    const ScopeExit release([&image] { png_image_free(&image); });  // a no-op once a read has freed it
    image.format = PNG_FORMAT_BGRA;
    void* pixels = nullptr;
    UniqueBitmap bitmap = NewTopDownDib32(static_cast<int>(image.width), static_cast<int>(image.height), &pixels);
    if (!bitmap) return {};
    // Translucent pixels are blended onto the form's face colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (!png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) return {};
    auto* p = static_cast<uint8_t*>(pixels);
    for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i, p += 4) {
        const unsigned a = p[3];
        p[0] = static_cast<uint8_t>((p[0] * a + GetBValue(face) * (255 - a) + 127) / 255);
        p[1] = static_cast<uint8_t>((p[1] * a + GetGValue(face) * (255 - a) + 127) / 255);
        p[2] = static_cast<uint8_t>((p[2] * a + GetRValue(face) * (255 - a) + 127) / 255);
        p[3] = 0;
    }
    return bitmap;
}

UniqueBitmap LoadPngResource(const wchar_t* name) {
    HMODULE module = PluginModule();
    HRSRC info = ::FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!info) return {};
    HGLOBAL data = ::LoadResource(module, info);
    const void* bytes = data ? ::LockResource(data) : nullptr;
    if (!bytes) return {};
    return DecodePng(bytes, ::SizeofResource(module, info));
}

}  // namespace hq::ui
