#include "faults.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace hqhost {
namespace faults {

namespace {

// ---- the injector's state (one module, calls counted on one thread)
struct Counter {
    const char* site;
    unsigned calls;
};
std::vector<Counter> g_counters;  // in first-call order
bool g_armed = false;
DWORD g_thread = 0;
std::string g_failSite;
unsigned g_failCall = 0;
bool g_tripped = false;

// ---- heap blocks and file handles of the module
struct Block {
    size_t size;
    unsigned generation;
    void* caller;  // return address in the module, for reports
};
std::unordered_map<void*, Block> g_heap;
std::unordered_set<void*> g_freed;  // freed by the module since the last Arm
unsigned g_generation = 0;
std::vector<std::string> g_heapFaults;
std::unordered_set<HANDLE> g_files;

// Keeps the thread's last error across the wrappers' own bookkeeping.
class KeepLastError {
public:
    KeepLastError() : code_(::GetLastError()) {}
    ~KeepLastError() { ::SetLastError(code_); }

private:
    DWORD code_;
};

void HeapFault(const char* what, void* block) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %p", what, block);
    g_heapFaults.emplace_back(text);
}

void AddBlock(void* p, size_t size, unsigned generation, void* caller) {
    if (!p) return;
    g_heap[p] = Block{size, generation, caller};
    g_freed.erase(p);
}

// ---- original targets, taken from the import slots when patched
#define ORIGINAL(fn) decltype(&::fn) o_##fn = nullptr;
ORIGINAL(malloc) ORIGINAL(calloc) ORIGINAL(realloc) ORIGINAL(free) ORIGINAL(abort) ORIGINAL(exit) ORIGINAL(LoadImageW)
ORIGINAL(_strdup)
ORIGINAL(CreateFileA) ORIGINAL(CreateFileW) ORIGINAL(CloseHandle) ORIGINAL(WriteFile) ORIGINAL(ReadFile)
ORIGINAL(MoveFileA) ORIGINAL(MoveFileW) ORIGINAL(MoveFileExA) ORIGINAL(MoveFileExW) ORIGINAL(ReplaceFileA)
ORIGINAL(ReplaceFileW) ORIGINAL(FlushFileBuffers) ORIGINAL(SetEndOfFile) ORIGINAL(GetFileSizeEx)
ORIGINAL(GetFileSize) ORIGINAL(DeleteFileA) ORIGINAL(DeleteFileW) ORIGINAL(OpenClipboard) ORIGINAL(EmptyClipboard)
#undef ORIGINAL

// ---- C runtime allocator: null and errno ENOMEM on failure
void* __cdecl W_malloc(size_t n) {
    if (Trip("malloc")) {
        errno = ENOMEM;
        return nullptr;
    }
    void* p = o_malloc(n);
    AddBlock(p, n, g_generation, __builtin_return_address(0));
    return p;
}
void* __cdecl W_calloc(size_t n, size_t size) {
    if (Trip("calloc")) {
        errno = ENOMEM;
        return nullptr;
    }
    void* p = o_calloc(n, size);
    AddBlock(p, n * size, g_generation, __builtin_return_address(0));
    return p;
}
char* __cdecl W__strdup(const char* s) {
    if (Trip("_strdup")) {
        errno = ENOMEM;
        return nullptr;
    }
    char* p = o__strdup(s);
    if (p) AddBlock(p, std::strlen(p) + 1, g_generation, __builtin_return_address(0));
    return p;
}
void __cdecl W_free(void* p) {
    if (!p) return;
    if (g_heap.erase(p)) {
        g_freed.insert(p);
    } else if (g_freed.count(p)) {
        HeapFault("heap block freed twice:", p);
        return;  // refused: forwarding would corrupt the heap
    }
    o_free(p);
}
void* __cdecl W_realloc(void* p, size_t n) {
    if (!p) return W_malloc(n);
    if (n == 0) {  // frees the block and answers null
        W_free(p);
        return nullptr;
    }
    if (g_freed.count(p)) {
        HeapFault("heap block reallocated after its free:", p);
        errno = ENOMEM;
        return nullptr;
    }
    if (Trip("realloc")) {  // the old block stays valid
        errno = ENOMEM;
        return nullptr;
    }
    auto it = g_heap.find(p);
    const unsigned generation = it == g_heap.end() ? g_generation : it->second.generation;
    void* q = o_realloc(p, n);
    if (q) {
        if (it != g_heap.end()) g_heap.erase(it);
        AddBlock(q, n, generation, __builtin_return_address(0));
    }
    return q;
}

// std::terminate ends in abort: turn it into an exception the host's call
// landing catches, so a terminating plug-in fails a run instead of the process.
constexpr DWORD kAbortCode = 0xE0AB0127;
void __cdecl W_abort() {
    ::RaiseException(kAbortCode, 0, 0, nullptr);
    o_abort();
}

// exit would end the host process just the same.
void __cdecl W_exit(int code) {
    ::RaiseException(kAbortCode, 0, 0, nullptr);
    o_exit(code);
}

// ---- images from the module's resources: null with the last error set
HANDLE WINAPI W_LoadImageW(HINSTANCE module, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
    if (Trip("LoadImageW")) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return o_LoadImageW(module, name, type, cx, cy, flags);
}

// ---- files: INVALID_HANDLE_VALUE or FALSE, with the last error set
HANDLE AddFile(HANDLE h) {
    if (h != INVALID_HANDLE_VALUE) {
        KeepLastError keep;
        g_files.insert(h);
    }
    return h;
}
HANDLE WINAPI W_CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                            DWORD flags, HANDLE templ) {
    if (Trip("CreateFileA")) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return AddFile(o_CreateFileA(name, access, share, sa, disposition, flags, templ));
}
HANDLE WINAPI W_CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                            DWORD flags, HANDLE templ) {
    if (Trip("CreateFileW")) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return AddFile(o_CreateFileW(name, access, share, sa, disposition, flags, templ));
}
BOOL WINAPI W_CloseHandle(HANDLE h) {
    {
        KeepLastError keep;
        g_files.erase(h);
    }
    return o_CloseHandle(h);
}

