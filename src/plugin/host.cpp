#include "host.h"

#include <algorithm>
#include <cstring>

#include "error.h"

namespace hq {

namespace {
HINSTANCE g_module = nullptr;
}  // namespace

HINSTANCE PluginModule() { return g_module ? g_module : ::GetModuleHandleW(nullptr); }
void SetPluginModule(HINSTANCE module) { g_module = module; }

HostSlots& Slots() {
    static HostSlots slots;
    return slots;
}

void FreeHostString(char** slot) {
    if (*slot) ::GlobalFree(*slot);
    *slot = nullptr;
}

void AssignHostString(char** slot, std::string_view text) {
    const size_t length = std::min(text.size(), text.find('\0'));  // up to the first NUL
    FreeHostString(slot);
    auto* block = static_cast<char*>(::GlobalAlloc(GMEM_FIXED, length + 1));
    if (!block) Fail("Out of memory");
    std::memcpy(block, text.data(), length);
    block[length] = '\0';
    *slot = block;
}

std::string TakeHostString(char** slot) {
    // The block is released also when the copy cannot be made.
    struct Release {
        char** slot;
        ~Release() { FreeHostString(slot); }
    } release{slot};
    return *slot ? std::string(*slot) : std::string();
}

std::string GetHostVariable(const std::string& name) {
    char* value = nullptr;
    Slots().getVariable(name.c_str(), &value);
    return TakeHostString(&value);
}

void SetHostVariable(const std::string& name, const std::string& value) {
    Slots().setVariable(name.c_str(), value.c_str());
}

void RunHostScript(const std::string& script) { Slots().scriptProcessor(script.c_str()); }

}  // namespace hq
