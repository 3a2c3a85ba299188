// The host side of the plug-in boundary: the binary convention, the callback
// slots filled by the exports, host strings, and the calls actions make into
// the host (variables, scripts, pickers).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/handles.h"

// The host's register convention: the first three 32-bit arguments in EAX,
// EDX, ECX, further ones on the stack (callee pops), result in EAX. GCC pushes
// stack arguments right to left while the host pushes them left to right, so
// declarations with two or more stack arguments list those in reverse order.
// The 64-bit build has the platform's one convention, arguments in order.
#ifdef _WIN64
#define HQAPI
#else
#define HQAPI __attribute__((regparm(3), stdcall))
#endif

namespace hq {

// Callback types. Booleans travel in AL; read results as 32-bit and test the low byte.
#ifdef _WIN64
typedef void(HQAPI* RegisterActionFn)(int32_t id, const char* name, const char* hint, const uint8_t* codes,
                                      int32_t highIndex, int32_t count);
#else
typedef void(HQAPI* RegisterActionFn)(int32_t id, const char* name, const char* hint,
                                      int32_t count, int32_t highIndex, const uint8_t* codes);
#endif
// Calls the register-action callback with one catalogue row, its arguments
// in the order the build's declaration has them.
inline void CallRegisterAction(RegisterActionFn fn, int32_t id, const char* name, const char* hint,
                               const uint8_t* codes, int32_t highIndex, int32_t count) {
#ifdef _WIN64
    fn(id, name, hint, codes, highIndex, count);
#else
    fn(id, name, hint, count, highIndex, codes);
#endif
}
typedef void(HQAPI* GetVariableFn)(const char* name, char** value);
typedef void(HQAPI* SetVariableFn)(const char* name, const char* value);
typedef void(HQAPI* ScriptProcessorFn)(const char* script);
typedef uint32_t(HQAPI* InterfaceAccessFn)(int32_t code, char** slot);

// Process-wide slots, zero until the host fills them; the plug-in never clears them.
struct HostSlots {
    RegisterActionFn registerAction = nullptr;
    uint32_t reserved = 0;  // stored, never read
    GetVariableFn getVariable = nullptr;
    SetVariableFn setVariable = nullptr;
    ScriptProcessorFn scriptProcessor = nullptr;
    InterfaceAccessFn interfaceAccess = nullptr;
    HWND mainWindow = nullptr;
};
HostSlots& Slots();

inline HWND HostMainWindow() { return Slots().mainWindow; }

// The window the plug-in's dialogs and message boxes belong to: the window
// active on the calling thread when the call comes, else the host main
// window (its top-level window). Owned, a dialog stays above the window it
// disabled and has no taskbar button of its own; null only when the host
// gave no main window and none is active.
HWND DialogOwner();

// The plug-in's own module (for its resources).
HINSTANCE PluginModule();
void SetPluginModule(HINSTANCE module);

// Host strings: NUL-terminated text in GMEM_FIXED global memory, length + 1 bytes.
// AssignHostString frees the slot's previous block first; a failed allocation
// raises an error and leaves the slot null.
void AssignHostString(char** slot, std::string_view text);
void FreeHostString(char** slot);

// A new host string not yet stored in any slot; freed unless released into one.
// Lets a caller make every block first and replace the slots only when all exist.
class NewHostString {
public:
    // Raises "Out of memory" when the block cannot be allocated.
    explicit NewHostString(std::string_view text);
    // Frees the slot's previous block and stores this one there.
    void StoreInto(char** slot);

private:
    UniqueGlobal block_;
};

// A host string the plug-in holds: the host or the plug-in fills it through
// slot(), and its block is freed when the owner goes out of scope.
class HostString {
public:
    HostString() = default;
    HostString(const HostString&) = delete;
    HostString& operator=(const HostString&) = delete;
    ~HostString() { FreeHostString(&text_); }
    char** slot() { return &text_; }
    // The text; a null slot reads as empty.
    const char* c_str() const { return text_ ? text_ : ""; }

private:
    char* text_ = nullptr;
};

// The callbacks an action calls, as a set of flags.
enum HostCallback : unsigned {
    kGetVariable = 1u << 0,
    kSetVariable = 1u << 1,
    kScriptProcessor = 1u << 2,
};
// The error raised when an action needs a callback the host has not registered.
constexpr char kMissingCallbackText[] = "Host callback is not registered";
// Raises kMissingCallbackText unless every callback in `needed` is registered.
// Actions call it before they change anything.
void RequireHostCallbacks(unsigned needed);

// Reads a host variable (name with its square brackets); a null answer is empty text.
std::string GetHostVariable(const std::string& name);
void SetHostVariable(const std::string& name, const std::string& value);
// Runs host script text (commands separated by one byte 13).
void RunHostScript(const std::string& script);
// The interface-access callback, or null while the host has not registered one.
inline InterfaceAccessFn InterfaceAccess() { return Slots().interfaceAccess; }

}  // namespace hq
