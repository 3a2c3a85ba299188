// JPEG file bytes from a picture, through libjpeg-turbo: 3-component colour
// (YCbCr in the file), top row first, default settings, baseline quantisation
// tables for the stored quality, sequential, not grey-scale.
#pragma once
#include <cstdint>
#include <vector>

#include "image/bmp_image.h"

namespace hq {

// The quality the encoder uses for a stored quality byte: 0 acts as 1, 101-255 as 100.
inline int JpegQuality(uint8_t stored) { return stored < 1 ? 1 : stored > 100 ? 100 : stored; }

// An empty picture gives no bytes. An encoder failure never ends the process:
// it raises "JPEG error #<the encoder's message number>".
std::vector<uint8_t> EncodeJpeg(const bmp::Image& image, uint8_t quality);
// The same from 32-bit rows (blue, green, red, unused) stored bottom-up, `stride` bytes apart.
std::vector<uint8_t> EncodeJpeg32(const uint8_t* pixels, int width, int height, size_t stride, uint8_t quality);

}  // namespace hq
