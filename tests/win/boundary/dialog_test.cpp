// Property dialogs at the boundary: the control probe answers only its own
// thread's well-formed requests, "OK" keeps every host block when a new one
// cannot be made, a dialog destroyed from outside ends its call, and common
// controls the system cannot register raise instead of a dialog without them.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "fixture.h"
#include "import_patch.h"

namespace {

using hq::ui::ControlProbe;
using hqtest::Driver;
using hqtest::OpenForm;

class DialogBoundary : public hqtest::PluginTest {
protected:
    void TearDown() override {
        EXPECT_EQ(hqtest::FindOpenForm(), nullptr) << "the dialog outlived the call";
        PluginTest::TearDown();
    }
};

// Sends a probe from a thread of its own while this (the form's) thread keeps
// handling sent messages; the result, or -1 when the send never completed.
struct SendJob {
    HWND form;
    ControlProbe* p;
    LRESULT result = -1;
};

DWORD WINAPI SendProbe(void* arg) {
    auto* j = static_cast<SendJob*>(arg);
    j->result = ::SendMessageW(j->form, hq::ui::ProbeMessage(), 0, reinterpret_cast<LPARAM>(j->p));
    return 0;
}

LRESULT SendFromAnotherThread(HWND form, ControlProbe* p) {
    SendJob job{form, p};
    const HANDLE thread = ::CreateThread(nullptr, 0, &SendProbe, &job, 0, nullptr);
    if (!thread) return -1;
    const DWORD deadline = ::GetTickCount() + 10000;
    while (::GetTickCount() < deadline) {
        const DWORD r = ::MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) break;
        MSG m;
        ::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // handles the sent message
    }
    ::WaitForSingleObject(thread, 0);
    ::CloseHandle(thread);
    return job.result;
}

TEST_F(DialogBoundary, ProbeAnswersOnlyWellFormedRequestsSentFromTheFormsOwnThread) {
    enum class Via { ThisThread, OtherThread, Heap };
    struct Case {
        const char* name;
        Via via;
        void (*spoil)(ControlProbe&);
    };
    const Case refused[] = {
        {"size one short", Via::ThisThread, [](ControlProbe& p) { p.size -= 1; }},
        {"size zero", Via::ThisThread, [](ControlProbe& p) { p.size = 0; }},
        {"wrong magic", Via::ThisThread, [](ControlProbe& p) { p.magic ^= 1; }},
        {"no magic", Via::ThisThread, [](ControlProbe& p) { p.magic = 0; }},
        {"sent from another thread", Via::OtherThread, [](ControlProbe&) {}},
        {"outside the sender's stack", Via::Heap, [](ControlProbe&) {}},
    };
    bool answeredWellFormed = false;
    Driver d([&](OpenForm& f) {
        for (const Case& c : refused) {
            auto onHeap = std::make_unique<ControlProbe>();
            ControlProbe onStack;
            ControlProbe& p = c.via == Via::Heap ? *onHeap : onStack;
            p.op = ControlProbe::kClick;  // a click would end the dialog if answered
            std::strcpy(p.name, "Button1");
            c.spoil(p);
            ControlProbe before;
            std::memcpy(&before, &p, sizeof p);
            const LRESULT r = c.via == Via::OtherThread
                                  ? SendFromAnotherThread(f.hwnd(), &p)
                                  : ::SendMessageW(f.hwnd(), hq::ui::ProbeMessage(), 0, reinterpret_cast<LPARAM>(&p));
            EXPECT_EQ(r, 0) << c.name;
            EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0) << c.name << ": the request was written";
        }
        answeredWellFormed = f.Exists("Edit1");
        f.Cancel();
    });
    std::vector<std::string> params = {"x"};
    EXPECT_FALSE(host().Edit(2, params)) << "a refused click on OK ended the dialog";
    EXPECT_TRUE(d.Ran());
    EXPECT_FALSE(d.ForcedClose());
    EXPECT_TRUE(answeredWellFormed);
}

// ---- a host-string allocation that fails while "OK" stores the slots

struct {
    void* forward = nullptr;
    int countdown = 0;  // the allocation that brings it to 0 fails
} g_alloc;

