// The colour chooser's four text forms and what its hook makes of the layout
// texts: position, animation and style.
#include <gtest/gtest.h>

#include "actions/system/color_dialog_layout.h"
#include "actions/system/color_text.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

TEST(ColorForms, HexFormsAreTwoUpperCaseDigitsRedFirst) {
    EXPECT_EQ(hq::HtmlText(Rgb(255, 0, 0)), "#FF0000");
    EXPECT_EQ(hq::FlashText(Rgb(255, 0, 0)), "0xFF0000");
    EXPECT_EQ(hq::HtmlText(Rgb(18, 52, 86)), "#123456");
    EXPECT_EQ(hq::FlashText(Rgb(18, 52, 86)), "0x123456");
    EXPECT_EQ(hq::HtmlText(Rgb(0, 10, 171)), "#000AAB");
    EXPECT_EQ(hq::RgbText(Rgb(0, 10, 171)), "0,10,171");
}

TEST(ColorForms, TColorNamesTheNamedColoursAndHexForTheRest) {
    EXPECT_EQ(hq::TColorText(Rgb(255, 0, 0)), "clRed");
    EXPECT_EQ(hq::TColorText(Rgb(0, 0, 255)), "clBlue");
    EXPECT_EQ(hq::TColorText(Rgb(0, 0, 0)), "clBlack");
    EXPECT_EQ(hq::TColorText(Rgb(192, 220, 192)), "clMoneyGreen");
    EXPECT_EQ(hq::TColorText(Rgb(255, 251, 240)), "clCream");
    EXPECT_EQ(hq::TColorText(Rgb(18, 52, 86)), "$00563412");  // blue first
    EXPECT_EQ(hq::TColorText(Rgb(1, 0, 0)), "$00000001");
    EXPECT_EQ(hq::TColorText(Rgb(164, 160, 160)), "$00A0A0A4");  // clMedGray with red and blue swapped
}

TEST(ChooserLayout, PositionCentresEmptyAxesAndGivesUpOnBadText) {
    // Work area 1024 x 768, window 301 x 200.
    auto at = [](const char* x, const char* y) { return hq::ChooserPosition(x, y, {0, 0, 1024, 768}, 301, 200); };
    EXPECT_EQ(at("", ""), (hq::Point{361, 284}));
    EXPECT_EQ(at("100", ""), (hq::Point{100, 284}));
    EXPECT_EQ(at("", "$10"), (hq::Point{361, 16}));
    EXPECT_EQ(at(" -5", "7"), (hq::Point{-5, 7}));
    EXPECT_FALSE(at("abc", "").has_value());
    EXPECT_FALSE(at("", "1O").has_value());
    EXPECT_FALSE(at("10", " ").has_value());
    EXPECT_FALSE(at("10 ", "20").has_value());
    // Centred in the owner's monitor's work area, which may lie left of and
    // above the primary monitor; one too small keeps the corner inside it.
    EXPECT_EQ(hq::ChooserPosition("", "", {-1280, -24, 0, 1000}, 301, 201), (hq::Point{-791, 387}));
    EXPECT_EQ(hq::ChooserPosition("", "", {-100, 0, 0, 100}, 103, 100), (hq::Point{-100, 0}));
    EXPECT_EQ(hq::ChooserPosition("5", "", {-100, 0, 0, 100}, 103, 100), (hq::Point{5, 0}));
}

TEST(ChooserLayout, AnimationNamesAreExactAndCarryTheirFlags) {
    EXPECT_EQ(hq::AnimationFlags("Slide Left-Up"), 0x6000Au);
    EXPECT_EQ(hq::AnimationFlags("Center"), 0x60010u);
    EXPECT_EQ(hq::AnimationFlags("Fade"), 0xA0010u);
    for (const char* none : {"None", "fade", "Fade ", "", "Slide left", "Centre"})
        EXPECT_FALSE(hq::AnimationFlags(none).has_value()) << none;
}

TEST(ChooserLayout, DurationEmptyIsOneAndBadOrNegativeMeansNoAnimation) {
    EXPECT_EQ(hq::AnimationDuration(""), 1u);
    EXPECT_EQ(hq::AnimationDuration("250"), 250u);
    EXPECT_EQ(hq::AnimationDuration("$FF"), 255u);
    EXPECT_EQ(hq::AnimationDuration("0"), 0u);
    EXPECT_FALSE(hq::AnimationDuration("fast").has_value());
    EXPECT_FALSE(hq::AnimationDuration("1.5").has_value());
    EXPECT_FALSE(hq::AnimationDuration("-1").has_value());
    EXPECT_FALSE(hq::AnimationDuration("$FFFFFFFF").has_value());
}

TEST(ChooserLayout, StyleOnlyExactTwoAndThree) {
    EXPECT_EQ(hq::ChooserStyleOf("2"), hq::ChooserStyle::ToolWindow);
    EXPECT_EQ(hq::ChooserStyleOf("3"), hq::ChooserStyle::NoCaption);
    for (const char* other : {"1", "", " 2", "3 ", "NoBorder", "02"})
        EXPECT_EQ(hq::ChooserStyleOf(other), hq::ChooserStyle::Unchanged) << other;
}

}  // namespace
