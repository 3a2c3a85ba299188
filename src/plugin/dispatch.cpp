// The exec dispatch table, read from the action list: action ID -> procedure
// and the host callbacks it needs (the parameter count is the catalogue's).
#include "dispatch.h"

#include <type_traits>

#include "base/host.h"

namespace hq {

// Every action's procedure, declared from the list (actions/actions.h lists
// the same by subsystem).
#define HQ_GROUP(name)
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) bool name(const Params&);
#include "editors/action_list.inc"

namespace {

// Whether an action asks the host to lay the publication out again: it runs
// the re-layout script through the script processor.
enum Layout : bool { kSameLayout = false, kRelayout = true };

template <class... Callback>
    requires(std::is_same_v<Callback, HostCallback> && ...)
constexpr unsigned Calls(Callback... callbacks) {
    return (0u | ... | callbacks);
}

constexpr unsigned Needs(Layout layout, unsigned calls) {
    return calls | (layout == kRelayout ? unsigned{kScriptProcessor} : 0u);
}

constexpr ExecRow kExecTable[] = {
#define HQ_GROUP(name)
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) {id, &name, Needs(layout, calls)},
#include "editors/action_list.inc"
};

}  // namespace

const ExecRow* FindExecRow(int32_t id) {
    for (const ExecRow& row : kExecTable)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace hq
