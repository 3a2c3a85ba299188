// Window handles that come from text (object handles, [Name.WinHandle],
// the handle parameters of the window shots): a value that names no window,
// or a special value such as HWND_BROADCAST, never reaches a message or a
// style change; and message 6 forgets the options of an object that is gone.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/host.h"
#include "fixture.h"
#include "import_patch.h"
#include "raw_host.h"

namespace {

using hqtest::ImportPatch;

// ---- every call that could reach a window, recorded when it names the bad handle

struct {
    uint32_t bad = 0;
    std::vector<std::string> touched;
    void* forward[10] = {};
} g_calls;

// Records the call when it names the bad handle (and keeps it from the
// system, so a broadcast never happens); otherwise forwards it.
template <int Slot, typename R, typename... Args>
R WINAPI Spy(HWND h, Args... args) {
    static const char* const kNames[] = {"SendMessageA", "SendMessageW", "PostMessageA", "PostMessageW",
                                         "SetWindowLongA", "SetWindowLongW", "SetWindowPos",
                                         "SetLayeredWindowAttributes", "RedrawWindow", "SendMessageTimeoutW"};
    if (static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)) == g_calls.bad) {
        g_calls.touched.push_back(kNames[Slot]);
        return R();
    }
    return reinterpret_cast<R(WINAPI*)(HWND, Args...)>(g_calls.forward[Slot])(h, args...);
}

class WindowCallSpies {
public:
    explicit WindowCallSpies(HMODULE plugin) {
        Add(plugin, "SendMessageA", reinterpret_cast<void*>(&Spy<0, LRESULT, UINT, WPARAM, LPARAM>));
        Add(plugin, "SendMessageW", reinterpret_cast<void*>(&Spy<1, LRESULT, UINT, WPARAM, LPARAM>));
        Add(plugin, "PostMessageA", reinterpret_cast<void*>(&Spy<2, BOOL, UINT, WPARAM, LPARAM>));
        Add(plugin, "PostMessageW", reinterpret_cast<void*>(&Spy<3, BOOL, UINT, WPARAM, LPARAM>));
        Add(plugin, "SetWindowLongA", reinterpret_cast<void*>(&Spy<4, LONG, int, LONG>));
        Add(plugin, "SetWindowLongW", reinterpret_cast<void*>(&Spy<5, LONG, int, LONG>));
        Add(plugin, "SetWindowPos", reinterpret_cast<void*>(&Spy<6, BOOL, HWND, int, int, int, int, UINT>));
        Add(plugin, "SetLayeredWindowAttributes", reinterpret_cast<void*>(&Spy<7, BOOL, COLORREF, BYTE, DWORD>));
        Add(plugin, "RedrawWindow", reinterpret_cast<void*>(&Spy<8, BOOL, const RECT*, HRGN, UINT>));
        Add(plugin, "SendMessageTimeoutW",
            reinterpret_cast<void*>(&Spy<9, LRESULT, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR>));
    }
    size_t Installed() const {
        size_t n = 0;
        for (const auto& p : patches_) n += p->installed();
        return n;
    }

private:
    void Add(HMODULE plugin, const char* name, void* spy) {
        patches_.push_back(std::make_unique<ImportPatch>(plugin, name, spy));
        g_calls.forward[patches_.size() - 1] = patches_.back()->previous();
    }
    std::vector<std::unique_ptr<ImportPatch>> patches_;
};

// The host's script processor, with [ObjHandle] then overwritten by the
// text under test: an object whose handle reads as anything at all.
std::string g_objectHandle;
void HQAPI ScriptWithObjectHandle(const char* script) {
    hqhost::Host& host = hqhost::Host::Instance();
    host.OnScript(script);
    if (std::strncmp(script, "GetObjectHandle", 15) == 0) host.SetVar("[ObjHandle]", g_objectHandle);
}

class WindowHandles : public hqtest::PluginTest {};

