// Desktop and screen queries: desktop icons and notification-area switches on
// stand-in shell windows (Wine has neither), pixel and system colours, and the
// window under the cursor.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "fixture.h"
#include "system_support.h"

namespace {

using hqtest::PluginTest;
using systest::ImportPatch;
using systest::TestWindow;

class DesktopTest : public PluginTest {};

std::string Decimal(HWND h) { return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h))); }

TEST_F(DesktopTest, DesktopIconSwitchHidesAndShowsTheProgramManagerWindow) {
    TestWindow desktop(L"Program Manager", 10, 10, 50, 50);
    ASSERT_EQ(::FindWindowA(nullptr, "Program Manager"), desktop.hwnd) << "another Program Manager window exists";
    // Words, blanks and an empty text change nothing; the result is always true.
    for (const char* idle : {"", " 0", "0 ", "1 ", "hide", "01", "true"}) {
        EXPECT_TRUE(Exec(26, {idle})) << idle;
        EXPECT_TRUE(::IsWindowVisible(desktop.hwnd)) << idle;
    }
    EXPECT_TRUE(Exec(26, {"0"}));
    EXPECT_FALSE(::IsWindowVisible(desktop.hwnd));
    EXPECT_TRUE(Exec(26, {"0"}));
    EXPECT_FALSE(::IsWindowVisible(desktop.hwnd));
    EXPECT_TRUE(Exec(26, {" 1"}));
    EXPECT_FALSE(::IsWindowVisible(desktop.hwnd));
    EXPECT_TRUE(Exec(26, {"1"}));  // one "1" after two "0"
    EXPECT_TRUE(::IsWindowVisible(desktop.hwnd));
}

TEST_F(DesktopTest, DesktopIconSwitchWithoutTheWindowDoesNothing) {
    ASSERT_EQ(::FindWindowA(nullptr, "Program Manager"), nullptr);
    EXPECT_TRUE(Exec(26, {"0"}));
    EXPECT_TRUE(Exec(26, {"1"}));
}

// Stand-in desktop windows as Explorer arranges them: a "Progman"-class
// "Program Manager" window and top-level "WorkerW" windows, the icon view
// (a "SHELLDLL_DefView" child) in one of them or in none.
struct StandInDesktop {
    enum class View { None, ProgramManager, Worker };
    HWND programManager = nullptr;
    std::vector<HWND> workers;  // the icon view, where in a worker, is in workers[1]

    static void Register(const wchar_t* name) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
    static HWND TopLevel(const wchar_t* cls, const wchar_t* title, int x) {
        return ::CreateWindowExW(0, cls, title, WS_POPUP | WS_VISIBLE, x, 600, 30, 30, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    }
    static void AddView(HWND parent) {
        ::CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                          ::GetModuleHandleW(nullptr), nullptr);
    }
    StandInDesktop(bool withProgramManager, View view, int workerCount) {
        for (const wchar_t* cls : {L"Progman", L"WorkerW", L"SHELLDLL_DefView"}) Register(cls);
        if (withProgramManager) {
            programManager = TopLevel(L"Progman", L"Program Manager", 600);
            if (view == View::ProgramManager) AddView(programManager);
        }
        for (int i = 0; i < workerCount; ++i) {
            workers.push_back(TopLevel(L"WorkerW", L"", 640 + 40 * i));
            if (view == View::Worker && i == 1) AddView(workers.back());
        }
    }
    ~StandInDesktop() {
        for (HWND w : workers) ::DestroyWindow(w);
        if (programManager) ::DestroyWindow(programManager);
    }
    std::vector<HWND> All() const {
        std::vector<HWND> all = workers;
        if (programManager) all.insert(all.begin(), programManager);
        return all;
    }
};

TEST_F(DesktopTest, DesktopIconSwitchHidesTheWindowThatHoldsTheIconView) {
    using View = StandInDesktop::View;
    ASSERT_EQ(::FindWindowA(nullptr, "Program Manager"), nullptr) << "the system has a Program Manager window";
    ASSERT_EQ(::FindWindowA("WorkerW", nullptr), nullptr) << "the system has WorkerW windows";
    struct Case {
        const char* what;
        bool programManager;
        View view;
        int workers;
        int hidden;  // index into All(): Program Manager first when there is one; -1: none
    };
    const Case table[] = {
        {"view in Program Manager", true, View::ProgramManager, 3, 0},
        {"view moved to a WorkerW", true, View::Worker, 3, 2},
        {"view in a WorkerW, no Program Manager", false, View::Worker, 3, 1},
        {"no view anywhere: Program Manager", true, View::None, 2, 0},
        {"no view and no Program Manager", false, View::None, 2, -1},
    };
    for (const Case& c : table) {
        const StandInDesktop desktop(c.programManager, c.view, c.workers);
        const std::vector<HWND> all = desktop.All();
        EXPECT_TRUE(Exec(26, {"0"})) << c.what;
        for (size_t i = 0; i < all.size(); ++i)
            EXPECT_EQ(::IsWindowVisible(all[i]) != FALSE, static_cast<int>(i) != c.hidden) << c.what << ", window " << i;
        EXPECT_TRUE(Exec(26, {"1"})) << c.what;
        for (size_t i = 0; i < all.size(); ++i) EXPECT_TRUE(::IsWindowVisible(all[i])) << c.what << ", window " << i;
    }
}

