// Mouse control: confinement read back with GetClipCursor, the freeze one pixel
// up and to the left, the enable that confines to the primary screen, and
// synthetic clicks arriving at a window.
#include <gtest/gtest.h>

#include "fixture.h"
#include "system_support.h"

namespace {

using systest::ImportPatch;
using systest::TestWindow;

class MouseTest : public hqtest::PluginTest {
protected:
    void TearDown() override {
        ::ClipCursor(nullptr);  // confinement is system-wide: never leave it behind
        PluginTest::TearDown();
    }
    static RECT Clip() {
        RECT r{};
        ::GetClipCursor(&r);
        return r;
    }
    static POINT Cursor() {
        POINT p{};
        ::GetCursorPos(&p);
        return p;
    }
};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST_F(MouseTest, ClipCursorConfinesToTheRectangleAndNoClipReleasesIt) {
    const RECT whole = Clip();
    EXPECT_FALSE(Exec(28, {"100", "$64", "300", "200"}));
    EXPECT_TRUE(Same(Clip(), RECT{100, 100, 300, 200})) << Show(Clip());
    ::SetCursorPos(500, 500);
    EXPECT_EQ(Cursor().x, 299);
    EXPECT_EQ(Cursor().y, 199);
    EXPECT_FALSE(Exec(29));
    EXPECT_TRUE(Same(Clip(), whole)) << Show(Clip());
    ::SetCursorPos(500, 500);
    EXPECT_EQ(Cursor().x, 500);
}

TEST_F(MouseTest, ClipCursorWithABadEdgeRaisesAndChangesNothing) {
    EXPECT_FALSE(Exec(28, {"10", "10", "400", "400"}));
    EXPECT_EQ(ExecError(28, {"0", "0", "right", "100"}), "'right' is not a valid integer value");
    EXPECT_TRUE(Same(Clip(), RECT{10, 10, 400, 400})) << Show(Clip());
}

TEST_F(MouseTest, MouseDisableFreezesOnePixelUpLeftEachTime) {
    ::SetCursorPos(300, 200);
    EXPECT_FALSE(Exec(30, {"0"}));
    EXPECT_TRUE(Same(Clip(), RECT{299, 199, 300, 200})) << Show(Clip());
    EXPECT_EQ(Cursor().x, 299);
    EXPECT_EQ(Cursor().y, 199);
    ::SetCursorPos(600, 600);  // frozen
    EXPECT_EQ(Cursor().x, 299);
    EXPECT_FALSE(Exec(30, {"0"}));  // a second "0" moves the freeze point again
    EXPECT_TRUE(Same(Clip(), RECT{298, 198, 299, 199})) << Show(Clip());
    EXPECT_EQ(Cursor().x, 298);
    EXPECT_EQ(Cursor().y, 198);
    EXPECT_FALSE(Exec(29));
    ::SetCursorPos(600, 600);
    EXPECT_EQ(Cursor().x, 600);
}

// GetCursorPos as on a locked workstation or a secure desktop: it fails.
int g_cursorQueries = 0;
BOOL WINAPI FailGetCursorPos(POINT*) {
    ++g_cursorQueries;
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(MouseTest, WithoutACursorPositionTheFreezeAndTheWindowQueryLeaveEverything) {
    TestWindow corner(L"corner", 0, 0, 80, 80);
    ::SetCursorPos(300, 200);
    const RECT whole = Clip();
    ImportPatch spy(host().Module(), "GetCursorPos", reinterpret_cast<void*>(&FailGetCursorPos));
    ASSERT_TRUE(spy.installed());
    g_cursorQueries = 0;
    EXPECT_FALSE(Exec(30, {"0"}));
    EXPECT_TRUE(Same(Clip(), whole)) << "confined without a position: " << Show(Clip());
    EXPECT_EQ(Cursor().x, 300);
    // The window query names no window (not the one at 0,0): its variable is
    // emptied, as a pixel query outside the screen empties its own.
    host().SetVar("[W]", "before");
    EXPECT_TRUE(Exec(32, {"[W]"}));
    EXPECT_EQ(host().Var("[W]"), "");
    EXPECT_EQ(g_cursorQueries, 2);
}

TEST_F(MouseTest, MouseEnableConfinesToThePrimaryScreenOtherTextsDoNothing) {
    ::SetCursorPos(300, 200);
    EXPECT_FALSE(Exec(30, {"0"}));
    for (const char* idle : {"", " 1", "1 ", "on", "2"}) {
        EXPECT_FALSE(Exec(30, {idle}));
        EXPECT_TRUE(Same(Clip(), RECT{299, 199, 300, 200})) << idle << ": " << Show(Clip());
    }
    EXPECT_FALSE(Exec(30, {"1"}));
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(Same(Clip(), screen)) << Show(Clip());
    ::SetCursorPos(600, 500);
    EXPECT_EQ(Cursor().x, 600);
    EXPECT_EQ(Cursor().y, 500);
}

// mouse_event calls as the plug-in made them.
struct MouseEventCall {
    DWORD flags, dx, dy, data;
    ULONG_PTR extra;
    POINT cursor;  // where the cursor was at that moment
};
std::vector<MouseEventCall> g_events;
void* g_forwardMouseEvent = nullptr;
void WINAPI SpyMouseEvent(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extra) {
    POINT at{};
    ::GetCursorPos(&at);
    g_events.push_back({flags, dx, dy, data, extra, at});
    reinterpret_cast<decltype(&::mouse_event)>(g_forwardMouseEvent)(flags, dx, dy, data, extra);
}

TEST_F(MouseTest, EachButtonNameSendsItsEventsAtTheConvertedPointAndTheyArrive) {
    TestWindow target(L"target", 100, 100, 300, 200);
    ImportPatch spy(host().Module(), "mouse_event", reinterpret_cast<void*>(&SpyMouseEvent));
    ASSERT_TRUE(spy.installed());
    g_forwardMouseEvent = spy.previous();
    struct Case {
        const char* name;
        std::vector<DWORD> flags;
        std::vector<std::string> arrived;
    };
    const Case cases[] = {
        {"LeftButton", {2, 4}, {"LDOWN", "LUP"}},
        {"RightButton", {8, 16}, {"RDOWN", "RUP"}},
        {"MiddleButton", {32, 64}, {"MDOWN", "MUP"}},
        // Two clicks at once arrive as a click and a double click.
        {"DoubleLeft", {2, 4, 2, 4}, {"LDOWN", "LUP", "LDBL", "LUP"}},
    };
    int x = 150;
    for (const Case& c : cases) {
        g_events.clear();
        target.Clicks().clear();
        const std::string xs = "$" + [&] { char b[16]; std::snprintf(b, sizeof b, "%X", x); return std::string(b); }();
        EXPECT_FALSE(Exec(31, {xs, " 180", c.name})) << c.name;
        hqtest::WaitUntil([&] { return target.Clicks().size() >= c.arrived.size(); }, 2000);
        ASSERT_EQ(g_events.size(), c.flags.size()) << c.name;
        for (size_t i = 0; i < g_events.size(); ++i) {
            EXPECT_EQ(g_events[i].flags, c.flags[i]) << c.name << " event " << i;
            EXPECT_EQ(g_events[i].dx, static_cast<DWORD>(x));
            EXPECT_EQ(g_events[i].dy, 180u);
            EXPECT_EQ(g_events[i].data, 0u);
            EXPECT_EQ(g_events[i].extra, 0u);
            EXPECT_EQ(g_events[i].cursor.x, x);
            EXPECT_EQ(g_events[i].cursor.y, 180);
        }
        EXPECT_EQ(target.Clicks(), c.arrived) << c.name;
        x += 40;  // a fresh spot and another first button: clicks of two cases never pair
    }
}

TEST_F(MouseTest, UnknownButtonNamesSendNothingAndConvertNothing) {
    ImportPatch spy(host().Module(), "mouse_event", reinterpret_cast<void*>(&SpyMouseEvent));
    g_forwardMouseEvent = spy.previous();
    g_events.clear();
    ::SetCursorPos(50, 60);
    for (const char* name : {"leftbutton", "LEFTBUTTON", "Left", "", " LeftButton", "DoubleRight"}) {
        // Coordinates that are not numbers raise nothing: they are never converted.
        EXPECT_FALSE(Exec(31, {"x?", "y?", name})) << name;
    }
    EXPECT_TRUE(g_events.empty());
    POINT at{};
    ::GetCursorPos(&at);
    EXPECT_EQ(at.x, 50);
    EXPECT_EQ(at.y, 60);
}

TEST_F(MouseTest, ABadCoordinateStopsTheClickBeforeTheCursorMoves) {
    ImportPatch spy(host().Module(), "mouse_event", reinterpret_cast<void*>(&SpyMouseEvent));
    g_forwardMouseEvent = spy.previous();
    g_events.clear();
    ::SetCursorPos(50, 60);
    EXPECT_EQ(ExecError(31, {"100", "1e2", "LeftButton"}), "'1e2' is not a valid integer value");
    EXPECT_EQ(ExecError(31, {"10O", "100", "RightButton"}), "'10O' is not a valid integer value");
    EXPECT_TRUE(g_events.empty());
    POINT at{};
    ::GetCursorPos(&at);
    EXPECT_EQ(at.x, 50);
    EXPECT_EQ(at.y, 60);
}

}  // namespace
