// The display scale the plug-in's own windows are laid out at. Where the
// system can (Windows 10 1607 and later), a dialog runs with the thread in
// the per-monitor DPI-aware context, so it is drawn at the monitor's DPI
// instead of being stretched as a bitmap; the thread's previous context is
// put back when the scope ends. The functions are looked up at run time.
#pragma once
#include <windows.h>

namespace hq {

// The 100 % scale every design is given in.
constexpr int kDesignDpi = 96;

// While alive, the calling thread is per-monitor DPI aware (version 2 where
// the system knows it, else version 1); nothing changes where the system
// lacks SetThreadDpiAwarenessContext or refuses both. The dialogs and the
// captures run in it.
class DpiAwareScope {
public:
    DpiAwareScope();
    ~DpiAwareScope();
    DpiAwareScope(const DpiAwareScope&) = delete;
    DpiAwareScope& operator=(const DpiAwareScope&) = delete;
    bool active() const { return previous_ != nullptr; }

private:
    using Context = HANDLE;  // a DPI_AWARENESS_CONTEXT
    using SetContextFn = Context(WINAPI*)(Context);
    SetContextFn set_ = nullptr;
    Context previous_ = nullptr;  // the thread's context before
    Context outerHost_ = nullptr;
};

// While alive, the calling thread is back in the context it had before the
// outermost live DpiAwareScope: a host callback made from a dialog
// creates its windows as the host does, scaled by the system. Nothing
// changes outside such a scope.
class HostDpiScope {
public:
    HostDpiScope();
    ~HostDpiScope();
    HostDpiScope(const HostDpiScope&) = delete;
    HostDpiScope& operator=(const HostDpiScope&) = delete;

private:
    using Context = HANDLE;
    using SetContextFn = Context(WINAPI*)(Context);
    SetContextFn set_ = nullptr;
    Context dialogs_ = nullptr;  // the context to return to
};

// The DPI `window` is drawn at: the system's answer for the window where it
// has GetDpiForWindow (the window's monitor for a per-monitor aware window),
// else the DPI the process sees for the screen. A zero answer counts as 96.
int WindowDpi(HWND window);

// `value` in 96-DPI units at `dpi`, rounded as MulDiv rounds (halves away
// from zero).
inline int ScaleToDpi(int value, int dpi) {
    return dpi == kDesignDpi ? value : ::MulDiv(value, dpi, kDesignDpi);
}

}  // namespace hq
