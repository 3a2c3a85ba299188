// White-box: an error raised inside the chooser's hook (here by a host whose
// get-variable callback fails) does not cross the common dialog's frames: the
// chooser closes as cancelled, nothing is written, the fixed variables are
// still emptied, and the error reaches the caller once the chooser is gone,
// also when the host then fails to empty one of them.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/actions.h"
#include "base/error.h"
#include "base/host.h"

namespace {

std::vector<std::string> g_log;

void HQAPI FailingGet(const char* name, char** value) {
    g_log.push_back(std::string("get ") + name);
    *value = nullptr;
    if (std::string(name) == "[cd_x]") throw hq::Error("the host could not read [cd_x]");
}

// Emptying [cd_y] fails too: that later error must not replace the first.
void HQAPI LoggingSet(const char* name, const char* value) {
    g_log.push_back(std::string("set ") + name + "=" + value);
    if (std::string(name) == "[cd_y]" && !*value) throw hq::Error("the host could not empty [cd_y]");
}

bool g_rescued = false;

// Closes a chooser the hook failed to close, so a regression cannot hang the run.
void CALLBACK Rescue(HWND, UINT, UINT_PTR, DWORD) {
    g_rescued = true;
    HWND dlg = ::FindWindowW(L"#32770", nullptr);
    if (dlg && ::GetWindowThreadProcessId(dlg, nullptr) == ::GetCurrentThreadId())
        ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST(ChooserHook, ErrorInsideTheHookClosesTheChooserAndIsRaisedAfterIt) {
    const hq::HostSlots saved = hq::Slots();
    hq::Slots().getVariable = &FailingGet;
    hq::Slots().setVariable = &LoggingSet;
    hq::Slots().mainWindow = nullptr;
    const UINT_PTR rescue = ::SetTimer(nullptr, 0, 3000, Rescue);

    const char* params[10] = {"1", "5", "6", "3", "Fade", "", "[R]", "[H]", "[F]", "[T]"};
    std::string error;
    g_rescued = false;
    try {
        hq::fzColorDialog(hq::Params(params, 10));
    } catch (const hq::Error& e) {
        error = e.what();
    }
    ::KillTimer(nullptr, rescue);
    hq::Slots() = saved;

    EXPECT_EQ(error, "the host could not read [cd_x]");
    EXPECT_FALSE(g_rescued) << "the chooser stayed open until the rescue timer closed it";
    EXPECT_EQ(g_log, (std::vector<std::string>{"set [cd_x]=5", "set [cd_y]=6", "set [cd_s]=3", "set [cd_a]=Fade",
                                               "set [cd_sp]=", "get [cd_s]", "get [cd_x]", "set [cd_x]=",
                                               "set [cd_y]=", "set [cd_s]=", "set [cd_a]=", "set [cd_sp]="}));
}

}  // namespace
