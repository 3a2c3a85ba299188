#include "host.h"

#include <algorithm>
#include <cstring>

#include "error.h"
#include "host_crossing.h"

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

HWND DialogOwner() {
    if (const HWND active = ::GetActiveWindow()) return active;
    const HWND main = HostMainWindow();
    return main && ::IsWindow(main) ? ::GetAncestor(main, GA_ROOT) : nullptr;
}

void FreeHostString(char** slot) {
    if (*slot) ::GlobalFree(*slot);
    *slot = nullptr;
}

void AssignHostString(char** slot, std::string_view text) {
    FreeHostString(slot);
    NewHostString(text).StoreInto(slot);
}

NewHostString::NewHostString(std::string_view text) {
    const size_t length = std::min(text.size(), text.find('\0'));  // up to the first NUL
    block_.reset(::GlobalAlloc(GMEM_FIXED, length + 1));
    if (!block_) Fail("Out of memory");
    auto* chars = static_cast<char*>(block_.get());
    std::memcpy(chars, text.data(), length);
    chars[length] = '\0';
}

void NewHostString::StoreInto(char** slot) {
    FreeHostString(slot);
    *slot = static_cast<char*>(block_.release());
}

void RequireHostCallbacks(unsigned needed) {
    const HostSlots& s = Slots();
    const bool missing = ((needed & kGetVariable) && !s.getVariable) || ((needed & kSetVariable) && !s.setVariable) ||
                         ((needed & kScriptProcessor) && !s.scriptProcessor);
    if (missing) Fail(kMissingCallbackText);
}

std::string GetHostVariable(const std::string& name) {
    RequireHostCallbacks(kGetVariable);
    HostString value;
    CallHost([&] { Slots().getVariable(name.c_str(), value.slot()); });
    return value.c_str();
}

void SetHostVariable(const std::string& name, const std::string& value) {
    RequireHostCallbacks(kSetVariable);
    CallHost([&] { Slots().setVariable(name.c_str(), value.c_str()); });
}

void RunHostScript(const std::string& script) {
    RequireHostCallbacks(kScriptProcessor);
    CallHost([&] { Slots().scriptProcessor(script.c_str()); });
}

}  // namespace hq
