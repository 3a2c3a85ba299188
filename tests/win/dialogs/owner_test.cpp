// A property dialog belongs to the window that was active when the host called
// (else to the host main window): it stays above that window, has no taskbar
// button of its own, opens centred on that window's monitor and never partly
// off it, and leaves that window enabled and active however it is closed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialog_test.h"
#include "import_patch.h"

namespace {

using hqtest::Driver;
using hqtest::ImportPatch;
using hqtest::OpenForm;

HWND WINAPI NoActiveWindow() { return nullptr; }

// A monitor the virtual screen does not have, answered by spies on the
// plug-in's monitor calls.
struct {
    HMONITOR fake = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x5A5A0));
    RECT work{};
    HWND askedFor = nullptr;
    void* forwardInfo = nullptr;
} g_monitor;

HMONITOR WINAPI SpyMonitorFromWindow(HWND window, DWORD) {
    g_monitor.askedFor = window;
    return g_monitor.fake;
}
BOOL WINAPI SpyGetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
    if (monitor != g_monitor.fake)
        return reinterpret_cast<BOOL(WINAPI*)(HMONITOR, LPMONITORINFO)>(g_monitor.forwardInfo)(monitor, info);
    info->rcMonitor = g_monitor.work;
    info->rcWork = g_monitor.work;
    info->dwFlags = 0;
    return TRUE;
}

class DialogOwner : public hqtest::DialogTest {
protected:
    // Opens ID 1's dialog; `look` runs on it while open, `close` ends it.
    void Open(const std::function<void(OpenForm&)>& look, const std::function<void(OpenForm&)>& close) {
        Give({"", ""});
        Driver d(std::vector<Driver::Step>{[&](OpenForm& f) { look(f); }, [&](OpenForm& f) { close(f); }});
        Edit(1);
        EXPECT_TRUE(d.Ran());
        EXPECT_FALSE(d.ForcedClose());
    }
};

TEST_F(DialogOwner, OwnedByTheActiveWindowElseTheMainWindowWhichIsEnabledAndActiveAfterEveryWayOfClosing) {
    const HWND main = host().MainWindow();
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"host dialog", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 50,
                                         50, 200, 100, nullptr, nullptr, nullptr, nullptr);
    struct Closing {
        const char* name;
        std::function<void(OpenForm&)> close;
    };
    const Closing closings[] = {
        {"OK", [](OpenForm& f) { f.Ok(); }},
        {"Cancel", [](OpenForm& f) { f.Cancel(); }},
        {"the close box", [](OpenForm& f) { f.CloseBox(); }},
    };
    for (const bool hostActive : {true, false}) {
        for (const Closing& c : closings) {
            SCOPED_TRACE(std::string(hostActive ? "a host dialog active, " : "nothing active, ") + c.name);
            const HWND expected = hostActive ? other : main;
            ::SetActiveWindow(hostActive ? other : main);
            // Nothing active: the plug-in is told so, and falls back on the main window.
            std::unique_ptr<ImportPatch> none;
            if (!hostActive) {
                none = std::make_unique<ImportPatch>(host().Module(), "GetActiveWindow",
                                                     reinterpret_cast<void*>(&NoActiveWindow));
                ASSERT_TRUE(none->installed());
            }
            HWND owner = nullptr;
            DWORD exStyle = 0;
            bool ownerEnabled = true;
            Open(
                [&](OpenForm& f) {
                    owner = ::GetWindow(f.hwnd(), GW_OWNER);
                    exStyle = static_cast<DWORD>(::GetWindowLongW(f.hwnd(), GWL_EXSTYLE));
                    ownerEnabled = ::IsWindowEnabled(expected) != FALSE;
                },
                c.close);
            none.reset();
            EXPECT_EQ(owner, expected);
            EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0u) << "a taskbar button of its own";
            EXPECT_FALSE(ownerEnabled) << "the owner took input while the dialog was up";
            EXPECT_TRUE(::IsWindowEnabled(expected));
            EXPECT_EQ(::GetActiveWindow(), expected);
        }
    }
    ::DestroyWindow(other);
}

TEST_F(DialogOwner, OpensCentredOnTheWorkAreaOfTheOwnersMonitorAndNeverPartlyOffIt) {
    const HWND main = host().MainWindow();
    ::SetActiveWindow(main);
    ImportPatch from(host().Module(), "MonitorFromWindow", reinterpret_cast<void*>(&SpyMonitorFromWindow));
    ImportPatch info(host().Module(), "GetMonitorInfoW", reinterpret_cast<void*>(&SpyGetMonitorInfoW));
    ASSERT_TRUE(from.installed() && info.installed());
    g_monitor.forwardInfo = info.previous();
    struct Case {
        const char* name;
        RECT work;
        bool centred;  // else at the work area's top-left corner
    };
    const Case cases[] = {
        // Fake monitors inside the one the virtual screen has, so the dialog paints.
        {"a second monitor to the right", {512, 0, 1024, 768}, true},
        {"a monitor to the left, its work area below a top taskbar", {0, 40, 512, 768}, true},
        {"a work area smaller than the dialog", {100, 50, 400, 250}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_monitor.work = c.work;
        g_monitor.askedFor = nullptr;
        RECT r{};
        Open([&](OpenForm& f) { ::GetWindowRect(f.hwnd(), &r); }, [](OpenForm& f) { f.Cancel(); });
        EXPECT_EQ(g_monitor.askedFor, main);
        const LONG w = r.right - r.left, h = r.bottom - r.top;
        if (c.centred) {
            EXPECT_EQ(r.left, c.work.left + (c.work.right - c.work.left - w) / 2);
            EXPECT_EQ(r.top, c.work.top + (c.work.bottom - c.work.top - h) / 2);
        } else {
            EXPECT_EQ(r.left, c.work.left);
            EXPECT_EQ(r.top, c.work.top);
        }
    }
}

}  // namespace
