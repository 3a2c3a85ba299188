// The colour chooser, driven by a timer set before the call: the test finds
// the dialog, records where and how it appeared, sets a colour in the
// full-open chooser's red, green and blue fields, and presses OK or Cancel by
// control ID (the buttons are not labelled in English under this locale).
#include <windows.h>
#include <colordlg.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "fixture.h"
#include "system_support.h"

namespace {

using systest::ImportPatch;

// What the timer does with the chooser, and what it saw.
struct Drive {
    std::optional<COLORREF> color;  // typed into the red, green and blue fields
    bool confirm = true;            // OK, else Cancel
    // Seen:
    bool found = false;
    HWND dialog = nullptr;
    RECT rect{};
    LONG style = 0, exStyle = 0;
    bool visible = false;
    std::map<std::string, std::string> vars;  // the fixed variables while the chooser is open
};
Drive* g_drive = nullptr;
int g_ticks = 0;

BOOL CALLBACK FindChooser(HWND hwnd, LPARAM out) {
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, COLOR_RED)) {
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveChooser(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindChooser, reinterpret_cast<LPARAM>(&dlg));
    if (!dlg) {
        if (++g_ticks > 200) ::KillTimer(nullptr, id);  // 10 s without a chooser: give up
        return;
    }
    ::KillTimer(nullptr, id);
    Drive& d = *g_drive;
    d.found = true;
    d.dialog = dlg;
    ::GetWindowRect(dlg, &d.rect);
    d.style = ::GetWindowLongW(dlg, GWL_STYLE);
    d.exStyle = ::GetWindowLongW(dlg, GWL_EXSTYLE);
    d.visible = ::IsWindowVisible(dlg);
    for (const char* name : {"[cd_x]", "[cd_y]", "[cd_s]", "[cd_a]", "[cd_sp]"})
        d.vars[name] = hqhost::Host::Instance().Var(name);
    if (d.color) {
        ::SetDlgItemInt(dlg, COLOR_RED, GetRValue(*d.color), FALSE);
        ::SetDlgItemInt(dlg, COLOR_GREEN, GetGValue(*d.color), FALSE);
        ::SetDlgItemInt(dlg, COLOR_BLUE, GetBValue(*d.color), FALSE);
    }
    const int button = d.confirm ? IDOK : IDCANCEL;
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg, button)));
}

// The ChooseColorA record as the plug-in filled it.
CHOOSECOLORA g_record{};
COLORREF g_custom[16];
void* g_forwardChooseColor = nullptr;
BOOL WINAPI SpyChooseColorA(CHOOSECOLORA* cc) {
    g_record = *cc;
    std::copy(cc->lpCustColors, cc->lpCustColors + 16, g_custom);
    return reinterpret_cast<decltype(&::ChooseColorA)>(g_forwardChooseColor)(cc);
}

struct AnimateCall {
    HWND hwnd;
    DWORD time, flags;
};
std::vector<AnimateCall> g_animations;
void* g_forwardAnimate = nullptr;
BOOL WINAPI SpyAnimateWindow(HWND hwnd, DWORD time, DWORD flags) {
    g_animations.push_back({hwnd, time, flags});
    return reinterpret_cast<decltype(&::AnimateWindow)>(g_forwardAnimate)(hwnd, time, flags);
}

// Every window is on a monitor left of the primary one, with this work area.
RECT g_work{};
HWND g_monitorOf = nullptr;
HMONITOR WINAPI SpyMonitorFromWindow(HWND hwnd, DWORD) {
    g_monitorOf = hwnd;
    return reinterpret_cast<HMONITOR>(1);
}
BOOL WINAPI SpyGetMonitorInfoW(HMONITOR, MONITORINFO* info) {
    info->rcMonitor = info->rcWork = g_work;
    return TRUE;
}