HGLOBAL WINAPI FailingGlobalAlloc(UINT flags, SIZE_T bytes) {
    if (g_alloc.countdown > 0 && --g_alloc.countdown == 0) return nullptr;
    return reinterpret_cast<decltype(&::GlobalAlloc)>(g_alloc.forward)(flags, bytes);
}

TEST_F(DialogBoundary, OkWhoseNewBlockCannotBeMadeLeavesEverySlotWithTheHostsBlock) {
    hqtest::ImportPatch spy(host().Module(), "GlobalAlloc", reinterpret_cast<void*>(&FailingGlobalAlloc));
    ASSERT_TRUE(spy.installed());
    g_alloc.forward = spy.previous();
    for (int failing = 1; failing <= 5; ++failing) {  // fzShotRect: five slots
        char* slots[5];
        char* before[5];
        for (int i = 0; i < 5; ++i) before[i] = slots[i] = ledger().Give("p" + std::to_string(i));
        Driver d([&](OpenForm& f) {
            g_alloc.countdown = failing;
            f.Ok();
        });
        EXPECT_FALSE(host().EditRaw(5, slots)) << failing;
        g_alloc.countdown = 0;
        EXPECT_EQ(host().LastError().value_or("(none)"), "Out of memory") << failing;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(slots[i], before[i]) << "allocation " << failing << " failing, slot " << i;
            if (slots[i] && ledger().IsLive(slots[i])) {
                EXPECT_EQ(ledger().Take(slots[i]), "p" + std::to_string(i));
            }
        }
    }
}

// ---- a dialog destroyed from outside

bool g_watchdogFired = false;
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    g_watchdogFired = true;
    ::PostQuitMessage(0);  // ends any modal loop that never noticed
}

TEST_F(DialogBoundary, DialogDestroyedFromOutsideEndsAsCancelled) {
    char* slots[2] = {ledger().Give("C:\\shot.bmp"), nullptr};
    char* const before = slots[0];
    Driver d([](OpenForm& f) { ::DestroyWindow(f.hwnd()); });
    g_watchdogFired = false;
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 10000, &Watchdog);
    const bool result = host().EditRaw(2, slots);
    ::KillTimer(nullptr, watchdog);
    MSG m;
    while (::PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    EXPECT_TRUE(d.Ran());
    EXPECT_FALSE(g_watchdogFired) << "the call returned only because the watchdog quit its loop";
    EXPECT_FALSE(result);
    EXPECT_FALSE(host().LastError().has_value());
    EXPECT_EQ(slots[0], before);
    EXPECT_EQ(ledger().Take(slots[0]), "C:\\shot.bmp");
}

// ---- common controls the system cannot register

struct {
    void* forward = nullptr;
    bool fail = true;
    std::vector<DWORD> asked;  // the classes each call asked for
} g_icc;

BOOL WINAPI SpyInitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    g_icc.asked.push_back(icc->dwICC);
    return !g_icc.fail && reinterpret_cast<decltype(&::InitCommonControlsEx)>(g_icc.forward)(icc);
}

TEST_F(DialogBoundary, CommonControlsThatCannotBeRegisteredRaiseLeaveNothingAndAreTriedAgain) {
    hqtest::ImportPatch spy(host().Module(), "InitCommonControlsEx", reinterpret_cast<void*>(&SpyInitCommonControlsEx));
    ASSERT_TRUE(spy.installed());
    g_icc.forward = spy.previous();
    hqtest::Holdings held;
    for (int call = 0; call < 3; ++call) {  // the first settles one-time set-up; the last may register them
        if (call == 1) held = hqtest::Held();
        g_icc.fail = call < 2;
        Driver d([](OpenForm& f) { f.Cancel(); });
        std::vector<std::string> params{"C:\\shot.jpg", "85"};
        EXPECT_FALSE(host().Edit(1, params));
        EXPECT_EQ(host().LastError().value_or("(none)"), g_icc.fail ? "Cannot register the common control classes" : "(none)");
        EXPECT_EQ(d.Ran(), !g_icc.fail) << call << ": a dialog without its slider, or none once they register";
        if (call == 1) EXPECT_EQ(hqtest::Held(), held);
    }
    // Trackbar and tooltip, which every comctl32 version knows; asked again after each failure.
    EXPECT_EQ(g_icc.asked, (std::vector<DWORD>(3, ICC_BAR_CLASSES)));
}

}  // namespace
