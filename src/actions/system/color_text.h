// Text forms of a 32-bit Windows colour value (red in the low byte, then
// green, then blue). Portable (no <windows.h>).
#pragma once
#include <cstdint>
#include <string>

namespace hq {

// "r,g,b": unsigned decimal components, red first, no blanks.
std::string RgbText(uint32_t color);

// "#RRGGBB": two upper-case hexadecimal digits per component, red first.
std::string HtmlText(uint32_t color);

// "0xRRGGBB": as HtmlText with the "0x" prefix.
std::string FlashText(uint32_t color);

// The class library's name of the colour ("clRed", "clMoneyGreen", ...) when it
// is one of the named colours, otherwise "$" and the value as eight upper-case
// hexadecimal digits in the value's own byte order ("$00563412").
std::string TColorText(uint32_t color);

}  // namespace hq
