// The plug-in's own pictures at the display's scale. Each picture is drawn at
// its design size (100 %) and again at 150 % and 200 % (resources NAME_150 and
// NAME_200); a form asks for its size in design pixels and its DPI and gets
// the drawn picture of that size, or the nearest larger one shrunk to it.
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/handles.h"

namespace hq::ui {

// The header of a 32-bit top-down DIB (rows top first, 0x00RRGGBB pixels),
// and a DIB section of that kind with its pixels; null when it cannot be made.
BITMAPINFO TopDownDib32(int width, int height);
UniqueBitmap NewTopDownDib32(int width, int height, void** pixels);

// Whether magenta (#FF00FF) marks the transparent pixels of a picture.
enum class PictureKey { None, Magenta };

// The picture `name` (an RT_BITMAP, or else PNG data under RCDATA) for a form
// at `dpi`. At 96 exactly what the resource holds. Otherwise the target size is
// MulDiv(design, dpi, 96) per axis, drawn from NAME_150 up to 144 dpi and from
// NAME_200 above it (from `name` itself where the variant is missing), returned
// as loaded where its size is the target's, else stretched to it with
// halftoning. A magenta-keyed picture that is stretched has its key pixels
// replaced by the face colour first, so no pink blends into its edges; the
// result then has no key pixels. Null when the resource is missing or does
// not decode.
UniqueBitmap LoadPicture(const wchar_t* name, int designWidth, int designHeight, int dpi, PictureKey key);

// PNG data as a 32-bit top-down DIB section, translucent pixels blended onto
// the face colour; null when it does not decode.
UniqueBitmap DecodePng(const void* bytes, size_t size);

// The PNG stored under RCDATA `name`, decoded as DecodePng does; null when the
// resource is missing or does not decode.
UniqueBitmap LoadPngResource(const wchar_t* name);

}  // namespace hq::ui
