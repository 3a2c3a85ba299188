// The mask picture of fzSetWindowMask: a BMP file read into 32-bit pixel rows
// (blue, green, red, unused), top row first.
//
// This is a small reader of the uncompressed BMP forms a mask is drawn in. It
// sits behind this one interface so that it can give way to the plug-in's
// general BMP module without touching the action.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "actions/window/mask_runs.h"

namespace hq {

struct MaskImage {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> bits;  // width * 4 bytes per row, top row first

    MaskView View() const { return {bits.data(), width, height, static_cast<ptrdiff_t>(width) * 4, 4}; }
};

// Decodes BMP file bytes: "BM", a 12-byte OS/2 or 40-byte (or longer) Windows
// info header, one plane, 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed
// (bit-field masks for 16 and 32 bits). Zero bytes give an empty picture.
// Anything else raises "Bitmap image is not valid". Portable.
MaskImage DecodeMaskBmp(const uint8_t* data, size_t size);

// Reads and decodes the file at `path` (8-bit, as the parameter holds it).
// A file that cannot be opened raises `Cannot open file "<full path>". <reason>`.
MaskImage ReadMaskImage(const std::string& path);

}  // namespace hq