class ChooserTest : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        mainWindow_ = host().MainWindow();
        g_animations.clear();
        chooseSpy_ = std::make_unique<ImportPatch>(host().Module(), "ChooseColorA",
                                                   reinterpret_cast<void*>(&SpyChooseColorA));
        ASSERT_TRUE(chooseSpy_->installed());
        g_forwardChooseColor = chooseSpy_->previous();
        animateSpy_ = std::make_unique<ImportPatch>(host().Module(), "AnimateWindow",
                                                    reinterpret_cast<void*>(&SpyAnimateWindow));
        ASSERT_TRUE(animateSpy_->installed());
        g_forwardAnimate = animateSpy_->previous();
    }
    void TearDown() override {
        chooseSpy_.reset();
        animateSpy_.reset();
        PluginTest::TearDown();
    }
    // Runs the action with the chooser driven as `drive` says; parameters 1-6
    // as given, outputs into [R], [H], [F], [T].
    Drive Run(std::vector<std::string> layout, Drive drive = {}) {
        layout.resize(6);
        for (const char* out : {"[R]", "[H]", "[F]", "[T]"}) layout.push_back(out);
        g_drive = &drive;
        g_ticks = 0;
        ::SetTimer(nullptr, 0, 50, DriveChooser);
        EXPECT_FALSE(Exec(40, layout));
        g_drive = nullptr;
        EXPECT_TRUE(drive.found) << "the chooser never appeared";
        for (const char* name : {"[cd_x]", "[cd_y]", "[cd_s]", "[cd_a]", "[cd_sp]"})
            EXPECT_EQ(host().Var(name), "") << name << " not emptied";
        return drive;
    }
    std::vector<std::string> Outputs() {
        return {host().Var("[R]"), host().Var("[H]"), host().Var("[F]"), host().Var("[T]")};
    }
    static int Width(const RECT& r) { return r.right - r.left; }
    static int Height(const RECT& r) { return r.bottom - r.top; }
    static int ScreenW() { return ::GetSystemMetrics(SM_CXSCREEN); }
    static int ScreenH() { return ::GetSystemMetrics(SM_CYSCREEN); }

    HWND mainWindow_ = nullptr;
    std::unique_ptr<ImportPatch> chooseSpy_, animateSpy_;
};

using Forms = std::vector<std::string>;

