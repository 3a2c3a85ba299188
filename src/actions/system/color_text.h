// Text forms of a 32-bit Windows colour value (red in the low byte, then
// green, then blue). Portable (no <windows.h>).
#pragma once
#include <cstdint>
#include <string>

namespace hq {

// "r,g,b": unsigned decimal components, red first, no blanks.
std::string RgbText(uint32_t color);

}  // namespace hq