#define FAIL_BOOL(site, code)          \
    if (Trip(site)) {                  \
        ::SetLastError(code);          \
        return FALSE;                  \
    }

BOOL WINAPI W_WriteFile(HANDLE h, LPCVOID data, DWORD n, LPDWORD done, LPOVERLAPPED ov) {
    FAIL_BOOL("WriteFile", ERROR_DISK_FULL);
    return o_WriteFile(h, data, n, done, ov);
}
BOOL WINAPI W_ReadFile(HANDLE h, LPVOID data, DWORD n, LPDWORD done, LPOVERLAPPED ov) {
    FAIL_BOOL("ReadFile", ERROR_READ_FAULT);
    return o_ReadFile(h, data, n, done, ov);
}
BOOL WINAPI W_MoveFileA(LPCSTR from, LPCSTR to) {
    FAIL_BOOL("MoveFileA", ERROR_ACCESS_DENIED);
    return o_MoveFileA(from, to);
}
BOOL WINAPI W_MoveFileW(LPCWSTR from, LPCWSTR to) {
    FAIL_BOOL("MoveFileW", ERROR_ACCESS_DENIED);
    return o_MoveFileW(from, to);
}
BOOL WINAPI W_MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    FAIL_BOOL("MoveFileExA", ERROR_ACCESS_DENIED);
    return o_MoveFileExA(from, to, flags);
}
BOOL WINAPI W_MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
    FAIL_BOOL("MoveFileExW", ERROR_ACCESS_DENIED);
    return o_MoveFileExW(from, to, flags);
}
BOOL WINAPI W_ReplaceFileA(LPCSTR target, LPCSTR source, LPCSTR backup, DWORD flags, LPVOID a, LPVOID b) {
    FAIL_BOOL("ReplaceFileA", ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return o_ReplaceFileA(target, source, backup, flags, a, b);
}
BOOL WINAPI W_ReplaceFileW(LPCWSTR target, LPCWSTR source, LPCWSTR backup, DWORD flags, LPVOID a, LPVOID b) {
    FAIL_BOOL("ReplaceFileW", ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return o_ReplaceFileW(target, source, backup, flags, a, b);
}
BOOL WINAPI W_FlushFileBuffers(HANDLE h) {
    FAIL_BOOL("FlushFileBuffers", ERROR_DISK_FULL);
    return o_FlushFileBuffers(h);
}
BOOL WINAPI W_SetEndOfFile(HANDLE h) {
    FAIL_BOOL("SetEndOfFile", ERROR_DISK_FULL);
    return o_SetEndOfFile(h);
}
BOOL WINAPI W_GetFileSizeEx(HANDLE h, PLARGE_INTEGER size) {
    FAIL_BOOL("GetFileSizeEx", ERROR_ACCESS_DENIED);
    return o_GetFileSizeEx(h, size);
}
DWORD WINAPI W_GetFileSize(HANDLE h, LPDWORD high) {
    if (Trip("GetFileSize")) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_FILE_SIZE;
    }
    return o_GetFileSize(h, high);
}
BOOL WINAPI W_DeleteFileA(LPCSTR name) {
    FAIL_BOOL("DeleteFileA", ERROR_ACCESS_DENIED);
    return o_DeleteFileA(name);
}
BOOL WINAPI W_DeleteFileW(LPCWSTR name) {
    FAIL_BOOL("DeleteFileW", ERROR_ACCESS_DENIED);
    return o_DeleteFileW(name);
}

// ---- clipboard: FALSE with the last error set
BOOL WINAPI W_OpenClipboard(HWND owner) {
    FAIL_BOOL("OpenClipboard", ERROR_ACCESS_DENIED);
    return o_OpenClipboard(owner);
}
BOOL WINAPI W_EmptyClipboard() {
    FAIL_BOOL("EmptyClipboard", ERROR_CLIPBOARD_NOT_OPEN);
    return o_EmptyClipboard();
}
#undef FAIL_BOOL

// ---- GDI+ start-up: a Status, OutOfMemory (3); the token is left alone
using GdiplusStartupFn = int(WINAPI*)(ULONG_PTR*, const void*, void*);
GdiplusStartupFn g_gdiplusStartup = nullptr;
int WINAPI W_GdiplusStartup(ULONG_PTR* token, const void* input, void* output) {
    if (Trip("GdiplusStartup")) return 3;
    return g_gdiplusStartup(token, input, output);
}

struct Hook {
    const char* name;
    void* replacement;
    void** original;
};
#define HOOK(fn) {#fn, reinterpret_cast<void*>(&W_##fn), reinterpret_cast<void**>(&o_##fn)}
const Hook kHooks[] = {
    HOOK(malloc), HOOK(calloc), HOOK(realloc), HOOK(free), HOOK(_strdup), HOOK(abort), HOOK(exit), HOOK(LoadImageW),
    HOOK(CreateFileA), HOOK(CreateFileW), HOOK(CloseHandle), HOOK(WriteFile), HOOK(ReadFile), HOOK(MoveFileA),
    HOOK(MoveFileW), HOOK(MoveFileExA), HOOK(MoveFileExW), HOOK(ReplaceFileA), HOOK(ReplaceFileW),
    HOOK(FlushFileBuffers), HOOK(SetEndOfFile), HOOK(GetFileSizeEx), HOOK(GetFileSize), HOOK(DeleteFileA),
    HOOK(DeleteFileW), HOOK(OpenClipboard), HOOK(EmptyClipboard),
    {"GdiplusStartup", reinterpret_cast<void*>(&W_GdiplusStartup), reinterpret_cast<void**>(&g_gdiplusStartup)},
};
#undef HOOK

}  // namespace