TEST_F(WindowHandles, HandlesThatNameNoWindowNeverReachAWindowCall) {
    const HWND edit = host().CreateTextEntry("Edit1", 10, 10, 100, 24);
    host().CreateExternalWindow("Ext", 600, 400, 200, 150);
    ASSERT_NE(edit, nullptr);
    const HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    const uint32_t goneBits = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(gone));
    struct Value {
        std::string text;
        uint32_t bits;
    };
    const Value values[] = {
        {"65535", 0xFFFFu},  // HWND_BROADCAST: every top-level window
        {"$FFFF", 0xFFFFu},
        {"0", 0u},
        {"1", 1u},                    // HWND_BOTTOM
        {"-1", 0xFFFFFFFFu},          // HWND_TOPMOST
        {"-2", 0xFFFFFFFEu},          // HWND_NOTOPMOST
        {"-3", 0xFFFFFFFDu},          // HWND_MESSAGE
        {std::to_string(goneBits), goneBits},  // a destroyed window
    };
    const std::string shot = hqtest::ExeDirPath("boundary_handle.bmp");
    ::DeleteFileA(shot.c_str());
    hqtest::RegisterCallbacks(0, reinterpret_cast<void*>(&ScriptWithObjectHandle));
    WindowCallSpies spies(host().Module());
    ASSERT_GE(spies.Installed(), 4u);
    for (const Value& v : values) {
        g_calls.bad = v.bits;
        g_calls.touched.clear();
        host().SetVar("[Ext.WinHandle]", v.text);
        g_objectHandle = v.text;
        // The shots keep the system's text for a handle that is no window.
        EXPECT_FALSE(ExecError(3, {v.text, shot}).empty()) << v.text;
        EXPECT_FALSE(ExecError(4, {v.text, shot}).empty()) << v.text;
        EXPECT_FALSE(::GetFileAttributesA(shot.c_str()) != INVALID_FILE_ATTRIBUTES) << v.text;
        // The others do nothing and succeed.
        EXPECT_TRUE(Exec(23, {"Ext"})) << v.text;
        EXPECT_TRUE(Exec(24, {"Ext", "1", "2", "3"})) << v.text;
        EXPECT_TRUE(Exec(25, {"Ext"})) << v.text;
        EXPECT_TRUE(Exec(38, {"Edit1", "1", "1"})) << v.text;
        host().Message(6);
        EXPECT_FALSE(host().LastError().has_value()) << v.text << ": " << *host().LastError();
        EXPECT_TRUE(g_calls.touched.empty()) << v.text << " reached " << g_calls.touched.front();
    }
    EXPECT_EQ(::GetWindowLongW(edit, GWL_STYLE) & (ES_NUMBER | ES_READONLY), 0) << "the real object was changed";
}

TEST_F(WindowHandles, MessageSixForgetsTheOptionsOfAnObjectThatIsGone) {
    struct Case {
        const char* name;
        std::function<void(HWND)> remove;
    };
    const Case cases[] = {
        {"the host no longer knows the object", [&](HWND) { host().DestroyObjects(); }},
        {"the object's window was destroyed", [](HWND edit) { ::DestroyWindow(edit); }},
    };
    for (const Case& c : cases) {
        const HWND edit = host().CreateTextEntry("Edit1", 10, 10, 100, 24);
        ASSERT_TRUE(Exec(38, {"Edit1", "1", "0"})) << c.name;
        ASSERT_NE(::GetWindowLongW(edit, GWL_STYLE) & ES_NUMBER, 0) << c.name;
        c.remove(edit);
        host().Message(6);
        EXPECT_FALSE(host().LastError().has_value()) << c.name << ": " << *host().LastError();
        // Forgotten: later messages ask the host nothing and change nothing.
        host().CallLog().clear();
        host().Message(6);
        EXPECT_FALSE(host().LastError().has_value()) << c.name;
        EXPECT_TRUE(host().CallLog().empty()) << c.name;
        host().DestroyObjects();
        const HWND again = host().CreateTextEntry("Edit1", 10, 10, 100, 24);
        host().Message(6);
        EXPECT_EQ(::GetWindowLongW(again, GWL_STYLE) & ES_NUMBER, 0) << c.name;
        host().DestroyObjects();
    }
}

}  // namespace