// A stand-in taskbar: a top-level "Shell_TrayWnd" with visible children of
// several classes, two of them notification areas in different letter case.
struct StandInTaskbar {
    HWND bar = nullptr;
    HWND notifyMixed = nullptr, notifyUpper = nullptr, button = nullptr, longer = nullptr, other = nullptr;

    static void Register(const wchar_t* name, HINSTANCE module) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = module;
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
    StandInTaskbar() {
        const HINSTANCE exe = ::GetModuleHandleW(nullptr);
        Register(L"Shell_TrayWnd", exe);
        Register(L"TrayNotifyWnd", exe);
        Register(L"TrayNotifyWndX", exe);
        Register(L"ReBarStandIn", exe);
        // Topmost, so that it is found ahead of a taskbar window Wine may keep hidden.
        bar = ::CreateWindowExW(WS_EX_TOPMOST, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 700, 400, 40, nullptr, nullptr,
                                exe, nullptr);
        auto child = [&](const wchar_t* cls, HINSTANCE module) {
            return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, bar, nullptr, module, nullptr);
        };
        button = child(L"Button", nullptr);
        notifyMixed = child(L"TrayNotifyWnd", exe);
        longer = child(L"TrayNotifyWndX", exe);
        notifyUpper = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, bar, nullptr, nullptr,
                                        nullptr);
        other = child(L"ReBarStandIn", exe);
    }
    ~StandInTaskbar() { ::DestroyWindow(bar); }
};

TEST_F(DesktopTest, TrayWalkSwitchesEveryNotificationAreaChildAndNothingElse) {
    StandInTaskbar tray;
    ASSERT_EQ(::FindWindowA("Shell_TrayWnd", nullptr), tray.bar);
    // A second notification area whose class name is upper case: a class of
    // another module (class names are case-insensitive within one module).
    const HINSTANCE otherModule = ::GetModuleHandleW(L"kernel32.dll");
    StandInTaskbar::Register(L"TRAYNOTIFYWND", otherModule);
    ::DestroyWindow(tray.notifyUpper);
    tray.notifyUpper = ::CreateWindowExW(0, L"TRAYNOTIFYWND", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, tray.bar,
                                         nullptr, otherModule, nullptr);
    ASSERT_NE(tray.notifyUpper, nullptr);
    char upper[64] = {}, mixed[64] = {};
    ::GetClassNameA(tray.notifyUpper, upper, sizeof upper);
    ::GetClassNameA(tray.notifyMixed, mixed, sizeof mixed);
    EXPECT_STRNE(upper, mixed) << "both children report the same class name";

    const HWND untouched[] = {tray.button, tray.longer, tray.other};
    for (const char* idle : {"", "0 ", "hide", "show"}) {
        EXPECT_TRUE(Exec(35, {idle}));
        EXPECT_TRUE(::IsWindowVisible(tray.notifyMixed) && ::IsWindowVisible(tray.notifyUpper)) << idle;
    }
    EXPECT_TRUE(Exec(35, {"0"}));
    EXPECT_FALSE(::IsWindowVisible(tray.notifyMixed));
    EXPECT_FALSE(::IsWindowVisible(tray.notifyUpper));
    for (HWND h : untouched) EXPECT_TRUE(::IsWindowVisible(h));
    EXPECT_TRUE(Exec(35, {"0"}));
    EXPECT_TRUE(Exec(35, {"1"}));
    EXPECT_TRUE(::IsWindowVisible(tray.notifyMixed));
    EXPECT_TRUE(::IsWindowVisible(tray.notifyUpper));
    EXPECT_TRUE(Exec(35, {"1"}));  // shown again: no other effect
    EXPECT_TRUE(::IsWindowVisible(tray.notifyMixed));
    for (HWND h : untouched) EXPECT_TRUE(::IsWindowVisible(h));
    ::UnregisterClassW(L"TRAYNOTIFYWND", otherModule);
}

