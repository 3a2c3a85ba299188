// The straightforward way to build a window region from a mask picture, kept
// as the reference the plug-in's builder is measured and checked against:
// every pixel read with GetPixel, every run combined into the region on its own.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace hqref {

// The region of the BMP file at `path` (white outside); null when the file does not load.
inline HRGN ReferenceMaskRegion(const std::string& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return nullptr;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < info.bmHeight; ++y) {
        int x = 0;
        while (x < info.bmWidth) {
            while (x < info.bmWidth && ::GetPixel(dc, x, y) == RGB(255, 255, 255)) ++x;
            if (x == info.bmWidth) break;
            const int start = x;
            while (x < info.bmWidth && ::GetPixel(dc, x, y) != RGB(255, 255, 255)) ++x;
            HRGN run = ::CreateRectRgn(start, y, x, y + 1);
            ::CombineRgn(region, region, run, RGN_OR);
            ::DeleteObject(run);
        }
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
    return region;
}

// The bytes GetRegionData gives for a region (header and rectangles).
inline std::vector<char> RegionBytes(HRGN region) {
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<char> bytes(size);
    if (size) ::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(bytes.data()));
    return bytes;
}

}  // namespace hqref
