// fzChangeColorBmp: re-encodes a BMP file in place at 32, 24, 16, 8 or 4 bits
// per pixel. The file is replaced only when the new one is complete.
#include <windows.h>

#include <cstring>

#include "actions/actions.h"
#include "image/gdi_image.h"
#include "image/image_file.h"
#include "base/error.h"
#include "base/file_name.h"
#include "base/handles.h"

namespace hq {

namespace {

// The 16-colour standard palette, in its fixed order.
UniquePalette StandardPalette16() {
    static const uint8_t kColours[16][3] = {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128},   {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0},  {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    struct {
        WORD version = 0x300;
        WORD count = 16;
        PALETTEENTRY entries[16];
    } log{};
    log.version = 0x300;
    log.count = 16;
    for (int i = 0; i < 16; ++i) log.entries[i] = PALETTEENTRY{kColours[i][0], kColours[i][1], kColours[i][2], 0};
    UniquePalette palette(::CreatePalette(reinterpret_cast<LOGPALETTE*>(&log)));
    if (!palette) FailWithLastError();
    return palette;
}

UniquePalette HalftonePalette() {
    WindowDc screen(nullptr);
    UniquePalette palette(::CreateHalftonePalette(screen.get()));
    if (!palette) FailWithLastError();
    return palette;
}

}  // namespace

bool fzChangeColorBmp(const Params& p) {
    // Works on its own copies of both texts, taken before anything else.
    const std::string path = p[0];
    const std::string depth = p[1];
    if (!IsFileWithExtension(path, ".bmp")) return false;

    // An uncompressed picture is read a band of rows at a time while its new
    // form is written, so neither exists whole in memory; a run-length one is
    // read whole first. Every check of the file is made before anything is
    // written.
    BmpRowReader reader(path);
    bmp::Image whole;
    if (!reader.Plain()) whole = reader.TakeWhole();
    const bmp::Image& shape = reader.Plain() ? reader.Shape() : whole;
    // Stored rows y0 .. y1-1 of the picture read, as a picture of their own
    // or (read whole) the picture itself with the rows' indices.
    auto withRows = [&](int32_t y0, int32_t y1, auto&& use) {
        if (reader.Plain()) use(reader.Rows(y0, y1), 0, y1 - y0);
        else use(whole, y0, y1);
    };
    auto copy = [&] {  // the picture at its own depth
        if (!reader.Plain()) {
            WriteBmpFile(path, whole);
            return;
        }
        WriteBmpFileRows(path, shape, [&](int32_t y0, int32_t y1, uint8_t* out) {
            const bmp::Image& band = reader.Rows(y0, y1);
            std::memcpy(out, band.pixels.data(), band.pixels.size());
        });
    };
    auto convert = [&](bmp::Format format) {
        if (bmp::HasFormat(shape, format)) {
            // A run-length picture is held at 32 bits once read, but its file is
            // not: the depth asked for is written out, not the runs.
            whole.MarkChanged();
            copy();
            return;
        }
        WriteBmpFileRows(path, bmp::Shape(shape, format), [&](int32_t y0, int32_t y1, uint8_t* out) {
            withRows(y0, y1, [&](const bmp::Image& rows, int32_t r0, int32_t r1) {
                bmp::ConvertRows(rows, format, r0, r1, out);
            });
        });
    };
    auto index = [&](int bits, HPALETTE palette) {
        if (shape.bitsPerPixel == bits) {
            copy();
            return;
        }
        PaletteMapper mapper(shape, bits, palette);
        WriteBmpFileRows(path, mapper.Shape(), [&](int32_t y0, int32_t y1, uint8_t* out) {
            withRows(y0, y1, [&](const bmp::Image& rows, int32_t r0, int32_t r1) { mapper.Rows(rows, r0, r1, out); });
        });
    };
    if (depth == "32") {
        convert(bmp::Format::Bgrx32);
    } else if (depth == "24") {
        convert(bmp::Format::Bgr24);
    } else if (depth == "16") {
        convert(bmp::Format::Rgb565);
    } else if (depth == "8") {
        index(8, HalftonePalette().get());
    } else if (depth == "4") {
        index(4, StandardPalette16().get());
    } else {
        copy();
    }
    return false;
}

}  // namespace hq
