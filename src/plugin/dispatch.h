// Action ID -> action procedure.
#pragma once
#include <cstdint>

#include "actions/params.h"

namespace hq {

struct ExecRow {
    int32_t id;
    int count;  // registered parameter count
    bool (*action)(const Params&);
};

// The row for an action ID, or null for an ID that names no action.
const ExecRow* FindExecRow(int32_t id);

}  // namespace hq
