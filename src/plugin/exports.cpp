// The eight exports, in the host's register convention. Each runs its body
// behind the error boundary.
#include <windows.h>

#include "actions/actions.h"
#include "editors/editors.h"
#include "editors/about.h"
#include "plugin/boundary.h"
#include "plugin/catalogue.h"
#include "plugin/dispatch.h"
#include "base/dpi.h"
#include "base/host.h"

using namespace hq;

namespace {

constexpr char kPluginName[] = "zeZoreredur";
constexpr char kPluginAuthor[] = "zeZoreredur team";
constexpr char kPluginDescription[] = "Несколько различных функций.";

constexpr int32_t kMessageReapplyTextEntry = 6;

bool ExecAction(int32_t id, const char* const* list) {
    const ExecRow* row = FindExecRow(id);
    const CatalogueRow* action = FindAction(id);
    if (!row || !action) return false;
    RequireHostCallbacks(row->needs);
    // A null list reads as empty texts, as a null slot does (Params).
    return row->action(Params(list, action->count));
}

}  // namespace

extern "C" {

void HQAPI hqRegisterPlugIn(RegisterActionFn registerAction, uint32_t reserved,
                                                  GetVariableFn getVariable, SetVariableFn setVariable) {
    GuardedVoid([&] {
        HostSlots& s = Slots();
        s.getVariable = getVariable;
        s.setVariable = setVariable;
        s.registerAction = registerAction;
        s.reserved = reserved;
        if (!registerAction) return;
        for (const CatalogueRow& row : kCatalogue)
            CallHost([&] {
                CallRegisterAction(registerAction, row.id, row.name, row.hint, row.codes, row.HighIndex(), row.count);
            });
    });
}

void HQAPI hqInitPlugIn(HWND mainWindow, char** name, char** author, char** description) {
    GuardedVoid([&] {
        Slots().mainWindow = mainWindow;
        // A null slot pointer is a slot the host does not want filled.
        if (name) AssignHostString(name, kPluginName);
        if (author) AssignHostString(author, kPluginAuthor);
        if (description) AssignHostString(description, kPluginDescription);
    });
}

bool HQAPI hqExecAction(int32_t id, const char* const* params) {
    return Guarded([&] { return ExecAction(id, params); }, false);
}

bool HQAPI hqEditAction(int32_t id, char** params) {
    // Without a list there are no slots to show or replace.
    // The dialog is laid out at its monitor's DPI; the thread's own DPI
    // awareness is back before the host sees the answer, on every path.
    return Guarded(
        [&] {
            const DpiAwareScope dpi;
            return params != nullptr && EditAction(id, params);
        },
        false);
}

void HQAPI hqMessage(int32_t code) {
    GuardedVoid([&] {
        if (code == kMessageReapplyTextEntry) ReapplyPendingTextEntryOptions();
    });
}

void HQAPI hqAbout() {
    GuardedVoid([] {
        const DpiAwareScope dpi;
        ShowAboutBox();
    });
}

void HQAPI hqRegisterScriptProcessor(ScriptProcessorFn scriptProcessor) {
    Slots().scriptProcessor = scriptProcessor;
}

void HQAPI hqRegisterInterfaceAccess(InterfaceAccessFn interfaceAccess) {
    Slots().interfaceAccess = interfaceAccess;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) hq::SetPluginModule(instance);
    if (reason == DLL_PROCESS_DETACH) ReleasePendingTextEntryOptions();
    return TRUE;
}

}  // extern "C"
