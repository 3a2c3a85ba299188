// Input options of text-entry objects (the host's edit controls), and their
// re-application when the host sends message 6.
//
// The edit control may belong to another thread or program that stopped
// answering: it is asked first, with a bound, and the read-only switch is sent
// with the same bound. The action then ends with "Window is not responding";
// message 6 keeps the options and tries again the next time.
#include <windows.h>

#include <string>

#include "actions/actions.h"
#include "actions/window/window_util.h"
#include "base/error.h"
#include "base/host.h"
#include "base/window_answer.h"

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
// False when the control did not answer; nothing is changed then, unless it
// stopped answering between the question and the read-only switch.
bool ApplyOptions(HWND edit, const std::string& input, const std::string& readOnly) {
    if (!edit) return true;
    if (!WindowAnswers(edit)) return false;
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
    if (readOnly == "1" || readOnly == "0") return SendBounded(edit, EM_SETREADONLY, readOnly == "1", 0);
    return true;
}

}  // namespace

bool fzSetTextEntryOptions(const Params& p) {
    const HWND edit = ObjectWindow(p[0]);  // a missing object ends the call here
    // A control that is gone meanwhile counts as a handle that names no window.
    if (!ApplyOptions(edit, p[1], p[2]) && ::IsWindow(edit)) Fail(kNotRespondingText);
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
    ApplyOptions(*edit, pending.input, pending.readOnly);  // no answer: the next message 6 tries again
}

void ReleasePendingTextEntryOptions() {
    PendingOptions none;
    std::swap(Pending(), none);
}

}  // namespace hq
