// Replaces one imported function of a loaded module (the plug-in) with a spy
// while alive, so tests can record or substitute system calls the screen
// cannot show.
#pragma once
#include <windows.h>

namespace hqtest {

// Routes the module's import `name` (any DLL) to `spy` while alive. The
// previous target (the host's counting wrapper, or the system function) is
// kept in `previous()` so the spy can forward to it. Must be destroyed before
// the module is unloaded.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* name, void* spy);
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    ~ImportPatch();
    void* previous() const { return previous_; }
    bool installed() const { return slot_ != nullptr; }

private:
    void** slot_ = nullptr;
    void* previous_ = nullptr;
};

}  // namespace hqtest
