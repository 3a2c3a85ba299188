// Input options of text-entry objects (the host's edit controls), and their
// re-application when the host sends message 6.
#include <windows.h>

#include <string>

#include "actions/actions.h"
#include "actions/window/window_util.h"
#include "base/host.h"

namespace hq {

namespace {

// The options of the most recent successful call; empty at load.
struct PendingOptions {
    std::string object, input, readOnly;
};
PendingOptions& Pending() {
    static PendingOptions pending;
    return pending;
}

void Style(HWND edit, DWORD set, DWORD clear) { ChangeWindowLong(edit, GWL_STYLE, set, clear); }

// `edit` null (the object's handle names no window): nothing is touched.
void ApplyOptions(HWND edit, const std::string& input, const std::string& readOnly) {
    if (!edit) return;
    if (input == "0") {
        Style(edit, 0, ES_NUMBER | ES_LOWERCASE | ES_UPPERCASE);
    } else if (input == "1") {
        Style(edit, ES_NUMBER, 0);
    } else if (input == "2") {
        Style(edit, 0, ES_NUMBER | ES_UPPERCASE);
        Style(edit, ES_LOWERCASE, 0);
    } else if (input == "3") {
        Style(edit, 0, ES_NUMBER | ES_LOWERCASE);
        Style(edit, ES_UPPERCASE, 0);
    }
    if (readOnly == "1")
        ::SendMessageA(edit, EM_SETREADONLY, 1, 0);
    else if (readOnly == "0")
        ::SendMessageA(edit, EM_SETREADONLY, 0, 0);
}

}  // namespace

bool fzSetTextEntryOptions(const Params& p) {
    const HWND edit = ObjectWindow(p[0]);  // a missing object ends the call here
    ApplyOptions(edit, p[1], p[2]);
    Pending() = {p[0], p[1], p[2]};
    return true;
}

void ReapplyPendingTextEntryOptions() {
    const PendingOptions pending = Pending();  // a copy: the host's callbacks cannot change it
    if (pending.object.empty()) return;
    RequireHostCallbacks(kGetVariable | kSetVariable | kScriptProcessor);
    const std::optional<HWND> edit = TryObjectWindow(pending.object);
    if (!edit || !*edit) {
        // The object is gone: forget its options rather than fail every later message.
        ReleasePendingTextEntryOptions();
        return;
    }
    ApplyOptions(*edit, pending.input, pending.readOnly);
}

void ReleasePendingTextEntryOptions() {
    PendingOptions none;
    std::swap(Pending(), none);
}

}  // namespace hq
