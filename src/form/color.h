// Colour values as the dialogs declare them: a value with the top bit set
// names a system colour by the index in its low byte (resolved when used);
// any other value holds red in the low byte, then green, then blue.
#pragma once
#include <cstdint>

namespace hq::ui {

using Color = uint32_t;

constexpr Color SystemColor(int index) { return 0xFF000000u | static_cast<uint32_t>(index & 0xFF); }
constexpr bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }
// #RRGGBB as written in a design: red first.
constexpr Color HexColor(uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}
constexpr Color RgbColor(int r, int g, int b) {
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
           static_cast<uint32_t>(b & 0xFF) << 16;
}

// System colour indexes (the display-element numbers).
constexpr Color clScrollBar = SystemColor(0);
constexpr Color clActiveCaption = SystemColor(2);
constexpr Color clWindow = SystemColor(5);
constexpr Color clWindowText = SystemColor(8);
constexpr Color clActiveBorder = SystemColor(10);
constexpr Color clHighlight = SystemColor(13);
constexpr Color clBtnFace = SystemColor(15);
constexpr Color cl3DDkShadow = SystemColor(21);
constexpr Color clGradientActiveCaption = SystemColor(27);
constexpr Color clBlack = RgbColor(0, 0, 0);
constexpr Color clWhite = RgbColor(255, 255, 255);

// The plain RGB value (COLORREF layout) of a colour; system colours are looked up now.
uint32_t ResolveColor(Color c);

}  // namespace hq::ui
