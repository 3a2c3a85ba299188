#include "counting.h"

#include <cstring>
#include <iterator>
#include <set>
#include <string_view>

#include "faults.h"
#include "ledger.h"

namespace hqhost {

namespace {

std::set<void*> g_gdi;      // GDI objects and DCs
std::set<void*> g_windows;  // windows created by the module
std::set<void*> g_user;     // cursors, icons, menus
Ledger* g_ledger = nullptr;
int g_failAllocs = 0;

template <typename H>
H AddGdi(H h) {
    if (h) g_gdi.insert(reinterpret_cast<void*>(h));
    return h;
}
template <typename H>
H AddUser(H h) {
    if (h) g_user.insert(reinterpret_cast<void*>(h));
    return h;
}
void RemoveGdi(const void* h) { g_gdi.erase(const_cast<void*>(h)); }

// A creator the fault injector fails: null, with the last error the system
// documents for it (0: the function documents none, the last error stays).
#define TRIP(fn, code)                           \
    if (faults::Trip(#fn)) {                     \
        if (code) ::SetLastError(code);          \
        return {};                               \
    }
constexpr DWORD kNoCode = 0;

// ---- GDI creations
HDC WINAPI W_CreateCompatibleDC(HDC dc) { TRIP(CreateCompatibleDC, kNoCode); return AddGdi(::CreateCompatibleDC(dc)); }
HDC WINAPI W_CreateDCA(LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d) {
    TRIP(CreateDCA, kNoCode);
    return AddGdi(::CreateDCA(a, b, c, d));
}
HDC WINAPI W_CreateDCW(LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d) {
    TRIP(CreateDCW, kNoCode);
    return AddGdi(::CreateDCW(a, b, c, d));
}
HDC WINAPI W_GetDC(HWND w) { TRIP(GetDC, kNoCode); return AddGdi(::GetDC(w)); }
HDC WINAPI W_GetWindowDC(HWND w) { TRIP(GetWindowDC, kNoCode); return AddGdi(::GetWindowDC(w)); }
HDC WINAPI W_GetDCEx(HWND w, HRGN r, DWORD f) { TRIP(GetDCEx, kNoCode); return AddGdi(::GetDCEx(w, r, f)); }
HBITMAP WINAPI W_CreateCompatibleBitmap(HDC dc, int w, int h) {
    TRIP(CreateCompatibleBitmap, kNoCode);
    return AddGdi(::CreateCompatibleBitmap(dc, w, h));
}
HBITMAP WINAPI W_CreateBitmap(int w, int h, UINT p, UINT b, const void* bits) {
    TRIP(CreateBitmap, kNoCode);
    return AddGdi(::CreateBitmap(w, h, p, b, bits));
}
HBITMAP WINAPI W_CreateDIBSection(HDC dc, const BITMAPINFO* bi, UINT u, void** bits, HANDLE s, DWORD o) {
    TRIP(CreateDIBSection, ERROR_NOT_ENOUGH_MEMORY);
    return AddGdi(::CreateDIBSection(dc, bi, u, bits, s, o));
}
HBITMAP WINAPI W_CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* h, DWORD f, const void* b, const BITMAPINFO* bi, UINT u) {
    TRIP(CreateDIBitmap, kNoCode);
    return AddGdi(::CreateDIBitmap(dc, h, f, b, bi, u));
}
HBRUSH WINAPI W_CreateSolidBrush(COLORREF c) { TRIP(CreateSolidBrush, kNoCode); return AddGdi(::CreateSolidBrush(c)); }
HBRUSH WINAPI W_CreatePatternBrush(HBITMAP b) {
    TRIP(CreatePatternBrush, kNoCode);
    return AddGdi(::CreatePatternBrush(b));
}
HBRUSH WINAPI W_CreateBrushIndirect(const LOGBRUSH* b) {
    TRIP(CreateBrushIndirect, kNoCode);
    return AddGdi(::CreateBrushIndirect(b));
}
HBRUSH WINAPI W_CreateHatchBrush(int s, COLORREF c) {
    TRIP(CreateHatchBrush, kNoCode);
    return AddGdi(::CreateHatchBrush(s, c));
}
HPEN WINAPI W_CreatePen(int s, int w, COLORREF c) { TRIP(CreatePen, kNoCode); return AddGdi(::CreatePen(s, w, c)); }
HFONT WINAPI W_CreateFontIndirectA(const LOGFONTA* f) {
    TRIP(CreateFontIndirectA, kNoCode);
    return AddGdi(::CreateFontIndirectA(f));
}
HFONT WINAPI W_CreateFontIndirectW(const LOGFONTW* f) {
    TRIP(CreateFontIndirectW, kNoCode);
    return AddGdi(::CreateFontIndirectW(f));
}
HFONT WINAPI W_CreateFontW(int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k,
                           DWORD l, DWORD m, LPCWSTR n) {
    TRIP(CreateFontW, kNoCode);
    return AddGdi(::CreateFontW(a, b, c, d, e, f, g, h, i, j, k, l, m, n));
}
HRGN WINAPI W_CreateRectRgn(int a, int b, int c, int d) {
    TRIP(CreateRectRgn, kNoCode);
    return AddGdi(::CreateRectRgn(a, b, c, d));
}
HRGN WINAPI W_CreateRectRgnIndirect(const RECT* r) {
    TRIP(CreateRectRgnIndirect, kNoCode);
    return AddGdi(::CreateRectRgnIndirect(r));
}
HRGN WINAPI W_CreateEllipticRgn(int a, int b, int c, int d) {
    TRIP(CreateEllipticRgn, kNoCode);
    return AddGdi(::CreateEllipticRgn(a, b, c, d));
}
HRGN WINAPI W_CreateRoundRectRgn(int a, int b, int c, int d, int e, int f) {
    TRIP(CreateRoundRectRgn, kNoCode);
    return AddGdi(::CreateRoundRectRgn(a, b, c, d, e, f));
}
HRGN WINAPI W_ExtCreateRegion(const XFORM* x, DWORD n, const RGNDATA* d) {
    TRIP(ExtCreateRegion, kNoCode);
    return AddGdi(::ExtCreateRegion(x, n, d));
}
HPALETTE WINAPI W_CreatePalette(const LOGPALETTE* p) {
    TRIP(CreatePalette, kNoCode);
    return AddGdi(::CreatePalette(p));
}
HPALETTE WINAPI W_CreateHalftonePalette(HDC dc) {
    TRIP(CreateHalftonePalette, kNoCode);
    return AddGdi(::CreateHalftonePalette(dc));
}

// ---- GDI releases
BOOL WINAPI W_DeleteObject(HGDIOBJ h) {
    const BOOL ok = ::DeleteObject(h);
    if (ok) RemoveGdi(h);
    return ok;
}
BOOL WINAPI W_DeleteDC(HDC dc) {
    const BOOL ok = ::DeleteDC(dc);
    if (ok) RemoveGdi(dc);
    return ok;
}
int WINAPI W_ReleaseDC(HWND w, HDC dc) {
    const int ok = ::ReleaseDC(w, dc);
    RemoveGdi(dc);
    return ok;
}
// A region handed to SetWindowRgn belongs to the system from then on.
int WINAPI W_SetWindowRgn(HWND w, HRGN r, BOOL redraw) {
    const int ok = ::SetWindowRgn(w, r, redraw);
    if (ok && r) RemoveGdi(r);
    return ok;
}

// ---- USER objects
HWND WINAPI W_CreateWindowExW(DWORD ex, LPCWSTR cls, LPCWSTR name, DWORD style, int x, int y, int w, int h, HWND parent,
                              HMENU menu, HINSTANCE inst, LPVOID param) {
    TRIP(CreateWindowExW, ERROR_NOT_ENOUGH_MEMORY);
    HWND hwnd = ::CreateWindowExW(ex, cls, name, style, x, y, w, h, parent, menu, inst, param);
    if (hwnd) g_windows.insert(hwnd);
    return hwnd;
}
HWND WINAPI W_CreateWindowExA(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent,
                              HMENU menu, HINSTANCE inst, LPVOID param) {
    TRIP(CreateWindowExA, ERROR_NOT_ENOUGH_MEMORY);
    HWND hwnd = ::CreateWindowExA(ex, cls, name, style, x, y, w, h, parent, menu, inst, param);
    if (hwnd) g_windows.insert(hwnd);
    return hwnd;
}
HCURSOR WINAPI W_LoadCursorFromFileA(LPCSTR f) {
    TRIP(LoadCursorFromFileA, ERROR_NOT_ENOUGH_MEMORY);
    return AddUser(::LoadCursorFromFileA(f));
}
HCURSOR WINAPI W_LoadCursorFromFileW(LPCWSTR f) {
    TRIP(LoadCursorFromFileW, ERROR_NOT_ENOUGH_MEMORY);
    return AddUser(::LoadCursorFromFileW(f));
}
HICON WINAPI W_CopyIcon(HICON h) { TRIP(CopyIcon, ERROR_NOT_ENOUGH_MEMORY); return AddUser(::CopyIcon(h)); }
HANDLE WINAPI W_CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags) {
    TRIP(CopyImage, ERROR_NOT_ENOUGH_MEMORY);
    HANDLE r = ::CopyImage(h, type, cx, cy, flags);
    if (type == IMAGE_BITMAP) return AddGdi(r);
    return AddUser(r);
}
HICON WINAPI W_CreateIconIndirect(ICONINFO* ii) {
    TRIP(CreateIconIndirect, ERROR_NOT_ENOUGH_MEMORY);
    return AddUser(::CreateIconIndirect(ii));
}
BOOL WINAPI W_DestroyCursor(HCURSOR h) {
    const BOOL ok = ::DestroyCursor(h);
    g_user.erase(h);
    return ok;
}
BOOL WINAPI W_DestroyIcon(HICON h) {
    const BOOL ok = ::DestroyIcon(h);
    g_user.erase(h);
    return ok;
}
// The system takes ownership of a cursor given to SetSystemCursor.
BOOL WINAPI W_SetSystemCursor(HCURSOR h, DWORD id) {
    const BOOL ok = ::SetSystemCursor(h, id);
    g_user.erase(h);
    return ok;
}
HMENU WINAPI W_CreatePopupMenu() {
    TRIP(CreatePopupMenu, ERROR_NOT_ENOUGH_MEMORY);
    return AddUser(::CreatePopupMenu());
}
HMENU WINAPI W_CreateMenu() { TRIP(CreateMenu, ERROR_NOT_ENOUGH_MEMORY); return AddUser(::CreateMenu()); }
BOOL WINAPI W_DestroyMenu(HMENU m) {
    const BOOL ok = ::DestroyMenu(m);
    g_user.erase(m);
    return ok;
}

// ---- global memory
HGLOBAL WINAPI W_GlobalAlloc(UINT flags, SIZE_T size) {
    TRIP(GlobalAlloc, ERROR_NOT_ENOUGH_MEMORY);
    if (g_failAllocs > 0) {
        --g_failAllocs;
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HGLOBAL h = ::GlobalAlloc(flags, size);
    if (g_ledger) g_ledger->RecordAlloc(h, Ledger::Origin::Plugin, flags);
    return h;
}
HGLOBAL WINAPI W_GlobalFree(HGLOBAL h) {
    if (g_ledger && !g_ledger->RecordFree(h, "plug-in")) return h;  // refuse: would corrupt the heap
    return ::GlobalFree(h);
}
// Memory placed on the clipboard belongs to the clipboard.
HANDLE WINAPI W_SetClipboardData(UINT format, HANDLE h) {
    TRIP(SetClipboardData, ERROR_NOT_ENOUGH_MEMORY);  // the caller still owns the block
    HANDLE r = ::SetClipboardData(format, h);
    if (r && g_ledger) g_ledger->RecordTransfer(h);
    return r;
}

struct Hook {
    const char* name;
    void* replacement;
};

#define HOOK(fn) {#fn, reinterpret_cast<void*>(&W_##fn)}
const Hook kHooks[] = {
    HOOK(CreateCompatibleDC), HOOK(CreateDCA), HOOK(CreateDCW), HOOK(GetDC), HOOK(GetWindowDC), HOOK(GetDCEx),
    HOOK(CreateCompatibleBitmap), HOOK(CreateBitmap), HOOK(CreateDIBSection), HOOK(CreateDIBitmap),
    HOOK(CreateSolidBrush), HOOK(CreatePatternBrush), HOOK(CreateBrushIndirect), HOOK(CreateHatchBrush),
    HOOK(CreatePen), HOOK(CreateFontIndirectA), HOOK(CreateFontIndirectW), HOOK(CreateFontW), HOOK(CreateRectRgn),
    HOOK(CreateRectRgnIndirect), HOOK(CreateEllipticRgn), HOOK(CreateRoundRectRgn), HOOK(ExtCreateRegion),
    HOOK(CreatePalette), HOOK(CreateHalftonePalette), HOOK(DeleteObject), HOOK(DeleteDC), HOOK(ReleaseDC),
    HOOK(SetWindowRgn), HOOK(CreateWindowExW), HOOK(CreateWindowExA), HOOK(LoadCursorFromFileA),
    HOOK(LoadCursorFromFileW), HOOK(CopyIcon), HOOK(CopyImage), HOOK(CreateIconIndirect), HOOK(DestroyCursor),
    HOOK(DestroyIcon), HOOK(SetSystemCursor), HOOK(CreatePopupMenu), HOOK(CreateMenu), HOOK(DestroyMenu),
    HOOK(GlobalAlloc), HOOK(GlobalFree), HOOK(SetClipboardData),
};
#undef HOOK
#undef TRIP

void* FindHook(std::string_view name) {
    for (const Hook& h : kHooks)
        if (name == h.name) return h.replacement;
    return nullptr;
}

}  // namespace

void InstallCountingHooks(HMODULE module, Ledger* ledger) {
    g_ledger = ledger;
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk
                                                                                           : imp->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            void* replacement = FindHook(name);
            if (!replacement)
                replacement = faults::FindHook(name, reinterpret_cast<void*>(slots->u1.Function));
            if (!replacement) continue;
            DWORD old = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
        }
    }
}

ObjectCounts LiveObjects() {
    ObjectCounts c;
    c.gdi = g_gdi.size();
    // A destroyed window's handle is forgotten: its value may come back for a
    // window of someone else's, and asking after every handle ever made
    // makes each count slower than the last.
    for (auto it = g_windows.begin(); it != g_windows.end();)
        it = ::IsWindow(static_cast<HWND>(*it)) ? std::next(it) : g_windows.erase(it);
    c.user += g_windows.size();
    c.user += g_user.size();
    return c;
}

void FailGlobalAllocs(int count) { g_failAllocs = count; }

void ResetObjectCounts() {
    g_gdi.clear();
    g_windows.clear();
    g_user.clear();
}

}  // namespace hqhost
