// Calls into the loaded plug-in the stand-in host does not make itself:
// exports with null arguments and registration with some callbacks missing
// or replaced. None of these exports raises an error, so no landing is needed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "hqhost.h"

extern "C" {
// host/thunks.S
uint32_t hq_invoke(const void* fn, const uint32_t* args, uint32_t count);
void hqcb_register_action();
void hqcb_get_variable();
void hqcb_set_variable();
void hqcb_script_processor();
}

namespace hqtest {

inline uint32_t Bits(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

// Calls an export of the loaded plug-in in the host's convention.
inline uint32_t InvokeRaw(const char* exportName, std::initializer_list<uint32_t> args) {
    const std::vector<uint32_t> argv(args);
    const FARPROC fn = hqhost::Host::Instance().Export(exportName);
    return hq_invoke(reinterpret_cast<const void*>(fn), argv.data(), static_cast<uint32_t>(argv.size()));
}

// The callbacks a host may leave unregistered.
enum Callback : unsigned { kGet = 1, kSet = 2, kScript = 4 };

// Registers the stand-in host's callbacks again, leaving out those in `missing`;
// `script` replaces the script processor when given.
inline void RegisterCallbacks(unsigned missing, const void* script = nullptr) {
    InvokeRaw("hqRegisterPlugIn", {Bits(reinterpret_cast<void*>(&hqcb_register_action)), 0u,
                                   (missing & kGet) ? 0u : Bits(reinterpret_cast<void*>(&hqcb_get_variable)),
                                   (missing & kSet) ? 0u : Bits(reinterpret_cast<void*>(&hqcb_set_variable))});
    const void* processor = script ? script : reinterpret_cast<void*>(&hqcb_script_processor);
    InvokeRaw("hqRegisterScriptProcessor", {(missing & kScript) ? 0u : Bits(processor)});
}

}  // namespace hqtest
