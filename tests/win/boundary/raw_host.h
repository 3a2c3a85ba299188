// Calls into the loaded plug-in the stand-in host does not make itself:
// exports with null arguments and registration with some callbacks missing
// or replaced. None of these exports raises an error, so no landing is needed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "hqhost.h"

#include "convention.h"

namespace hqtest {

using hqhost::Word;
inline Word Bits(const void* p) { return reinterpret_cast<Word>(p); }

// Calls an export of the loaded plug-in in the host's convention.
inline Word InvokeRaw(const char* exportName, std::initializer_list<Word> args) {
    const std::vector<Word> argv(args);
    const FARPROC fn = hqhost::Host::Instance().Export(exportName);
    return hq_invoke(reinterpret_cast<const void*>(fn), argv.data(), argv.size());
}

// The callbacks a host may leave unregistered.
enum Callback : unsigned { kGet = 1, kSet = 2, kScript = 4 };

// Registers the stand-in host's callbacks again, leaving out those in `missing`;
// `script` replaces the script processor when given.
inline void RegisterCallbacks(unsigned missing, const void* script = nullptr) {
    InvokeRaw("hqRegisterPlugIn", {Bits(reinterpret_cast<void*>(&hqcb_register_action)), Word{0},
                                   (missing & kGet) ? Word{0} : Bits(reinterpret_cast<void*>(&hqcb_get_variable)),
                                   (missing & kSet) ? Word{0} : Bits(reinterpret_cast<void*>(&hqcb_set_variable))});
    const void* processor = script ? script : reinterpret_cast<void*>(&hqcb_script_processor);
    InvokeRaw("hqRegisterScriptProcessor", {(missing & kScript) ? Word{0} : Bits(processor)});
}

}  // namespace hqtest
