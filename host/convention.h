// The host's side of the plug-in's binary convention, for both builds.
//   32-bit: the host's register convention, in assembly (thunks.S), written
//           from the convention itself, never from the plug-in's declarations.
//   64-bit: the platform's one convention (first four arguments in RCX, RDX,
//           R8, R9, caller cleans up), reached through thunks_x64.S, whose
//           frame carries the host's fault handler.
// Every argument and result travels as one machine word.
#pragma once
#include <cstddef>
#include <cstdint>

namespace hqhost {
using Word = uintptr_t;
}

extern "C" {
// Calls fn with `count` arguments (at most four in the 64-bit build) and
// returns what it left in the result register. In the 32-bit build a callee
// that does not remove exactly its stack arguments is counted in
// hq_stack_faults and the stack pointer put right.
hqhost::Word hq_invoke(const void* fn, const hqhost::Word* args, size_t count);
// The callback entry points handed to the plug-in (only their addresses are
// taken on this side).
#ifdef _WIN64
void hqcb_register_action(hqhost::Word id, hqhost::Word name, hqhost::Word hint, hqhost::Word codes,
                          hqhost::Word high, hqhost::Word count);
void hqcb_get_variable(hqhost::Word name, hqhost::Word slot);
void hqcb_set_variable(hqhost::Word name, hqhost::Word value);
void hqcb_script_processor(hqhost::Word script);
hqhost::Word hqcb_interface_access(hqhost::Word code, hqhost::Word slot);
#else
void hqcb_register_action();
void hqcb_get_variable();
void hqcb_set_variable();
void hqcb_script_processor();
void hqcb_interface_access();
#endif
// The targets the entry points call: the first three arguments as words,
// then the rest, stack[0] being the last one.
hqhost::Word hqhost_register_action(hqhost::Word a, hqhost::Word b, hqhost::Word c, const hqhost::Word* stack);
hqhost::Word hqhost_get_variable(hqhost::Word a, hqhost::Word b, hqhost::Word c, const hqhost::Word* stack);
hqhost::Word hqhost_set_variable(hqhost::Word a, hqhost::Word b, hqhost::Word c, const hqhost::Word* stack);
hqhost::Word hqhost_script_processor(hqhost::Word a, hqhost::Word b, hqhost::Word c, const hqhost::Word* stack);
hqhost::Word hqhost_interface_access(hqhost::Word a, hqhost::Word b, hqhost::Word c, const hqhost::Word* stack);
}
