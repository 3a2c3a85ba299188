// Window actions on windows of another thread. A thread that stops handling
// messages (a program that hangs) must not hold the host's thread: the action
// ends with "Window is not responding" and leaves the window as it was, and
// message 6 keeps the options to try again. On a thread that answers, the
// same actions work as on the host's own windows.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "fixture.h"

namespace {

constexpr char kNotResponding[] = "Window is not responding";

// An external window and a text entry (an edit control on a frame window) on
// a thread of their own, which handles messages until Stop() and again after
// Resume(). A stopped thread resumes by itself after a long safety wait, so a
// caller that blocked on it comes back late instead of never.
class ForeignWindows {
public:
    ForeignWindows() : thread_([this] { Run(); }) { ::WaitForSingleObject(ready_, 10000); }
    ~ForeignWindows() {
        ::SetEvent(resume_);
        ::SetEvent(quit_);
        thread_.join();
        for (HANDLE h : {ready_, stop_, stopped_, resume_, resumed_, quit_}) ::CloseHandle(h);
    }
    // Returns once the thread no longer handles messages.
    void Stop() {
        ::ResetEvent(resume_);
        ::SetEvent(stop_);
        ::WaitForSingleObject(stopped_, 10000);
    }
    // Returns once the thread has handled its messages again (from then on the
    // system no longer calls it hung).
    void Resume() {
        ::ResetEvent(resumed_);
        ::SetEvent(resume_);
        ::WaitForSingleObject(resumed_, 10000);
    }

    HWND external = nullptr, frame = nullptr, edit = nullptr;

private:
    void Run() {
        external = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 300, 200, 150,
                                     nullptr, nullptr, nullptr, nullptr);
        frame = ::CreateWindowExW(0, L"STATIC", L"frame", WS_POPUP | WS_VISIBLE, 600, 500, 220, 60, nullptr, nullptr,
                                  nullptr, nullptr);
        edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, frame, nullptr, nullptr,
                                 nullptr);
        ::SetEvent(ready_);
        const HANDLE wake[] = {quit_, stop_};
        for (;;) {
            const DWORD got = ::MsgWaitForMultipleObjects(2, wake, FALSE, INFINITE, QS_ALLINPUT);
            if (got == WAIT_OBJECT_0) break;
            if (got == WAIT_OBJECT_0 + 1) {
                ::ResetEvent(stop_);
                ::SetEvent(stopped_);
                ::WaitForSingleObject(resume_, 30000);  // no messages meanwhile
                ::ResetEvent(stopped_);
            }
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            ::SetEvent(resumed_);
        }
        ::DestroyWindow(frame);
        ::DestroyWindow(external);
    }
    HANDLE ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE stop_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE stopped_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE resume_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE resumed_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
};

DWORD Style(HWND w) { return static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE)); }
DWORD ExStyle(HWND w) { return static_cast<DWORD>(::GetWindowLongW(w, GWL_EXSTYLE)); }

struct Looks {
    DWORD style, exStyle, editStyle;
    bool operator==(const Looks&) const = default;
};
Looks LooksOf(const ForeignWindows& w) { return {Style(w.external), ExStyle(w.external), Style(w.edit)}; }

class UnansweringWindow : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        host().AdoptObject("Ext", windows_.external);
        host().AdoptObject("Edit", windows_.edit);
    }
    void TearDown() override {
        host().DestroyObjects();  // windows of the other thread: forgotten, not destroyed
        PluginTest::TearDown();
    }
    ForeignWindows windows_;
};

struct WindowAction {
    int id;
    std::vector<std::string> params;
    // What the action does to an answering window.
    std::function<bool(const ForeignWindows&)> applied;
};

const WindowAction kActions[] = {
    {23, {"Ext"}, [](const ForeignWindows& w) { return (Style(w.external) & WS_THICKFRAME) != 0; }},
    {24, {"Ext", "0", "255", "0"}, [](const ForeignWindows& w) { return (ExStyle(w.external) & WS_EX_LAYERED) != 0; }},
    {25, {"Ext"}, [](const ForeignWindows& w) { return (ExStyle(w.external) & WS_EX_LAYERED) == 0; }},
    {38, {"Edit", "1", "1"}, [](const ForeignWindows& w) { return (Style(w.edit) & (ES_NUMBER | ES_READONLY)) ==
                                                                  static_cast<DWORD>(ES_NUMBER | ES_READONLY); }},
};

TEST_F(UnansweringWindow, ActionsEndWithTheErrorAndChangeNothingThenWorkOnceTheThreadAnswers) {
    ::SetWindowLongW(windows_.external, GWL_STYLE, static_cast<LONG>(Style(windows_.external) & ~WS_THICKFRAME));
    windows_.Stop();
    const Looks before = LooksOf(windows_);
    for (const WindowAction& a : kActions) {
        EXPECT_EQ(ExecError(a.id, a.params), kNotResponding) << a.id;
        EXPECT_EQ(LooksOf(windows_), before) << a.id << " changed the window";
    }
    windows_.Resume();
    for (const WindowAction& a : kActions) {
        EXPECT_TRUE(Exec(a.id, a.params)) << a.id;
        EXPECT_TRUE(a.applied(windows_)) << a.id;
    }
}

TEST_F(UnansweringWindow, MessageSixKeepsTheOptionsOfAnUnansweringEntryAndAppliesThemOnceItAnswers) {
    ASSERT_TRUE(Exec(38, {"Edit", "1", "1"}));
    const auto clear = [&] {
        ::SetWindowLongW(windows_.edit, GWL_STYLE, static_cast<LONG>(Style(windows_.edit) & ~ES_NUMBER));
        ::SendMessageW(windows_.edit, EM_SETREADONLY, FALSE, 0);
    };
    clear();
    windows_.Stop();
    host().Message(6);
    EXPECT_FALSE(host().LastError().has_value()) << *host().LastError();
    EXPECT_EQ(Style(windows_.edit) & (ES_NUMBER | ES_READONLY), 0u);
    windows_.Resume();
    host().Message(6);
    EXPECT_EQ(Style(windows_.edit) & (ES_NUMBER | ES_READONLY), static_cast<DWORD>(ES_NUMBER | ES_READONLY));
}

}  // namespace
