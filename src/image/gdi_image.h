// The Windows side of the image actions: pictures in GDI bitmaps and back.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

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
// Writes ImageFromBitmap(bitmap) as a BMP file (WriteBmpFile), reading a
// 16-, 24- or 32-bit bitmap a band of rows at a time, so that its pixels are
// not held a second time beside the bitmap. The bitmap must not be selected
// into a DC.
void WriteBitmapFile(const std::string& path, HBITMAP bitmap);

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
// palette selected and realised). The OS/2 flag carries over. It works a band
// of rows at a time, through two DIB sections of one band each, so that the
// picture never exists whole at 32 bits.
class PaletteMapper {
public:
    // Creates the band bitmaps for a picture of `image`'s size; raises the
    // system's text when it cannot. `palette` must outlive the mapper.
    PaletteMapper(const bmp::Image& image, int bitsPerPixel, HPALETTE palette);
    // The new picture without its pixels: size, depth, colour table, OS/2 flag.
    const bmp::Image& Shape() const { return shape_; }
    // The most rows one call to Rows takes: BandRows of the new picture.
    int32_t BandHeight() const { return bandRows_; }
    // Stored rows y0 .. y1-1 (bottom-up) of `source` (the picture, or a band
    // of its rows as a picture of its own), mapped, into `out`,
    // Shape().Stride() bytes apart.
    void Rows(const bmp::Image& source, int32_t y0, int32_t y1, uint8_t* out);

private:
    HPALETTE palette_;
    bmp::Image shape_;
    int32_t bandRows_ = 0;
    Dib32 source_;
    UniqueBitmap target_;
    uint8_t* targetBits_ = nullptr;
    // Declared last: they let go of the bitmaps before these are deleted.
    std::optional<MemoryDc> sourceDc_, targetDc_;
};
// The whole picture converted so, for callers that need it in memory.
bmp::Image ConvertToPalette(const bmp::Image& image, int bitsPerPixel, HPALETTE palette);

}  // namespace hq