bool Trip(const char* site) {
    if (!g_armed || ::GetCurrentThreadId() != g_thread) return false;
    Counter* counter = nullptr;
    for (Counter& c : g_counters)
        if (std::strcmp(c.site, site) == 0) {
            counter = &c;
            break;
        }
    if (!counter) {
        KeepLastError keep;
        g_counters.push_back(Counter{site, 0});
        counter = &g_counters.back();
    }
    ++counter->calls;
    if (g_failCall == 0 || counter->calls != g_failCall || g_failSite != site) return false;
    g_tripped = true;
    return true;
}

void* FindHook(std::string_view name, void* original) {
    for (const Hook& h : kHooks)
        if (name == h.name) {
            *h.original = original;
            return h.replacement;
        }
    return nullptr;
}

void Arm(std::string_view failSite, unsigned failCall) {
    g_counters.clear();
    g_failSite.assign(failSite);
    g_failCall = failSite.empty() ? 0 : failCall;
    g_tripped = false;
    g_thread = ::GetCurrentThreadId();
    g_freed.clear();
    ++g_generation;
    g_armed = true;
}

void FailNext(std::string_view site) {
    unsigned calls = 0;
    for (const Counter& c : g_counters)
        if (site == c.site) calls = c.calls;
    g_failSite.assign(site);
    g_failCall = calls + 1;
}

void Disarm() { g_armed = false; }
bool Armed() { return g_armed; }
bool Tripped() { return g_tripped; }

std::vector<SiteCalls> Calls() {
    std::vector<SiteCalls> out;
    for (const Counter& c : g_counters) out.push_back(SiteCalls{c.site, c.calls});
    return out;
}

size_t HeapBlocksSinceArm() {
    size_t n = 0;
    for (const auto& [p, b] : g_heap) n += b.generation == g_generation;
    return n;
}

size_t HeapBytesSinceArm() {
    size_t n = 0;
    for (const auto& [p, b] : g_heap)
        if (b.generation == g_generation) n += b.size;
    return n;
}

std::string DescribeHeapSinceArm(const void* moduleBase) {
    std::string out;
    char item[64];
    for (const auto& [p, b] : g_heap) {
        if (b.generation != g_generation) continue;
        std::snprintf(item, sizeof item, " [%u bytes from +0x%x]", static_cast<unsigned>(b.size),
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(b.caller) -
                                            reinterpret_cast<uintptr_t>(moduleBase)));
        out += item;
    }
    return out;
}

size_t LiveHeapBlocks() { return g_heap.size(); }
size_t LiveFiles() { return g_files.size(); }
const std::vector<std::string>& HeapFaults() { return g_heapFaults; }
void ClearHeapFaults() { g_heapFaults.clear(); }

}  // namespace faults
}  // namespace hqhost