// Stand-in shell windows on a thread that stops answering messages until
// released, as a hung shell process would: a "Program Manager" window and a
// taskbar with a notification area.
class HungShell {
public:
    HungShell() : thread_([this] { Run(); }) { ::WaitForSingleObject(created_, 10000); }
    ~HungShell() {
        Release();
        ::SetEvent(quit_);
        thread_.join();
        for (HANDLE h : {created_, release_, quit_}) ::CloseHandle(h);
    }
    void Release() { ::SetEvent(release_); }
    // Whether the thread stopped waiting to be released (released, or its
    // safety timeout ran out because a caller was blocked on it).
    bool Woke() const { return woke_; }
    HWND desktop = nullptr, bar = nullptr, notify = nullptr;

private:
    void Run() {
        const HINSTANCE exe = ::GetModuleHandleW(nullptr);
        StandInTaskbar::Register(L"Shell_TrayWnd", exe);
        StandInTaskbar::Register(L"TrayNotifyWnd", exe);
        desktop = ::CreateWindowExW(0, L"STATIC", L"Program Manager", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                                    nullptr, nullptr, nullptr);
        bar = ::CreateWindowExW(WS_EX_TOPMOST, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 700, 400, 40, nullptr,
                                nullptr, exe, nullptr);
        notify = ::CreateWindowExW(0, L"TrayNotifyWnd", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, bar, nullptr, exe,
                                   nullptr);
        ::SetEvent(created_);
        ::WaitForSingleObject(release_, 5000);
        woke_ = true;
        while (::MsgWaitForMultipleObjects(1, &quit_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        }
        ::DestroyWindow(bar);
        ::DestroyWindow(desktop);
    }
    HANDLE created_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> woke_{false};
    std::thread thread_;
};

struct ShowCall {
    HWND hwnd;
    int command;
    bool operator==(const ShowCall&) const = default;
};
std::vector<ShowCall> g_asyncShows;
void* g_forwardShowAsync = nullptr;
BOOL WINAPI SpyShowWindowAsync(HWND hwnd, int command) {
    g_asyncShows.push_back({hwnd, command});
    return reinterpret_cast<decltype(&::ShowWindowAsync)>(g_forwardShowAsync)(hwnd, command);
}

TEST_F(DesktopTest, ShellSwitchesDoNotWaitForAHungShell) {
    HungShell shell;
    ASSERT_EQ(::FindWindowA(nullptr, "Program Manager"), shell.desktop);
    ASSERT_EQ(::FindWindowA("Shell_TrayWnd", nullptr), shell.bar);
    ImportPatch async(host().Module(), "ShowWindowAsync", reinterpret_cast<void*>(&SpyShowWindowAsync));
    ASSERT_TRUE(async.installed()) << "the switches do not use the non-waiting form";
    g_forwardShowAsync = async.previous();
    g_asyncShows.clear();

    EXPECT_TRUE(Exec(26, {"0"}));
    EXPECT_TRUE(Exec(35, {"0"}));
    EXPECT_FALSE(shell.Woke()) << "a switch waited for the hung shell";
    EXPECT_EQ(g_asyncShows, (std::vector<ShowCall>{{shell.desktop, SW_HIDE}, {shell.notify, SW_HIDE}}));
    // Once the shell answers again, the posted changes take effect.
    shell.Release();
    EXPECT_TRUE(hqtest::WaitUntil([&] { return !::IsWindowVisible(shell.desktop) && !::IsWindowVisible(shell.notify); }));
    EXPECT_TRUE(Exec(26, {"1"}));
    EXPECT_TRUE(Exec(35, {"1"}));
    EXPECT_TRUE(hqtest::WaitUntil([&] { return ::IsWindowVisible(shell.desktop) && ::IsWindowVisible(shell.notify); }));
    ASSERT_EQ(g_asyncShows.size(), 4u);
    EXPECT_EQ(g_asyncShows[2].command, SW_SHOW);
    EXPECT_EQ(g_asyncShows[3].command, SW_SHOWNORMAL);
}

// GetWindow as while the shell reorders its windows: the next sibling of the
// taskbar's child is that child again. Breaks the circle itself after many
// calls, so that a walk without an end fails instead of hanging.
HWND g_circlingChild = nullptr;
int g_siblingCalls = 0;
void* g_forwardGetWindow = nullptr;
HWND WINAPI CirclingGetWindow(HWND hwnd, UINT command) {
    if (command != GW_HWNDNEXT) return reinterpret_cast<decltype(&::GetWindow)>(g_forwardGetWindow)(hwnd, command);
    return ++g_siblingCalls < 1000000 ? g_circlingChild : nullptr;
}

TEST_F(DesktopTest, TrayWalkEndsWhenTheTaskbarChildrenCircle) {
    StandInTaskbar tray;
    ASSERT_EQ(::FindWindowA("Shell_TrayWnd", nullptr), tray.bar);
    const HWND first = ::GetWindow(tray.bar, GW_CHILD);
    ASSERT_NE(first, nullptr);
    ImportPatch spy(host().Module(), "GetWindow", reinterpret_cast<void*>(&CirclingGetWindow));
    ASSERT_TRUE(spy.installed());
    g_forwardGetWindow = spy.previous();
    g_circlingChild = first;
    g_siblingCalls = 0;
    EXPECT_TRUE(Exec(35, {"0"}));
    EXPECT_GT(g_siblingCalls, 0);
    EXPECT_LE(g_siblingCalls, 10000) << "the walk did not stop on its own";
    for (HWND notify : {tray.notifyMixed, tray.notifyUpper}) {
        if (notify == first) continue;
        EXPECT_TRUE(::IsWindowVisible(notify)) << "a child the circle never reaches was hidden";
    }
}

TEST_F(DesktopTest, PixelColourOfARedWindowIsRedFirst) {
    TestWindow red(L"red", 200, 150, 60, 40, RGB(255, 0, 0));
    TestWindow green(L"green", 300, 150, 60, 40, RGB(18, 52, 86));
    EXPECT_FALSE(Exec(27, {"210", "160", "[P]"}));
    EXPECT_EQ(host().Var("[P]"), "255,0,0");
    EXPECT_FALSE(Exec(27, {"$136", " $A0", "[P]"}));  // 310, 160 in hexadecimal
    EXPECT_EQ(host().Var("[P]"), "18,52,86");
    EXPECT_FALSE(Exec(27, {"0x12C", "x96", "[Q]"}));  // 300, 150
    EXPECT_EQ(host().Var("[Q]"), "18,52,86");
}

TEST_F(DesktopTest, PixelCoordinateThatIsNotANumberGivesBlackAndReleasesTheScreen) {
    TestWindow red(L"red", 200, 150, 60, 40, RGB(255, 0, 0));
    const hqhost::ObjectCounts before = host().LiveObjects();
    for (const std::vector<std::string>& xy : std::vector<std::vector<std::string>>{
             {"abc", "160"}, {"210", "1.5"}, {"", "160"}, {"210", ""}}) {
        host().SetVar("[P]", "unchanged");
        EXPECT_FALSE(Exec(27, {xy[0], xy[1], "[P]"})) << xy[0] << "," << xy[1];
        EXPECT_EQ(host().Var("[P]"), "0,0,0");
    }
    EXPECT_EQ(host().LiveObjects(), before);
}

TEST_F(DesktopTest, PixelOutsideTheScreenEmptiesTheVariable) {
    host().SetVar("[P]", "1,2,3");
    EXPECT_FALSE(Exec(27, {"5000", "5000", "[P]"}));
    EXPECT_EQ(host().Var("[P]"), "");
    host().SetVar("[P]", "1,2,3");
    EXPECT_FALSE(Exec(27, {"-1", "10", "[P]"}));
    EXPECT_EQ(host().Var("[P]"), "");
}

TEST_F(DesktopTest, SystemColourIndexAnyIntegerUnknownIsBlackBadTextWritesNothing) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_FALSE(Exec(46, {"15", "[C]"}));
    EXPECT_EQ(host().Var("[C]"), std::to_string(GetRValue(face)) + "," + std::to_string(GetGValue(face)) + "," +
                                     std::to_string(GetBValue(face)));
    EXPECT_FALSE(Exec(46, {"999", "[C]"}));
    EXPECT_EQ(host().Var("[C]"), "0,0,0");
    EXPECT_EQ(ExecError(46, {"15 ", "[C]"}), "'15 ' is not a valid integer value");
    EXPECT_EQ(host().Var("[C]"), "0,0,0");
}

TEST_F(DesktopTest, WindowUnderTheCursorIsTheButtonOfAnotherWindow) {
    TestWindow dialog(L"other program", 400, 300, 200, 120);
    const HWND button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 80, 30,
                                          dialog.hwnd, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::SetCursorPos(400 + 60, 300 + 35));
    hqtest::WaitUntil([&] { return ::WindowFromPoint(POINT{400 + 60, 300 + 35}) == button; });
    EXPECT_TRUE(Exec(32, {"[W]"}));
    EXPECT_EQ(host().Var("[W]"), Decimal(button));
    ASSERT_TRUE(::SetCursorPos(400 + 150, 300 + 90));  // beside the button: the window itself
    EXPECT_TRUE(Exec(32, {"[W]"}));
    EXPECT_EQ(host().Var("[W]"), Decimal(dialog.hwnd));
}

}  // namespace
