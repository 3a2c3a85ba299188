// What the screen shows of a real dialog (TMBox12Form, client height 256):
// the painted info panel at a few of its coordinates, the section corner
// pixels, the gradients over them, its texts readable under a high-contrast
// scheme; and the About box's modality.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "base/handles.h"
#include "form/gradient_pattern.h"
#include "driver.h"
#include "editors/editor_form.h"
#include "fixture.h"
#include "import_patch.h"

namespace {

using hqtest::Driver;
using hqtest::ImportPatch;
using hqtest::OpenForm;

COLORREF Hex(uint32_t rrggbb) { return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

class FormPaint : public hqtest::PluginTest {};

TEST_F(FormPaint, InfoPanelAndSectionCornersAtTheirCoordinates) {
    std::vector<std::string> params = {"", ""};
    int L = 0;
    std::vector<std::pair<std::string, std::pair<COLORREF, COLORREF>>> checks;  // what, (got, want)
    auto check = [&](const OpenForm& f, const char* what, int x, int y, uint32_t want) {
        checks.push_back({std::string(what) + " (" + std::to_string(x) + "," + std::to_string(y) + ")",
                          {f.Pixel(x, y), Hex(want)}});
    };
    Driver d([&](OpenForm& f) {
        L = f.Query("LabelNameComand").width;
        const int Y = 256 - 119;
        check(f, "tab fill", 30, Y + 19, 0xD6D6C6);  // below the icon and the name
        check(f, "tab outline right", L + 39, Y + 10, 0xB2B2A2);
        check(f, "tab bevel pixel", 10, Y + 1, 0xC7C7B7);
        check(f, "tab bevel pixel right", L + 37, Y + 1, 0xC7C7B7);
        check(f, "tab bevel outer", 30, Y + 1, 0xCDCDBD);
        check(f, "tab bevel inner", 30, Y + 2, 0xD1D1C1);
        check(f, "tab left outer", 9, Y + 10, 0xCDCDBD);
        check(f, "tab left inner", 10, Y + 10, 0xD1D1C1);
        check(f, "joint line", 20, Y + 20, 0xD6D6C6);
        check(f, "box top border", L + 45, Y + 20, 0xB2B2A2);
        check(f, "box bevel top", 100, Y + 21, 0xE0E0C8);
        check(f, "box bevel top inner", 100, Y + 22, 0xF0F0D4);
        check(f, "box bevel bottom", 100, Y + 75, 0xE0E0C8);
        check(f, "box bevel bottom inner", 100, Y + 74, 0xF0F0D4);
        check(f, "box corner pixel", 9, Y + 74, 0xD5D5BF);
        check(f, "box corner pixel right", 389, Y + 74, 0xD5D5BF);
        check(f, "box fill", 385, Y + 60, 0xFFFFFF);
        check(f, "icon background", 12, Y + 2, 0xD1D1C1);
        check(f, "box outline bottom", 200, Y + 76, 0xB2B2A2);
        for (int gy : {8, 70}) {
            check(f, "corner", 9, gy + 1, 0xA8A7AB);
            check(f, "corner left", 8, gy + 1, 0xCCC9B9);
            check(f, "corner top", 9, gy, 0xCCC9B9);
        }
        f.Cancel();
    });
    EXPECT_FALSE(host().Edit(1, params));
    ASSERT_TRUE(d.Ran());
    EXPECT_GT(L, 60) << "the auto-sized name label";
    for (const auto& [what, c] : checks) EXPECT_EQ(c.first, c.second) << what;
}

TEST_F(FormPaint, TitleBarAndStripsShowTheirGradientEnds) {
    std::vector<std::string> params = {"", ""};
    COLORREF barLeft = 0, barRight = 0, stripLeft = 0, leftStripTop = 0, face = ::GetSysColor(COLOR_BTNFACE);
    Driver d([&](OpenForm& f) {
        barLeft = f.Pixel(10, 80);   // second section's title bar, first column (gy+10)
        barRight = f.Pixel(224, 80); // its last column
        stripLeft = f.Pixel(10, 70);
        leftStripTop = f.Pixel(8, 72);
        f.Cancel();
    });
    host().Edit(1, params);
    hq::GradientColors bar;
    const COLORREF hi = ::GetSysColor(COLOR_HIGHLIGHT);
    hq::BuildGradientColors({hi, face, 53, 0}, bar);
    auto pixel = [](uint32_t e) { return RGB((e >> 16) & 0xFF, (e >> 8) & 0xFF, e & 0xFF); };
    EXPECT_EQ(barLeft, pixel(bar.entry[0])) << "clHighlight shifted 53% toward clBtnFace";
    EXPECT_EQ(barRight, pixel(bar.entry[255]));
    EXPECT_EQ(stripLeft, Hex(0xA8A7AB));
    EXPECT_EQ(leftStripTop, Hex(0xA8A7AB));
}

TEST(FormPaintLongName, ALongActionNameWidensTheNameTab) {
    static const hq::editors::DialogDesign design{
        .action = "fzSetColorTransparentCustomWindow",
        .height = 194,
        .sections = {{8, 8, "Заголовок:"}},
        .description = {"Описание.", 200, 16},
    };
    hq::editors::EditorForm form(design);
    const int L = form.label("LabelNameComand").Bounds().width;
    const int Y = 194 - 119;
    COLORREF edge = 0, outside = 0, face = ::GetSysColor(COLOR_BTNFACE);
    Driver d([&](OpenForm& f) {
        edge = f.Pixel(L + 39, Y + 10);
        outside = f.Pixel(L + 40, Y + 10);
        f.Cancel();
    });
    char* slots[1] = {nullptr};
    EXPECT_FALSE(form.Run(slots));
    EXPECT_GT(L, 200);
    EXPECT_EQ(edge, Hex(0xB2B2A2)) << "the tab's right edge is at L + 40 (exclusive)";
    EXPECT_EQ(outside, face);
}

// "High Contrast Black", as the plug-in's GetSysColor and GetSysColorBrush
// answer while the spies are in; other colours are the system's.
struct {
    std::map<int, COLORREF> colors = {
        {COLOR_WINDOW, RGB(0, 0, 0)},  {COLOR_WINDOWTEXT, RGB(255, 255, 255)}, {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
        {COLOR_BTNFACE, RGB(0, 0, 0)}, {COLOR_BTNTEXT, RGB(255, 255, 255)},    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
        {COLOR_GRAYTEXT, RGB(63, 242, 63)}};
    std::map<int, hq::UniqueBrush> brushes;
    void* color = nullptr;
    void* brush = nullptr;
} g_scheme;

DWORD WINAPI SchemeColor(int index) {
    const auto it = g_scheme.colors.find(index);
    if (it != g_scheme.colors.end()) return it->second;
    return reinterpret_cast<DWORD(WINAPI*)(int)>(g_scheme.color)(index);
}
HBRUSH WINAPI SchemeBrush(int index) {
    const auto it = g_scheme.colors.find(index);
    if (it == g_scheme.colors.end()) return reinterpret_cast<HBRUSH(WINAPI*)(int)>(g_scheme.brush)(index);
    hq::UniqueBrush& b = g_scheme.brushes[index];
    if (!b) b.reset(::CreateSolidBrush(it->second));
    return b.get();
}

// Pixels of the rectangle whose brightness differs from `fill` by a third of
// the scale or more: the text a reader can tell from its background.
int ReadablePixels(const OpenForm& f, const hq::ui::ControlProbe& r, COLORREF fill) {
    const auto brightness = [](COLORREF c) {
        return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
    };
    int n = 0;
    HDC dc = ::GetDC(f.hwnd());
    for (int y = r.top; y < r.top + r.height; ++y)
        for (int x = r.left; x < r.left + r.width; ++x)
            if (std::abs(brightness(::GetPixel(dc, x, y)) - brightness(fill)) >= 85) ++n;
    ::ReleaseDC(f.hwnd(), dc);
    return n;
}

TEST_F(FormPaint, UnderHighContrastBlackEveryTextStandsOutFromWhatItIsDrawnOn) {
    ImportPatch color(host().Module(), "GetSysColor", reinterpret_cast<void*>(&SchemeColor));
    ImportPatch brush(host().Module(), "GetSysColorBrush", reinterpret_cast<void*>(&SchemeBrush));
    ASSERT_TRUE(color.installed() && brush.installed());
    g_scheme.color = color.previous();
    g_scheme.brush = brush.previous();
    struct Case {
        int id;
        size_t parameters;
        const char* label;
        COLORREF fill;
    };
    const Case cases[] = {
        {1, 2, "LabelNameComand", Hex(0xD6D6C6)},  // the name tab
        {1, 2, "LabelDescription", Hex(0xFFFFFF)}, // the description box
        {1, 2, "Label4", RGB(0, 0, 0)},            // the quality, black by design, on the face
        {41, 10, "LabelNameComand", Hex(0xD6D6C6)},
        {41, 10, "LabelDescription", Hex(0xFFFFFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.label);
        std::vector<std::string> params(c.parameters, "85");
        int readable = -1;
        Driver d([&](OpenForm& f) {
            readable = ReadablePixels(f, f.Query(c.label), c.fill);
            f.Cancel();
        });
        host().Edit(c.id, params);
        ASSERT_TRUE(d.Ran());
        EXPECT_GE(readable, 20) << "the text cannot be told from its background";
    }
    g_scheme.brushes.clear();
}

class AboutBox : public hqtest::PluginTest {};

TEST_F(AboutBox, IsModalOverTheActiveWindowAndReturnsOnlyWhenClosed) {
    const HWND main = host().MainWindow();
    ::SetActiveWindow(main);
    ASSERT_EQ(::GetActiveWindow(), main);
    const hqhost::ObjectCounts objects = host().LiveObjects();
    HWND owner = nullptr;
    bool mainEnabled = true, openAfterWait = false;
    std::string year, caption = "?";
    int imageWidth = 0;
    COLORREF picture = 0;
    Driver d(std::vector<Driver::Step>{
        [&](OpenForm& f) {
            owner = ::GetWindow(f.hwnd(), GW_OWNER);
            mainEnabled = ::IsWindowEnabled(main) != FALSE;
            year = f.Text("Label2");
            imageWidth = f.Query("Image1").width;
            picture = f.Pixel(60, 20);
            caption = f.Form().text;
        },
        [&](OpenForm&) { openAfterWait = hqtest::FindOpenForm() != nullptr; },
        [](OpenForm& f) { f.Click("Button1"); }});
    host().About();
    EXPECT_FALSE(host().LastError().has_value());
    EXPECT_TRUE(d.Ran());
    EXPECT_FALSE(d.ForcedClose()) << "OK did not close the box";
    EXPECT_TRUE(openAfterWait);
    EXPECT_EQ(owner, main);
    EXPECT_FALSE(mainEnabled) << "the host's window took input while the box was up";
    EXPECT_TRUE(::IsWindowEnabled(main));
    EXPECT_EQ(year, "2026");
    EXPECT_EQ(caption, "");
    EXPECT_EQ(imageWidth, 188);
    EXPECT_NE(picture, ::GetSysColor(COLOR_BTNFACE)) << "the PNG picture did not paint";
    EXPECT_EQ(hqtest::FindOpenForm(), nullptr);
    EXPECT_EQ(host().LiveObjects(), objects);
}

}  // namespace
