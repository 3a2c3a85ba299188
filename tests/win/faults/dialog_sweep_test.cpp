// Fault sweep of every property dialog's OK path: with any call failing, the
// dialog either stores exactly what a clean OK stores, or leaves every slot
// as the host passed it and an error reaches the host.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "import_patch.h"
#include "sweep.h"
#include "form/probe.h"

namespace {

using namespace faultsweep;

// Presses OK on the first painted form; closes any form still open after a
// deadline so that no run can hang.
struct OkPresser {
    static inline OkPresser* current = nullptr;
    DWORD started = ::GetTickCount();
    bool pressed = false;
    bool forced = false;
    UINT_PTR timer = 0;

    OkPresser() {
        current = this;
        timer = ::SetTimer(nullptr, 0, 10, &Tick);
    }
    ~OkPresser() {
        ::KillTimer(nullptr, timer);
        current = nullptr;
    }

    static BOOL CALLBACK Visit(HWND h, LPARAM) {
        OkPresser* self = current;
        wchar_t cls[64] = {};
        ::GetClassNameW(h, cls, 64);
        if (!self || std::wcscmp(cls, hq::ui::kFormClassName) != 0 || !::IsWindowVisible(h)) return TRUE;
        if (!self->pressed && ::GetPropW(h, hq::ui::kFirstPaintProperty)) {
            hq::ui::ControlProbe p;
            p.op = hq::ui::ControlProbe::kClick;
            std::strcpy(p.name, "Button1");
            self->pressed = true;
            ::SendMessageW(h, hq::ui::ProbeMessage(), 0, reinterpret_cast<LPARAM>(&p));
        } else if (::GetTickCount() - self->started > 4000) {
            self->forced = true;
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &Visit, 0);
    }
};

const int kDialogIds[] = {1, 2, 3, 4, 5, 20, 21, 23, 24, 25, 26, 27, 28,
                          30, 31, 32, 33, 35, 38, 39, 40, 41, 44, 45, 46, 100};

class DialogSweep : public SweepTest {};

void* g_enumThreadWindows = nullptr;

// Fails the first allocation made while the system enumerates the thread's windows.
BOOL WINAPI FailingEnumThreadWindows(DWORD thread, WNDENUMPROC proc, LPARAM lp) {
    hqhost::faults::FailNext("malloc");
    return reinterpret_cast<decltype(&::EnumThreadWindows)>(g_enumThreadWindows)(thread, proc, lp);
}

// A dialog collects the windows it disables inside a system enumeration: an
// allocation failing there ends the dialog with an error instead of unwinding
// through the system's frames (which ends the host process).
TEST_F(DialogSweep, AnAllocationFailingInsideTheWindowEnumerationEndsTheDialogWithAnError) {
    std::vector<std::string> params = {"1", "1"};
    bool ok = true;
    {
        hqtest::ImportPatch spy(host().Module(), "EnumThreadWindows",
                                reinterpret_cast<void*>(&FailingEnumThreadWindows));
        ASSERT_TRUE(spy.installed());
        g_enumThreadWindows = spy.previous();
        OkPresser presser;
        hqhost::faults::Arm();
        ok = host().Edit(1, params);
        hqhost::faults::Disarm();
    }
    EXPECT_TRUE(hqhost::faults::Tripped());
    EXPECT_FALSE(host().LastForeignFault().has_value()) << host().LastForeignFault().value_or("");
    EXPECT_FALSE(ok);
    EXPECT_EQ(host().LastError().value_or(""), "Out of memory");
    EXPECT_EQ(params, (std::vector<std::string>{"1", "1"}));
}

TEST_F(DialogSweep, EveryFailedCallStoresAllOrNothing) {
    std::vector<Case> cases;
    for (int id : kDialogIds) {
        size_t count = 0;
        for (const hqhost::CatalogueEntry& e : host().Catalogue())
            if (e.id == id) count = static_cast<size_t>(e.count);
        ASSERT_GT(count, 0u) << id;
        std::vector<std::string> given;
        for (size_t i = 0; i < count; ++i) given.push_back("1");
        struct State {
            std::vector<std::string> params, stored;
            bool pressed = false, forced = false;
        };
        auto state = std::make_shared<State>();
        Case c;
        c.name = "dialog " + std::to_string(id);
        c.prepare = [state, given] { state->params = given; };
        c.run = [this, id, state] {
            OkPresser presser;
            const bool ok = host().Edit(id, state->params);
            state->pressed = presser.pressed;
            state->forced = presser.forced;
            return ok;
        };
        c.verify = [state, given](const RunResult& r, std::vector<std::string>& problems) {
            if (state->forced) problems.push_back("the dialog had to be closed from outside");
            if (r.clean()) {
                if (!r.returned || !r.error.empty()) problems.push_back("the clean OK did not store");
                state->stored = state->params;
                return;
            }
            if (r.returned && r.error.empty()) {
                if (state->params != state->stored) problems.push_back("OK stored other strings than a clean OK");
            } else if (state->params != given) {
                problems.push_back("the slots changed although the dialog did not store");
            } else if (r.error.empty() && state->pressed) {
                problems.push_back("OK was pressed, nothing was stored and no error was raised");
            } else if (r.error.empty()) {
                problems.push_back("the dialog did not open and no error was raised");
            }
        };
        cases.push_back(c);
    }
    // Each run opens a dialog: the first calls of each site, a few more, and
    // the last ones, where OK stores the fields.
    EXPECT_GT(Sweep("dialogs' OK path", cases, Plan{4, 3, 6}), 0u);
}

}  // namespace
