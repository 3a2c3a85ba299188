// Action ID -> action procedure, read from the action list.
#pragma once
#include <cstdint>

#include "actions/params.h"

namespace hq {

struct ExecRow {
    int32_t id;
    bool (*action)(const Params&);
    // Host callbacks the action always calls (HostCallback flags), checked
    // before it runs: its calls, and the script processor when it asks the
    // host to lay out again. Callbacks needed only for some parameters are
    // checked by the action where it decides.
    unsigned needs = 0;
};

// The row for an action ID, or null for an ID that names no action.
const ExecRow* FindExecRow(int32_t id);

}  // namespace hq
