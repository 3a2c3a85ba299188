#include "color_dialog_layout.h"

#include <algorithm>

#include "base/int_text.h"

namespace hq {

namespace {

// AnimateWindow flag values.
constexpr uint32_t kHorPositive = 0x1, kHorNegative = 0x2, kVerPositive = 0x4, kVerNegative = 0x8;
constexpr uint32_t kCenter = 0x10, kActivate = 0x20000, kSlide = 0x40000, kBlend = 0x80000;

struct Animation {
    std::string_view name;
    uint32_t flags;
};

constexpr Animation kAnimations[] = {
    {"Slide Left", kSlide | kActivate | kHorNegative},
    {"Slide Right", kSlide | kActivate | kHorPositive},
    {"Slide Up", kSlide | kActivate | kVerNegative},
    {"Slide Down", kSlide | kActivate | kVerPositive},
    {"Slide Left-Up", kSlide | kActivate | kHorNegative | kVerNegative},
    {"Slide Right-Up", kSlide | kActivate | kHorPositive | kVerNegative},
    {"Slide Left-Down", kSlide | kActivate | kHorNegative | kVerPositive},
    {"Slide Right-Down", kSlide | kActivate | kHorPositive | kVerPositive},
    {"Center", kSlide | kActivate | kCenter},
    {"Fade", kBlend | kActivate | kCenter},
};

// One axis: centred in [from, to) when empty, the converted text otherwise.
std::optional<int32_t> Axis(std::string_view text, int32_t from, int32_t to, int32_t window) {
    if (text.empty()) return CentredIn(from, to, window);
    return TryStrToInt(text);
}

}  // namespace

std::optional<Point> ChooserPosition(std::string_view xText, std::string_view yText, const ScreenArea& work,
                                     int32_t winW, int32_t winH) {
    const std::optional<int32_t> x = Axis(xText, work.left, work.right, winW);
    const std::optional<int32_t> y = Axis(yText, work.top, work.bottom, winH);
    if (!x || !y) return std::nullopt;
    return Point{*x, *y};
}

std::optional<uint32_t> AnimationFlags(std::string_view name) {
    for (const Animation& a : kAnimations)
        if (a.name == name) return a.flags;
    return std::nullopt;
}

std::optional<uint32_t> AnimationDuration(std::string_view text) {
    const std::optional<int32_t> ms = TryStrToInt(text.empty() ? std::string_view("1") : text);
    if (!ms || *ms < 0) return std::nullopt;
    // AnimateWindow returns only when the animation ends, and the chooser (with
    // the host) waits for it: a longer time is cut to the cap.
    return std::min(static_cast<uint32_t>(*ms), kMaxAnimationMs);
}

ChooserStyle ChooserStyleOf(std::string_view text) {
    if (text == "2") return ChooserStyle::ToolWindow;
    if (text == "3") return ChooserStyle::NoCaption;
    return ChooserStyle::Unchanged;
}

}  // namespace hq
