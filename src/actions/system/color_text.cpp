#include "color_text.h"

namespace hq {

std::string RgbText(uint32_t color) {
    // blue = c >> 16, green = (c - blue * 65536) / 256, red = the rest; for a
    // colour whose top byte is 0 these are exactly its three bytes.
    const uint32_t blue = color >> 16;
    const uint32_t green = (color - blue * 65536u) / 256u;
    const uint32_t red = color - blue * 65536u - green * 256u;
    return std::to_string(red) + "," + std::to_string(green) + "," + std::to_string(blue);
}

}  // namespace hq
