// A host that raises its own structured exception in a callback (as a Pascal
// host raises its errors) gets that exception back from the export as it
// raised it, with the plug-in unwound behind it: no dialog or chooser left,
// every window it disabled enabled again, nothing held, the next call served.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "driver.h"
#include "fixture.h"

namespace {

using hqhost::Host;
using hqtest::Driver;
using hqtest::OpenForm;

struct ThreadWindows {
    size_t count = 0, disabled = 0;
};
BOOL CALLBACK CountWindow(HWND h, LPARAM lp) {
    auto* windows = reinterpret_cast<ThreadWindows*>(lp);
    ++windows->count;
    if (!::IsWindowEnabled(h)) ++windows->disabled;
    return TRUE;
}
ThreadWindows ThreadWindowsNow() {
    ThreadWindows w;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&w));
    return w;
}

class HostRaises : public hqtest::PluginTest {};

TEST_F(HostRaises, TheHostsExceptionComesBackUnchangedAndThePluginIsUnwoundBehindIt) {
    host().CreateTextEntry("Edit1", 10, 10, 100, 24);
    host().CreateExternalWindow("Ext", 600, 400, 200, 150);
    struct Case {
        const char* what;
        Host::Callback callback;
        const char* prefix;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"get-variable in an action", Host::Callback::GetVariable, "[Ext.WinHandle]",
         [&] { host().Exec(23, {"Ext"}); }},
        {"set-variable in an action", Host::Callback::SetVariable, "[fzRez]",
         [&] { host().Exec(38, {"Edit1", "1", "1"}); }},
        {"the script processor in an action", Host::Callback::Script, "GetObjectHandle",
         [&] { host().Exec(38, {"Edit1", "1", "1"}); }},
        {"get-variable in the colour chooser's hook", Host::Callback::GetVariable, "[cd_x]",
         [&] { host().Exec(40, {"1", "5", "6", "3", "Fade", "", "[R]", "[H]", "[F]", "[T]"}); }},
        {"interface access from a dialog's pick button", Host::Callback::InterfaceAccess, "",
         [&] {
             Driver d([](OpenForm& f) { f.Click("SpeedButton1"); });
             std::vector<std::string> params{"C:\\old.jpg", "85"};
             host().Edit(1, params);
         }},
        {"register-action while the host registers the plug-in", Host::Callback::RegisterAction, "",
         [&] { host().RegisterPlugIn(); }},
    };
    // The first round lets one-time set-up settle (the first exception's
    // run-time blocks); the second one counts what the plug-in holds.
    for (int round = 0; round < 2; ++round)
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const hqtest::Holdings held = hqtest::Held();
        const ThreadWindows before = ThreadWindowsNow();
        host().RaiseInNextCallback(c.callback, c.prefix);
        c.call();
        ASSERT_TRUE(host().LastRaisedByHost().has_value()) << "the host's exception did not come back";
        const Host::Raised& raised = *host().LastRaisedByHost();
        EXPECT_EQ(raised.code, Host::kHostRaiseCode);
        EXPECT_EQ(raised.flags & EXCEPTION_NONCONTINUABLE, static_cast<DWORD>(EXCEPTION_NONCONTINUABLE));
        EXPECT_EQ(raised.params, std::vector<uintptr_t>(std::begin(Host::kHostRaiseParams),
                                                        std::end(Host::kHostRaiseParams)));
        EXPECT_FALSE(host().LastError().has_value()) << *host().LastError();
        EXPECT_FALSE(host().LastForeignFault().has_value()) << *host().LastForeignFault();
        const ThreadWindows after = ThreadWindowsNow();
        EXPECT_EQ(after.count, before.count) << "a window of the plug-in was left";
        EXPECT_EQ(after.disabled, before.disabled) << "a window the plug-in disabled stayed disabled";
        if (round == 1) {
            EXPECT_EQ(hqtest::Held(), held);
        }
        if (c.callback == Host::Callback::RegisterAction) host().RegisterPlugIn();  // the catalogue again
        EXPECT_TRUE(Exec(23, {"Ext"})) << "the next call";
    }
}

}  // namespace
