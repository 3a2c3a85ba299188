// Colour-key transparency of the main window and of external windows, and
// the sizing frame of an external window.
#include <gtest/gtest.h>

#include "fixture.h"

namespace {

class ColourKeyTest : public hqtest::PluginTest {
protected:
    static DWORD Style(HWND w) { return static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE)); }
    static DWORD ExStyle(HWND w) { return static_cast<DWORD>(::GetWindowLongW(w, GWL_EXSTYLE)); }
    static COLORREF Key(HWND w) {
        COLORREF key = 0xDEADBEEF;
        BYTE alpha = 0;
        DWORD flags = 0;
        EXPECT_TRUE(::GetLayeredWindowAttributes(w, &key, &alpha, &flags));
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
        return key;
    }
};

TEST_F(ColourKeyTest, ComponentsBecomeTheKeyFromTheirLowEightBits) {
    const HWND w = host().MainWindow();
    EXPECT_TRUE(Exec(21, {"255", "0", "255"}));
    EXPECT_TRUE(ExStyle(w) & WS_EX_LAYERED);
    EXPECT_EQ(Key(w), RGB(255, 0, 255));
    EXPECT_TRUE(Exec(21, {"256", "-1", "$10"}));  // setting it twice replaces the key
    EXPECT_EQ(Key(w), RGB(0, 255, 16));
    EXPECT_TRUE(Exec(21, {" 18", "0x34", "+86"}));
    EXPECT_EQ(Key(w), RGB(18, 52, 86));
}

TEST_F(ColourKeyTest, SettingAKeyRemovesTheButtonsAndClearingItLeavesThemRemoved) {
    const HWND w = host().MainWindow();
    const DWORD before = Style(w);
    ASSERT_TRUE(before & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    Exec(21, {"1", "2", "3"});
    EXPECT_EQ(Style(w), before & ~static_cast<DWORD>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(Exec(22));
    EXPECT_FALSE(ExStyle(w) & WS_EX_LAYERED);
    EXPECT_EQ(Style(w) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
}

TEST_F(ColourKeyTest, ABadComponentRaisesAndChangesNothing) {
    const HWND w = host().MainWindow();
    const DWORD style = Style(w), ex = ExStyle(w);
    EXPECT_EQ(ExecError(21, {"255", "0", "12a"}), "'12a' is not a valid integer value");
    EXPECT_EQ(ExecError(21, {"", "0", "0"}), "'' is not a valid integer value");
    EXPECT_EQ(Style(w), style);
    EXPECT_EQ(ExStyle(w), ex);

    // An existing key is kept as well.
    Exec(21, {"10", "20", "30"});
    const DWORD keyed = Style(w);
    EXPECT_EQ(ExecError(21, {"1", "x", "3"}), "'x' is not a valid integer value");
    EXPECT_EQ(Key(w), RGB(10, 20, 30));
    EXPECT_EQ(Style(w), keyed);
}

TEST_F(ColourKeyTest, ExternalWindowKeyAndClear) {
    const HWND ext = host().CreateExternalWindow("Pict", 520, 40, 200, 150);
    const HWND main = host().MainWindow();
    const DWORD mainEx = ExStyle(main);
    EXPECT_TRUE(Exec(24, {"Pict", "0", "255", "0"}));
    EXPECT_TRUE(ExStyle(ext) & WS_EX_LAYERED);
    EXPECT_EQ(Key(ext), RGB(0, 255, 0));
    EXPECT_EQ(Style(ext) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(ExStyle(main), mainEx);
    EXPECT_TRUE(Exec(25, {"Pict"}));
    EXPECT_FALSE(ExStyle(ext) & WS_EX_LAYERED);
    // The lookup asked for exactly the published variable.
    EXPECT_NE(std::find(host().CallLog().begin(), host().CallLog().end(), "get [Pict.WinHandle]"),
              host().CallLog().end());
}

TEST_F(ColourKeyTest, MissingExternalWindowRaisesTheConversionErrorAndTouchesNoWindow) {
    const HWND ext = host().CreateExternalWindow("Pict", 520, 40, 200, 150);
    const DWORD style = Style(ext), ex = ExStyle(ext);
    RECT before;
    ::GetWindowRect(ext, &before);
    EXPECT_EQ(ExecError(24, {"Nobody", "1", "2", "3"}), "'' is not a valid integer value");
    EXPECT_EQ(ExecError(25, {"Nobody"}), "'' is not a valid integer value");
    EXPECT_EQ(ExecError(23, {"Nobody"}), "'' is not a valid integer value");
    host().SetVar("[Odd.WinHandle]", "12ab");
    EXPECT_EQ(ExecError(23, {"Odd"}), "'12ab' is not a valid integer value");
    // A bad colour on a found window changes nothing either.
    EXPECT_EQ(ExecError(24, {"Pict", "1", "2", "blue"}), "'blue' is not a valid integer value");
    RECT after;
    ::GetWindowRect(ext, &after);
    EXPECT_EQ(Style(ext), style);
    EXPECT_EQ(ExStyle(ext), ex);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(ColourKeyTest, LongObjectNamesAreCutTo255Characters) {
    const std::string name(300, 'n');
    host().SetVar("[" + name.substr(0, 255) + ".WinHandle]", "0");
    EXPECT_TRUE(Exec(25, {name}));  // handle 0: the calls fail without effect
    EXPECT_EQ(host().CallLog().back(), "get [" + name.substr(0, 255) + ".WinHandle]");
}

TEST_F(ColourKeyTest, SizeBoxTwiceGrowsByTwoPixelsAndMakesTopmost) {
    const HWND ext = host().CreateExternalWindow("Pict", 520, 40, 200, 150);
    ::SetWindowLongW(ext, GWL_STYLE, ::GetWindowLongW(ext, GWL_STYLE) & ~WS_THICKFRAME);
    RECT before;
    ::GetWindowRect(ext, &before);
    EXPECT_TRUE(Exec(23, {"Pict"}));
    EXPECT_TRUE(Exec(23, {"Pict"}));
    RECT after;
    ::GetWindowRect(ext, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 2);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 2);
    EXPECT_TRUE(Style(ext) & WS_THICKFRAME);
    EXPECT_TRUE(ExStyle(ext) & WS_EX_TOPMOST);
}

TEST_F(ColourKeyTest, AHandleThatIsNoWindowStillReturnsTrue) {
    host().SetVar("[Gone.WinHandle]", "123456");
    EXPECT_TRUE(Exec(23, {"Gone"}));
    EXPECT_TRUE(Exec(24, {"Gone", "1", "2", "3"}));
    EXPECT_TRUE(Exec(25, {"Gone"}));
}

}  // namespace
