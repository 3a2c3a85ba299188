#include "color_text.h"

#include <cstdio>

namespace hq {

namespace {

struct Components {
    uint32_t red, green, blue;
};

// blue = c >> 16, green = (c - blue * 65536) / 256, red = the rest; for a
// colour whose top byte is 0 these are exactly its three bytes.
Components Split(uint32_t color) {
    const uint32_t blue = color >> 16;
    const uint32_t green = (color - blue * 65536u) / 256u;
    const uint32_t red = color - blue * 65536u - green * 256u;
    return {red, green, blue};
}

std::string HexTriple(const char* prefix, uint32_t color) {
    const Components c = Split(color);
    char buf[32];
    // Components of a colour with a zero top byte are below 256: two digits each.
    std::snprintf(buf, sizeof buf, "%s%02X%02X%02X", prefix, static_cast<unsigned>(c.red),
                  static_cast<unsigned>(c.green), static_cast<unsigned>(c.blue));
    return buf;
}

struct NamedColor {
    uint32_t value;  // 0x00BBGGRR
    const char* name;
};

// The named colours of the class library a chosen colour can match.
constexpr NamedColor kNamedColors[] = {
    {0x000000, "clBlack"},   {0x000080, "clMaroon"},    {0x008000, "clGreen"},   {0x008080, "clOlive"},
    {0x800000, "clNavy"},    {0x800080, "clPurple"},    {0x808000, "clTeal"},    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},  {0x0000FF, "clRed"},       {0x00FF00, "clLime"},    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},    {0xFF00FF, "clFuchsia"},   {0xFFFF00, "clAqua"},    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},  {0xA4A0A0, "clMedGray"},
};

}  // namespace

std::string RgbText(uint32_t color) {
    const Components c = Split(color);
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

std::string HtmlText(uint32_t color) { return HexTriple("#", color); }

std::string FlashText(uint32_t color) { return HexTriple("0x", color); }

std::string TColorText(uint32_t color) {
    for (const NamedColor& n : kNamedColors)
        if (n.value == color) return n.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(color));
    return buf;
}

}  // namespace hq
