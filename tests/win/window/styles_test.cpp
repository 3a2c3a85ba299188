// Style words, the close item and the re-layout script of the main-window
// style actions, on the stand-in host's real main window.
#include <gtest/gtest.h>

#include "fixture.h"

namespace {

constexpr char kRelayout[] = "SetVar \"[PubHeight]\" \"[PubHeight]-1\"\rSetVar \"[PubHeight]\" \"[PubHeight]+1\"";

class StylesTest : public hqtest::PluginTest {
protected:
    HWND Main() { return host().MainWindow(); }
    DWORD Style() { return static_cast<DWORD>(::GetWindowLongW(Main(), GWL_STYLE)); }
    DWORD ExStyle() { return static_cast<DWORD>(::GetWindowLongW(Main(), GWL_EXSTYLE)); }
    bool CloseEnabled() {
        const UINT state = ::GetMenuState(::GetSystemMenu(Main(), FALSE), SC_CLOSE, MF_BYCOMMAND);
        return (state & (MF_DISABLED | MF_GRAYED)) == 0;
    }
    // Runs an action and returns the scripts it sent to the host.
    std::vector<std::string> Run(int id) {
        const size_t before = host().Scripts().size();
        EXPECT_TRUE(Exec(id)) << id;
        return {host().Scripts().begin() + before, host().Scripts().end()};
    }
    int ClientHeight() {
        RECT r;
        ::GetClientRect(Main(), &r);
        return r.bottom;
    }
};

struct Expect {
    int id;
    DWORD set, clear;
    bool relayout;
};

TEST_F(StylesTest, EachActionSetsAndClearsItsBitsAndKeepsTheOthers) {
    const Expect table[] = {
        {6, WS_CAPTION, 0, true},
        {7, 0xCB0000, 0, true},
        {8, 0, WS_CAPTION, true},
        {9, 0, WS_THICKFRAME, false},
        {10, WS_THICKFRAME, 0, false},
        {11, 0, WS_SYSMENU, true},
        {12, 0xCB0000, 0, true},
        {13, 0, WS_MINIMIZEBOX, false},
        {14, WS_MINIMIZEBOX, 0, false},
        {15, 0, WS_MAXIMIZEBOX, false},
        {16, WS_MAXIMIZEBOX, 0, false},
        {17, 0, 0, false},
        {18, 0, 0, false},
        {19, WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true},
    };
    for (const Expect& e : table) {
        host().ResetWindows();
        host().InitPlugIn();  // a fresh main window for each action
        // Every bit the action sets starts clear and every bit it clears
        // starts set, so a wrong bit cannot hide behind one already there.
        ::SetWindowLongW(Main(), GWL_STYLE, static_cast<LONG>((Style() & ~e.set) | e.clear));
        const DWORD before = Style();
        const DWORD exBefore = ExStyle();
        const int height = ClientHeight();
        const auto scripts = Run(e.id);
        EXPECT_EQ(Style(), (before | e.set) & ~e.clear) << "ID " << e.id;
        if (e.id != 6 && e.id != 7) {
            EXPECT_EQ(ExStyle(), exBefore) << "ID " << e.id << " touched the extended style";
        }
        if (e.relayout) {
            ASSERT_EQ(scripts.size(), 1u) << "ID " << e.id;
            EXPECT_EQ(scripts[0], kRelayout) << "ID " << e.id;
            EXPECT_EQ(ClientHeight(), height) << "ID " << e.id << ": the pair leaves the height as it was";
        } else {
            EXPECT_TRUE(scripts.empty()) << "ID " << e.id;
        }
        // Idempotent: a second run leaves the same word.
        const DWORD once = Style();
        Run(e.id);
        EXPECT_EQ(Style(), once) << "ID " << e.id;
    }
}

TEST_F(StylesTest, RelayoutScriptIsOneCarriageReturnAndNoLineFeed) {
    const auto scripts = Run(8);
    ASSERT_EQ(scripts.size(), 1u);
    const std::string& s = scripts[0];
    EXPECT_EQ(std::count(s.begin(), s.end(), '\r'), 1);
    EXPECT_EQ(s.find('\n'), std::string::npos);
    EXPECT_NE(s.back(), '\r');
}

TEST_F(StylesTest, ToolWindowSetsAndDialogBoxClearsTheToolWindowBit) {
    Run(6);
    EXPECT_TRUE(ExStyle() & WS_EX_TOOLWINDOW);
    Run(7);
    EXPECT_FALSE(ExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(Style() & 0xCB0000, 0xCB0000u);
}

TEST_F(StylesTest, NoBorderOnACaptionlessWindowStillRunsTheScript) {
    Run(8);
    const DWORD word = Style();
    const auto scripts = Run(8);
    EXPECT_EQ(Style(), word);
    EXPECT_EQ(scripts.size(), 1u);
}

TEST_F(StylesTest, NoBorderThenSizeBoxLeavesABorderlessSizingFrame) {
    Run(9);
    Run(8);
    Run(10);
    EXPECT_EQ(Style() & WS_CAPTION, 0u);
    EXPECT_TRUE(Style() & WS_THICKFRAME);
}

TEST_F(StylesTest, HideButtonsAfterNoBorderBringsTheCaptionBackWithoutButtons) {
    Run(8);
    Run(19);
    EXPECT_EQ(Style() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(Style() & WS_SYSMENU);
    EXPECT_EQ(Style() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
}

TEST_F(StylesTest, CloseItemFollowsTheLastActionThatTouchesIt) {
    Run(17);
    EXPECT_FALSE(CloseEnabled());
    Run(14);  // minimize button: the close item stays disabled
    EXPECT_FALSE(CloseEnabled());
    Run(12);
    EXPECT_TRUE(CloseEnabled());
    Run(17);
    Run(7);
    EXPECT_TRUE(CloseEnabled());
    Run(17);
    Run(18);
    EXPECT_TRUE(CloseEnabled());
}

TEST_F(StylesTest, DisabledCloseItemIsNotGrayed) {
    Run(17);
    const UINT state = ::GetMenuState(::GetSystemMenu(Main(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_DISABLED);
    EXPECT_FALSE(state & MF_GRAYED);
}

TEST_F(StylesTest, ActionsOnADestroyedMainWindowStillReturnAndRunTheScript) {
    Main();
    ::DestroyWindow(Main());  // the plug-in keeps the old handle
    const size_t before = host().Scripts().size();
    for (int id = 6; id <= 19; ++id) EXPECT_TRUE(Exec(id)) << id;
    EXPECT_EQ(host().Scripts().size() - before, 6u);
    host().ScriptErrors().clear();  // the host resized a fresh window; not the point here
}

}  // namespace
