// fzSetWatermark: stamps an overlay picture onto a main picture, with one
// opacity for all its pixels or with one colour of it transparent, and saves
// the result as BMP (32 bits) or JPEG.
#include <windows.h>

#include <algorithm>
#include <string>

#include "actions/actions.h"
#include "image/gdi_image.h"
#include "image/image_file.h"
#include "image/jpeg_writer.h"
#include "base/error.h"
#include "base/handles.h"
#include "base/host.h"
#include "base/int_text.h"

namespace hq {

namespace {

// The overlay at 32 bits per pixel in a DIB section, reserved bytes cleared
// (its own alpha is ignored, and a key colour compares RGB alone). The main
// picture keeps its fourth bytes wherever nothing is stamped.
Dib32 OverlayImage(const bmp::Image& picture) {
    Dib32 dib = MakeDib32(picture);
    if (dib.bits) {
        const size_t count = static_cast<size_t>(dib.width) * static_cast<size_t>(dib.height);
        for (size_t i = 0; i < count; ++i) dib.bits[4 * i + 3] = 0;
    }
    return dib;
}

// Lays the overlay onto the main image at (x, y), clipped to the main image,
// through `blit(dstDc, dx, dy, w, h, srcDc, sx, sy)`.
template <typename Blit>
void Stamp(const Dib32& main, const Dib32& overlay, int x, int y, Blit blit) {
    if (!main.bitmap || !overlay.bitmap) return;
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + overlay.width, main.width);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + overlay.height, main.height);
    if (left >= right || top >= bottom) return;
    const MemoryDc mainDc(nullptr, main.bitmap.get());
    const MemoryDc overlayDc(nullptr, overlay.bitmap.get());
    if (!mainDc || !overlayDc) FailWithLastError();
    blit(mainDc.get(), static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
         static_cast<int>(bottom - top), overlayDc.get(), static_cast<int>(left - x), static_cast<int>(top - y));
    ::GdiFlush();
}

}  // namespace

bool fzSetWatermark(const Params& p) {
    const bmp::Image mainPicture = ReadBmpFile(p[0]);
    const bmp::Image overlayPicture = ReadBmpFile(p[1]);
    Dib32 main = MakeDib32(mainPicture);
    const Dib32 overlay = OverlayImage(overlayPicture);

    const std::string mode = p[4], format = p[7];
    const bool toBmp = format == "Bmp", toJpg = format == "Jpg";
    const bool opacity = mode == "Tr", keyColour = mode == "TrColor";
    if (!(toBmp || toJpg) || !(opacity || keyColour)) return true;

    if (opacity) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(StrToInt(p[5]) & 0xFF), 0};
        const int y = StrToInt(p[3]);
        const int x = StrToInt(p[2]);
        Stamp(main, overlay, x, y, [&](HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy) {
            ::AlphaBlend(dst, dx, dy, w, h, src, sx, sy, w, h, blend);
        });
    } else {
        RequireHostCallbacks(kGetVariable | kSetVariable | kScriptProcessor);
        SetHostVariable("[fzRez]", p[6]);
        RunHostScript("StrParse \"[fzRez]\" \",\" \"[$]\" \"\"");
        // The colour components, as the host parsed them.
        const std::string parts[3] = {GetHostVariable("[$1]"), GetHostVariable("[$2]"), GetHostVariable("[$3]")};
        const int blue = StrToInt(parts[2].c_str()) & 0xFF;
        const int green = StrToInt(parts[1].c_str()) & 0xFF;
        const int red = StrToInt(parts[0].c_str()) & 0xFF;
        const int y = StrToInt(p[3]);
        const int x = StrToInt(p[2]);
        Stamp(main, overlay, x, y, [&](HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy) {
            ::TransparentBlt(dst, dx, dy, w, h, src, sx, sy, w, h, RGB(red, green, blue));
        });
    }

    bmp::Image result = ImageFromDib32(main);
    if (toBmp) {
        WriteBmpFile(p[9], result);
    } else {
        const auto quality = static_cast<uint8_t>(StrToInt(p[8]) & 0xFF);
        WriteFileAtomic(p[9], EncodeJpeg(result, quality));
    }
    return true;
}

}  // namespace hq
