// TGradient as a control on a form: when it rebuilds its pattern (and when it
// must not), reverse, system colours, the gsCustom fallback and handler, and
// what one paint puts on a surface.
#include <gtest/gtest.h>

#include <stdexcept>

#include "form/gradient.h"
#include "base/handles.h"
#include "form/form.h"

namespace {

using hq::GradientStyle;
using hq::TGradient;
namespace ui = hq::ui;

class GradientControl : public ::testing::Test {
protected:
    ui::Form form{"test", 300, 200};
    TGradient& Make(ui::Rect r = {0, 0, 159, 18}) {
        return form.Add<TGradient>("Gradient" + std::to_string(++n_), r);
    }
    // Paints `g` (placed at the origin) into a 32-bit surface and returns its pixels.
    std::vector<uint32_t> PaintOf(TGradient& g) {
        const ui::Rect b = g.Bounds();
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), b.width, -b.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        hq::UniqueBitmap surface(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        hq::UniqueMemDc dc(::CreateCompatibleDC(nullptr));
        hq::SelectScope sel(dc.get(), surface.get());
        g.Paint(dc.get());
        ::GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        std::vector<uint32_t> out(p, p + static_cast<size_t>(b.width) * b.height);
        for (uint32_t& v : out) v &= 0xFFFFFF;
        return out;
    }
    int n_ = 0;
};

TEST_F(GradientControl, ConstructionRebuildsOnceAndLoadingDefersToLoaded) {
    TGradient& plain = Make();
    EXPECT_EQ(plain.Rebuilds(), 1);
    EXPECT_EQ(plain.Style(), GradientStyle::RadialC);
    EXPECT_EQ(plain.Pattern().Width(), 362);
    TGradient& loading = form.Add<TGradient>("Loading", ui::Rect{0, 0, 10, 10}, true);
    loading.SetStyle(GradientStyle::LinearV);
    loading.SetColorBegin(ui::clBlack);
    loading.SetShift(10);
    EXPECT_EQ(loading.Rebuilds(), 0);
    loading.Loaded();
    EXPECT_EQ(loading.Rebuilds(), 1);
    EXPECT_EQ(loading.Pattern().Height(), 256);
}

TEST_F(GradientControl, UpdatesNestAndTheLastEndUpdateRebuildsOnce) {
    TGradient& g = Make();
    g.BeginUpdate();
    g.BeginUpdate();
    g.SetStyle(GradientStyle::Diamond);
    g.SetColorEnd(ui::clWhite);
    g.EndUpdate();
    EXPECT_EQ(g.Rebuilds(), 1);
    g.EndUpdate();
    EXPECT_EQ(g.Rebuilds(), 2);
    g.BeginUpdate();
    g.EndUpdate();
    EXPECT_EQ(g.Rebuilds(), 2) << "nothing was requested";
}

TEST_F(GradientControl, SettersRebuildOnlyOnChangeAndBorderNever) {
    TGradient& g = Make();
    g.SetStyle(GradientStyle::RadialC);
    g.SetShift(0);
    EXPECT_EQ(g.Rebuilds(), 1);
    g.SetBorderWidth(2);
    g.SetBorderColor(ui::RgbColor(255, 0, 0));
    EXPECT_EQ(g.Rebuilds(), 1);
    g.SetShift(120);
    EXPECT_EQ(g.Shift(), 100);
    g.SetShift(100);
    g.SetRotation(-150);
    EXPECT_EQ(g.Rotation(), -100);
    EXPECT_EQ(g.Rebuilds(), 3);
}

TEST_F(GradientControl, ReverseIsTheSwapOfTheTwoColours) {
    TGradient& a = Make();
    TGradient& b = Make();
    for (TGradient* g : {&a, &b}) {
        g->SetStyle(GradientStyle::ArrowR);
        g->SetShift(30);
        g->SetRotation(20);
    }
    a.SetColorBegin(ui::RgbColor(10, 200, 30));
    a.SetColorEnd(ui::RgbColor(250, 5, 90));
    a.SetReverse(true);
    b.SetColorBegin(ui::RgbColor(250, 5, 90));
    b.SetColorEnd(ui::RgbColor(10, 200, 30));
    for (int y = 0; y < a.Pattern().Height(); ++y)
        for (int x = 0; x < a.Pattern().Width(); ++x) ASSERT_EQ(a.Pattern().Pixel(x, y), b.Pattern().Pixel(x, y));
}

TEST_F(GradientControl, SystemColoursResolveAndFollowSettingsChanges) {
    TGradient& g = Make();
    g.SetColorBegin(ui::clBtnFace);
    g.SetColorEnd(ui::clBtnFace);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(g.Pattern().Pixel(5, 5), static_cast<uint32_t>(RGB(GetBValue(face), GetGValue(face), GetRValue(face))));
    const int before = g.Rebuilds();
    g.SetUseSysColors(true);
    EXPECT_EQ(g.Rebuilds(), before + 1) << "LoadSystemColors rebuilds once";
    EXPECT_TRUE(g.UseSysColors());
    EXPECT_EQ(g.ColorBegin(), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(g.ColorEnd(), ::GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    // A settings change reloads the caption colours; unchanged colours need no rebuild.
    ::SendMessageW(form.Handle(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(g.Rebuilds(), before + 1);
    EXPECT_TRUE(g.UseSysColors());
    EXPECT_EQ(g.ColorBegin(), ::GetSysColor(COLOR_ACTIVECAPTION));
    // A colour set by the program ends the following.
    g.SetColorBegin(ui::clBlack);
    EXPECT_FALSE(g.UseSysColors());
    ::SendMessageW(form.Handle(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(g.ColorBegin(), ui::clBlack);
    EXPECT_EQ(g.Rebuilds(), before + 2);
}

TEST_F(GradientControl, CustomStyleFallsBackToAChecker) {
    TGradient& g = Make();
    g.SetColorBegin(ui::RgbColor(255, 0, 0));
    g.SetColorEnd(ui::RgbColor(0, 0, 255));
    g.SetShift(50);  // not applied to the checker
    g.SetStyle(GradientStyle::Custom);
    ASSERT_EQ(g.Pattern().Width(), 2);
    EXPECT_EQ(g.Pattern().Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(g.Pattern().Pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(g.Pattern().Pixel(1, 0), 0x0000FFu);
    EXPECT_EQ(g.Pattern().Pixel(0, 1), 0x0000FFu);
}

TEST_F(GradientControl, CustomHandlerRendersWhilePaintingIsOff) {
    TGradient& g = Make();
    bool drawingSeen = false;
    g.SetOnCustom([&](TGradient& sender, const hq::GradientColors& colors, hq::GradientPattern& pattern) {
        drawingSeen = sender.Drawing();
        pattern.SetSize(3, 1);
        for (int x = 0; x < 3; ++x) pattern.Pixels()[x] = colors.entry[x * 100];
    });
    g.SetStyle(GradientStyle::Custom);
    EXPECT_TRUE(drawingSeen);
    EXPECT_FALSE(g.Drawing());
    EXPECT_EQ(g.Pattern().Width(), 3);
    g.SetOnCustom([](TGradient&, const hq::GradientColors&, hq::GradientPattern&) {
        throw std::runtime_error("handler failed");
    });
    EXPECT_THROW(g.RebuildPattern(), std::runtime_error);
    EXPECT_FALSE(g.Drawing()) << "the drawing flag is cleared when rendering fails";
}

TEST_F(GradientControl, PaintStretchesThePatternNearestNeighbour) {
    TGradient& g = Make({0, 0, 159, 18});
    g.SetStyle(GradientStyle::LinearH);
    g.SetColorBegin(ui::clBlack);
    g.SetColorEnd(ui::clWhite);
    const std::vector<uint32_t> px = PaintOf(g);
    EXPECT_LE(px[0], 0x020202u) << "the first columns sample the start of the ramp";
    EXPECT_GE(px[158] & 0xFF, 253u);
    for (int y = 1; y < 18; ++y)
        for (int x = 0; x < 159; ++x) ASSERT_EQ(px[static_cast<size_t>(y) * 159 + x], px[static_cast<size_t>(x)]);
    for (int x = 1; x < 159; ++x) {
        const uint32_t v = px[static_cast<size_t>(x)];
        ASSERT_EQ(v, (v & 0xFF) * 0x010101u) << "a grey from the table, not a blend";
        ASSERT_GT(v & 0xFF, px[static_cast<size_t>(x - 1)] & 0xFF);
    }
}

TEST_F(GradientControl, BorderIsDrawnInsideAndThePatternFillsTheRest) {
    TGradient& g = Make({0, 0, 40, 30});
    g.SetStyle(GradientStyle::LinearV);
    g.SetColorBegin(ui::clWhite);
    g.SetColorEnd(ui::clWhite);
    g.SetBorderColor(ui::RgbColor(255, 0, 0));
    g.SetBorderWidth(2);
    const std::vector<uint32_t> px = PaintOf(g);
    auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * 40 + x]; };
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {39, 29}, {38, 15}, {20, 0}, {0, 28}}) EXPECT_EQ(at(x, y), 0xFF0000u);
    for (auto [x, y] : {std::pair{2, 2}, {37, 27}, {20, 15}}) EXPECT_EQ(at(x, y), 0xFFFFFFu);
}

}  // namespace
