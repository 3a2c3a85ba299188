// The four colour text forms against reference parsers. A colour value (red
// in the low byte) written in each form reads back as that value, the RGB
// form also through integer text as the publication reads it back; a text
// that a reference parser accepts is the form of its value byte for byte.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "actions/system/color_text.h"
#include "fuzz_check.h"
#include "base/int_text.h"

namespace hqfuzz {

struct NamedColour {
    const char* name;
    uint8_t red, green, blue;
};

// The named colours a chosen colour can match, with their red, green, blue.
inline constexpr NamedColour kColourNames[] = {
    {"clBlack", 0, 0, 0},           {"clMaroon", 128, 0, 0},        {"clGreen", 0, 128, 0},
    {"clOlive", 128, 128, 0},       {"clNavy", 0, 0, 128},          {"clPurple", 128, 0, 128},
    {"clTeal", 0, 128, 128},        {"clGray", 128, 128, 128},      {"clSilver", 192, 192, 192},
    {"clRed", 255, 0, 0},           {"clLime", 0, 255, 0},          {"clYellow", 255, 255, 0},
    {"clBlue", 0, 0, 255},          {"clFuchsia", 255, 0, 255},     {"clAqua", 0, 255, 255},
    {"clWhite", 255, 255, 255},     {"clMoneyGreen", 192, 220, 192}, {"clSkyBlue", 166, 202, 240},
    {"clCream", 255, 251, 240},     {"clMedGray", 160, 160, 164},
};

inline uint32_t ColourOf(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }

// Upper-case hexadecimal digits only, exactly `digits` of them.
inline std::optional<uint32_t> UpperHex(std::string_view s, size_t digits) {
    if (s.size() != digits) return std::nullopt;
    uint32_t v = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            v = v * 16 + static_cast<uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            v = v * 16 + static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
    }
    return v;
}

// "r,g,b": three decimal numbers 0-255 without leading zeros or blanks.
inline std::optional<uint32_t> ParseRgb(std::string_view s) {
    uint32_t parts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? s.find(',') : s.size();
        if (end == std::string_view::npos || end == 0 || end > 3) return std::nullopt;
        const std::string_view digits = s.substr(0, end);
        if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
        uint32_t v = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            v = v * 10 + static_cast<uint32_t>(c - '0');
        }
        if (v > 255) return std::nullopt;
        parts[i] = v;
        s.remove_prefix(i < 2 ? end + 1 : end);
    }
    return ColourOf(parts[0], parts[1], parts[2]);
}

// "#RRGGBB" / "0xRRGGBB": red first.
inline std::optional<uint32_t> ParseHexTriple(std::string_view s, std::string_view prefix) {
    if (s.substr(0, prefix.size()) != prefix) return std::nullopt;
    const std::optional<uint32_t> v = UpperHex(s.substr(prefix.size()), 6);
    if (!v) return std::nullopt;
    return ColourOf(*v >> 16, (*v >> 8) & 255, *v & 255);
}

// A colour name, or "$" and eight digits in the value's own byte order.
inline std::optional<uint32_t> ParseTColor(std::string_view s) {
    for (const NamedColour& n : kColourNames)
        if (s == n.name) return ColourOf(n.red, n.green, n.blue);
    if (s.substr(0, 1) != "$") return std::nullopt;
    return UpperHex(s.substr(1), 8);
}

inline std::optional<uint32_t> NamedValue(uint32_t colour) {
    for (const NamedColour& n : kColourNames)
        if (ColourOf(n.red, n.green, n.blue) == colour) return colour;
    return std::nullopt;
}

// A colour the chooser or the system gives (top byte 0) in every form.
inline void CheckColourForms(uint32_t colour) {
    colour &= 0xFFFFFF;
    const std::string rgb = hq::RgbText(colour);
    FUZZ_CHECK(ParseRgb(rgb) == colour);
    FUZZ_CHECK(ParseHexTriple(hq::HtmlText(colour), "#") == colour);
    FUZZ_CHECK(ParseHexTriple(hq::FlashText(colour), "0x") == colour);
    const std::string tcolor = hq::TColorText(colour);
    FUZZ_CHECK(ParseTColor(tcolor) == colour);
    FUZZ_CHECK((tcolor[0] != '$') == NamedValue(colour).has_value());
    // Read back as the publication does: split at the commas, integer text.
    const size_t a = rgb.find(','), b = rgb.find(',', a + 1);
    FUZZ_CHECK(b != std::string::npos);
    const uint32_t back = ColourOf(static_cast<uint32_t>(hq::StrToInt(rgb.substr(0, a))),
                                   static_cast<uint32_t>(hq::StrToInt(rgb.substr(a + 1, b - a - 1))),
                                   static_cast<uint32_t>(hq::StrToInt(rgb.substr(b + 1))));
    FUZZ_CHECK(back == colour);
}

// A text in one of the forms is that form of its value.
inline void CheckColourText(std::string_view text) {
    if (const auto v = ParseRgb(text)) FUZZ_CHECK(hq::RgbText(*v) == text);
    if (const auto v = ParseHexTriple(text, "#")) FUZZ_CHECK(hq::HtmlText(*v) == text);
    if (const auto v = ParseHexTriple(text, "0x")) FUZZ_CHECK(hq::FlashText(*v) == text);
    if (const auto v = ParseTColor(text)) {
        // The "$" form of a named colour is written as its name instead.
        const std::string written = hq::TColorText(*v);
        FUZZ_CHECK(written == text || (text[0] == '$' && NamedValue(*v) && ParseTColor(written) == *v));
    }
}

// Byte 0 even: a colour value follows (the next four bytes); odd: a text.
inline void CheckColour(const uint8_t* data, size_t size) {
    if (size < 1) return;
    if (data[0] & 1) {
        CheckColourText(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
        return;
    }
    uint32_t v = 0;
    for (size_t i = 1; i < size && i <= 4; ++i) v |= uint32_t{data[i]} << (8 * (i - 1));
    CheckColourForms(v);
    // Any 32-bit value writes without fault; only the TCOLOR form is defined for it.
    (void)hq::RgbText(v), (void)hq::HtmlText(v), (void)hq::FlashText(v);
    FUZZ_CHECK(ParseTColor(hq::TColorText(v)) == v);
}

}  // namespace hqfuzz
