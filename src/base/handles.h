// Owners for every Win32 handle the plug-in (and its test host) creates.
// One template, move-only; each handle kind is a one-line alias naming its
// release function. Raw DeleteObject/DeleteDC/ReleaseDC calls live only here.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace hq {

// Keeps the thread's last-error value across a release: an owner going out
// of scope between a failed call and the code that reads its error must not
// replace that error with its own.
class KeepLastError {
public:
    KeepLastError() : error_(::GetLastError()) {}
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;
    ~KeepLastError() { ::SetLastError(error_); }

private:
    DWORD error_;
};

// `InvalidBits` is the "no handle" value as an integer (a pointer constant such
// as INVALID_HANDLE_VALUE cannot be a template argument). Where it is -1 (file
// handles), null is no handle either: some creators return one, some the other.
template <typename Handle, auto Close, intptr_t InvalidBits = 0>
class UniqueAny {
    static Handle Invalid() { return reinterpret_cast<Handle>(InvalidBits); }
    static bool Valid(Handle h) { return h != Invalid() && (InvalidBits != -1 || h != Handle{}); }

public:
    UniqueAny() = default;
    explicit UniqueAny(Handle h) : h_(h) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& o) noexcept : h_(o.release()) {}
    UniqueAny& operator=(UniqueAny&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    ~UniqueAny() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return Valid(h_); }
    Handle release() { return std::exchange(h_, Invalid()); }
    void reset(Handle h = Invalid()) {
        const Handle old = std::exchange(h_, h);
        if (Valid(old)) {
            KeepLastError keep;
            Close(old);
        }
    }
    // Address for APIs that return a handle through an out parameter.
    Handle* put() { reset(); return &h_; }

private:
    Handle h_ = Invalid();
};

namespace detail {
template <typename T>
inline void DeleteGdiObject(T h) { ::DeleteObject(h); }
inline void DeleteMemDc(HDC h) { ::DeleteDC(h); }
inline void FreeGlobal(HGLOBAL h) { ::GlobalFree(h); }
inline void CloseFile(HANDLE h) { ::CloseHandle(h); }
inline void DestroyCursorHandle(HCURSOR h) { ::DestroyCursor(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void FreeModuleHandle(HMODULE h) { ::FreeLibrary(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void FreeLocal(HLOCAL h) { ::LocalFree(h); }
inline void FreeMalloc(void* p) { std::free(p); }
}  // namespace detail

template <typename T>
using UniqueGdi = UniqueAny<T, &detail::DeleteGdiObject<T>>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniquePalette = UniqueGdi<HPALETTE>;
using UniqueMemDc = UniqueAny<HDC, &detail::DeleteMemDc>;  // CreateCompatibleDC / CreateDC
using UniqueGlobal = UniqueAny<HGLOBAL, &detail::FreeGlobal>;
using UniqueFile = UniqueAny<HANDLE, &detail::CloseFile, -1>;
using UniqueCursor = UniqueAny<HCURSOR, &detail::DestroyCursorHandle>;
using UniqueIcon = UniqueAny<HICON, &detail::DestroyIconHandle>;
using UniqueWindow = UniqueAny<HWND, &detail::DestroyWindowHandle>;
using UniqueModule = UniqueAny<HMODULE, &detail::FreeModuleHandle>;
using UniqueMenu = UniqueAny<HMENU, &detail::DestroyMenuHandle>;
using UniqueLocal = UniqueAny<HLOCAL, &detail::FreeLocal>;   // LocalAlloc, FORMAT_MESSAGE_ALLOCATE_BUFFER
using UniqueMalloc = UniqueAny<void*, &detail::FreeMalloc>;  // malloc blocks handed over by C libraries

// Runs `undo` when the scope ends, on every path: for a pair no owner covers.
// `undo` must not raise.
template <typename Undo>
class ScopeExit {
public:
    explicit ScopeExit(Undo undo) : undo_(std::move(undo)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        KeepLastError keep;
        undo_();
    }

private:
    Undo undo_;
};

// A memory DC compatible with `reference` (null: the screen) with `bitmap`
// selected into it for the DC's lifetime. The bitmap is selected out before
// the DC is deleted, so it is free to be deleted or selected elsewhere after.
// False when the DC could not be made or the bitmap not selected; the last
// error then tells why where the system set one.
class MemoryDc {
public:
    MemoryDc(HDC reference, HBITMAP bitmap) : dc_(::CreateCompatibleDC(reference)) {
        if (dc_ && bitmap) {
            old_ = ::SelectObject(dc_.get(), bitmap);
            if (old_ == HGDI_ERROR) old_ = nullptr;
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (old_) {
            KeepLastError keep;
            ::SelectObject(dc_.get(), old_);
        }
    }
    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return dc_ && old_; }

private:
    UniqueMemDc dc_;
    HGDIOBJ old_ = nullptr;
};

// A DC from GetDC/GetWindowDC: remembers its window so ReleaseDC gets it.
class WindowDc {
public:
    WindowDc() = default;
    // GetDC(hwnd); hwnd may be null for the screen.
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    static WindowDc Whole(HWND hwnd) { return WindowDc(hwnd, ::GetWindowDC(hwnd)); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& o) noexcept : hwnd_(o.hwnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& o) noexcept {
        if (this != &o) {
            reset();
            hwnd_ = o.hwnd_;
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    ~WindowDc() { reset(); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (dc_) {
            KeepLastError keep;
            ::ReleaseDC(hwnd_, std::exchange(dc_, nullptr));
        }
    }

private:
    WindowDc(HWND hwnd, HDC dc) : hwnd_(hwnd), dc_(dc) {}
    HWND hwnd_ = nullptr;
    HDC dc_ = nullptr;
};

// BeginPaint/EndPaint pair.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { ::BeginPaint(hwnd, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() {
        KeepLastError keep;
        ::EndPaint(hwnd_, &ps_);
    }
    HDC dc() const { return ps_.hdc; }
    const PAINTSTRUCT& info() const { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        KeepLastError keep;
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Selects a palette into a DC and puts the previous one back.
class PaletteScope {
public:
    PaletteScope(HDC dc, HPALETTE pal, BOOL background = FALSE)
        : dc_(dc), old_(pal ? ::SelectPalette(dc, pal, background) : nullptr) {}
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;
    ~PaletteScope() {
        KeepLastError keep;
        if (old_) ::SelectPalette(dc_, old_, TRUE);
    }

private:
    HDC dc_;
    HPALETTE old_;
};

// SaveDC/RestoreDC pair.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;
    ~SavedDc() {
        KeepLastError keep;
        if (id_) ::RestoreDC(dc_, id_);
    }

private:
    HDC dc_;
    int id_;
};

// GlobalLock/GlobalUnlock pair.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL h) : h_(h), p_(::GlobalLock(h)) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        KeepLastError keep;  // the last unlock sets NO_ERROR
        if (p_) ::GlobalUnlock(h_);
    }
    void* get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

// OpenClipboard/CloseClipboard pair.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    ~ClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    bool is_open() const { return open_; }

private:
    bool open_;
};

}  // namespace hq