TEST_F(ChooserTest, ConfirmedRedGivesAllFourFormsAndTheRecordIsAsConfigured) {
    Drive d;
    d.color = RGB(255, 0, 0);
    Run({"1", "", "", "1", "None", ""}, d);
    EXPECT_EQ(Outputs(), (Forms{"255,0,0", "#FF0000", "0xFF0000", "clRed"}));
    EXPECT_EQ(g_record.lStructSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(g_record.hwndOwner, mainWindow_);
    EXPECT_EQ(g_record.hInstance, nullptr);
    EXPECT_EQ(g_record.rgbResult, RGB(0, 0, 255));
    EXPECT_EQ(g_record.Flags, 0x113u);
    EXPECT_EQ(g_record.lCustData, 0);
    EXPECT_NE(g_record.lpfnHook, nullptr);
    EXPECT_EQ(g_record.lpTemplateName, nullptr);
    for (COLORREF c : g_custom) EXPECT_EQ(c, 0u);
}

TEST_F(ChooserTest, ConfirmedMixedColourHasHexFormsAndAValueForTColor) {
    Drive d;
    d.color = RGB(18, 52, 86);
    Run({"1", "", "", "", "", ""}, d);
    EXPECT_EQ(Outputs(), (Forms{"18,52,86", "#123456", "0x123456", "$00563412"}));
}

TEST_F(ChooserTest, ConfirmingTheCompactChooserUnchangedGivesTheInitialBlue) {
    for (const char* compact : {"0", "", "1 ", "yes"}) {
        Run({compact, "", "", "1", "None", ""});
        EXPECT_EQ(Outputs(), (Forms{"0,0,255", "#0000FF", "0x0000FF", "clBlue"})) << compact;
        EXPECT_EQ(g_record.Flags, 0x111u) << compact;
    }
}

TEST_F(ChooserTest, CancelLeavesTheOutputsAndStillEmptiesTheFixedVariables) {
    for (const char* out : {"[R]", "[H]", "[F]", "[T]"}) host().SetVar(out, "before");
    Drive d;
    d.color = RGB(1, 2, 3);
    d.confirm = false;
    Run({"1", "10", "20", "2", "Fade", "5"}, d);
    EXPECT_EQ(Outputs(), (Forms{"before", "before", "before", "before"}));
}

TEST_F(ChooserTest, EmptyPositionsCentreTheChooserTopmost) {
    const Drive d = Run({"0", "", "", "1", "None", ""});
    EXPECT_EQ(d.rect.left, (ScreenW() - Width(d.rect)) / 2);
    EXPECT_EQ(d.rect.top, (ScreenH() - Height(d.rect)) / 2);
    EXPECT_TRUE(d.exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(d.visible);
    EXPECT_TRUE(d.style & WS_CAPTION);
}

TEST_F(ChooserTest, GivenLeftAndEmptyTopCentreVerticallyOnly) {
    const Drive d = Run({"1", "100", "", "1", "None", ""});
    EXPECT_EQ(d.rect.left, 100);
    EXPECT_EQ(d.rect.top, (ScreenH() - Height(d.rect)) / 2);
    EXPECT_TRUE(d.exStyle & WS_EX_TOPMOST);
    const Drive e = Run({"0", "", "$20", "1", "None", ""});
    EXPECT_EQ(e.rect.left, (ScreenW() - Width(e.rect)) / 2);
    EXPECT_EQ(e.rect.top, 32);
    const Drive f = Run({"0", "40", "60", "1", "None", ""});
    EXPECT_EQ(f.rect.left, 40);
    EXPECT_EQ(f.rect.top, 60);
}

TEST_F(ChooserTest, EmptyPositionsCentreTheChooserOnItsOwnersMonitorNeverPartlyOffIt) {
    ImportPatch monitorSpy(host().Module(), "MonitorFromWindow", reinterpret_cast<void*>(&SpyMonitorFromWindow));
    ImportPatch infoSpy(host().Module(), "GetMonitorInfoW", reinterpret_cast<void*>(&SpyGetMonitorInfoW));
    g_work = RECT{-1280, -30, 0, 994};
    const Drive d = Run({"0", "", "$20", "1", "None", ""});
    EXPECT_EQ(g_monitorOf, mainWindow_) << "not the owner's monitor";
    EXPECT_EQ(d.rect.left, -1280 + (1280 - Width(d.rect)) / 2);
    EXPECT_EQ(d.rect.top, 32);
    g_work = RECT{-1280, -20, -1200, 40};  // smaller than the chooser: its corner stays inside
    const Drive e = Run({"0", "", "", "1", "None", ""});
    EXPECT_EQ(e.rect.left, -1280);
    EXPECT_EQ(e.rect.top, -20);
    EXPECT_TRUE(e.exStyle & WS_EX_TOPMOST);
}

TEST_F(ChooserTest, HostRaisingWhileTheResultIsWrittenGetsItBackAndTheFixedVariablesAreStillEmptied) {
    for (const char* out : {"[R]", "[H]", "[F]", "[T]"}) {
        host().RaiseInNextCallback(hqhost::Host::Callback::SetVariable, out);
        Run({"0", "7", "8", "2", "Fade", "5"});  // also checks that [cd_x]..[cd_sp] are empty
        ASSERT_TRUE(host().LastRaisedByHost().has_value()) << out << ": the host's exception did not come back";
        EXPECT_EQ(host().LastRaisedByHost()->code, hqhost::Host::kHostRaiseCode) << out;
        EXPECT_EQ(host().LastRaisedByHost()->params, std::vector<uintptr_t>(std::begin(hqhost::Host::kHostRaiseParams),
                                                                           std::end(hqhost::Host::kHostRaiseParams)));
    }
}

TEST_F(ChooserTest, PositionThatIsNotANumberLeavesTheChooserWhereTheSystemPutItNotTopmost) {
    for (const std::vector<std::string>& xy :
         std::vector<std::vector<std::string>>{{"left", "60"}, {"40", "6 0"}, {"x", ""}, {"", "?"}}) {
        const Drive d = Run({"0", xy[0], xy[1], "1", "None", ""});
        EXPECT_FALSE(d.exStyle & WS_EX_TOPMOST) << xy[0] << "," << xy[1];
        EXPECT_TRUE(d.visible);
        EXPECT_FALSE(host().LastError().has_value());
    }
}

TEST_F(ChooserTest, StyleThreeRemovesTheCaptionStyleTwoMakesAToolWindow) {
    const Drive none = Run({"0", "", "", "3", "None", ""});
    EXPECT_EQ(none.style & WS_CAPTION, 0);
    EXPECT_TRUE(none.visible);
    const Drive tool = Run({"0", "", "", "2", "None", ""});
    EXPECT_TRUE(tool.exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(tool.style & WS_CAPTION, WS_CAPTION);
    for (const char* plain : {"1", "", " 3", "NoBorder"}) {
        const Drive d = Run({"0", "", "", plain, "None", ""});
        EXPECT_EQ(d.style & WS_CAPTION, WS_CAPTION) << plain;
        EXPECT_FALSE(d.exStyle & WS_EX_TOOLWINDOW) << plain;
    }
}

TEST_F(ChooserTest, FadeWithEmptyDurationAnimatesForOneMillisecond) {
    const Drive d = Run({"0", "", "", "1", "Fade", ""});
    ASSERT_EQ(g_animations.size(), 1u);
    EXPECT_EQ(g_animations[0].hwnd, d.dialog);
    EXPECT_EQ(g_animations[0].time, 1u);
    EXPECT_EQ(g_animations[0].flags, 0xA0010u);
    EXPECT_TRUE(d.visible);
    g_animations.clear();
    Run({"0", "", "", "1", "Slide Right-Down", "$30"});
    ASSERT_EQ(g_animations.size(), 1u);
    EXPECT_EQ(g_animations[0].time, 48u);
    EXPECT_EQ(g_animations[0].flags, 0x60005u);
}

TEST_F(ChooserTest, AnimationTimeIsCutToTwoSecondsSoTheHostIsNeverHeldLonger) {
    // AnimateWindow returns when the animation ends; the host waits as long.
    const std::pair<const char*, DWORD> cases[] = {
        {"1999", 1999}, {"2000", 2000}, {"2001", 2000}, {"600000", 2000}, {"$7FFFFFFF", 2000}};
    for (const auto& [text, expected] : cases) {
        g_animations.clear();
        const Drive d = Run({"0", "", "", "1", "Slide Up", text});
        ASSERT_EQ(g_animations.size(), 1u) << text;
        EXPECT_EQ(g_animations[0].time, expected) << text;
        EXPECT_TRUE(d.visible) << text;
    }
}

TEST_F(ChooserTest, UnknownAnimationOrDurationThatIsNotANumberShowsTheChooserWithoutAnimation) {
    const std::vector<std::vector<std::string>> cases{
        {"fade", ""}, {"None", "100"}, {"", ""}, {"Fade", "fast"}, {"Center", "-1"}};
    for (const auto& c : cases) {
        const Drive d = Run({"0", "", "", "1", c[0], c[1]});
        EXPECT_TRUE(g_animations.empty()) << c[0] << "/" << c[1];
        EXPECT_TRUE(d.visible);
        EXPECT_FALSE(host().LastError().has_value());
    }
}

TEST_F(ChooserTest, FixedVariablesCarryTheLayoutOnlyWhileTheChooserIsOpen) {
    host().SetVar("[cd_x]", "the publication's own");
    host().CallLog().clear();
    Drive d = Run({"0", "7", "", "3", "Slide Up", "20"});
    EXPECT_EQ(d.vars["[cd_x]"], "7");
    EXPECT_EQ(d.vars["[cd_y]"], "");
    EXPECT_EQ(d.vars["[cd_s]"], "3");
    EXPECT_EQ(d.vars["[cd_a]"], "Slide Up");
    EXPECT_EQ(d.vars["[cd_sp]"], "20");
    EXPECT_EQ(host().CallLog(), (std::vector<std::string>{
                                    "set [cd_x]=7", "set [cd_y]=", "set [cd_s]=3", "set [cd_a]=Slide Up",
                                    "set [cd_sp]=20",
                                    // the hook reads them back
                                    "get [cd_s]", "get [cd_x]", "get [cd_y]", "get [cd_a]", "get [cd_sp]",
                                    "set [R]=0,0,255", "set [H]=#0000FF", "set [F]=0x0000FF", "set [T]=clBlue",
                                    "set [cd_x]=", "set [cd_y]=", "set [cd_s]=", "set [cd_a]=", "set [cd_sp]="}));
}

}  // namespace
