// The Windows side of the image actions: pictures in GDI bitmaps and back.
#pragma once
#include <windows.h>

#include "image/bmp_image.h"
#include "base/handles.h"

namespace hq {

// A device-dependent bitmap compatible with `reference` (the screen when
// null) of the given size, filled with white when `white`. Width or height of
// 0 or less gives no bitmap (an empty picture). Raises the system's text, or
// "Out of system resources", when the system cannot provide it.
UniqueBitmap CreateCaptureBitmap(HDC reference, int width, int height, bool white);

// The pixels of a device-dependent bitmap at its own depth (planes x bits per
// pixel), BI_RGB, with the colour table for 8 bits or fewer. No bitmap gives
// an empty picture.
bmp::Image ImageFromBitmap(HBITMAP bitmap);

// A 32-bit DIB section holding the picture's pixels (converted when needed),
// bottom-up as in the file.
struct Dib32 {
    UniqueBitmap bitmap;
    uint8_t* bits = nullptr;
    int width = 0, height = 0;
};
Dib32 MakeDib32(const bmp::Image& image);
// A 32-bit DIB section of the given size with zeroed pixels (none for an empty size).
Dib32 CreateDib32(int width, int height);
// The DIB section's pixels as a 32-bit BI_RGB picture.
bmp::Image ImageFromDib32(const Dib32& dib);

// The picture at 8 or 4 bits per pixel with the given palette: the system
// matches each pixel to a palette entry while it copies (BitBlt with the
// palette selected and realised). The OS/2 flag carries over.
bmp::Image ConvertToPalette(const bmp::Image& image, int bitsPerPixel, HPALETTE palette);

}  // namespace hq
