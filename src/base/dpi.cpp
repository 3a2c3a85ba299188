#include "base/dpi.h"

#include <cstdint>

#include "base/handles.h"

namespace hq {

namespace {

// DPI_AWARENESS_CONTEXT values (the headers declare them only for newer targets).
using DpiContext = HANDLE;
const DpiContext kPerMonitorAware = reinterpret_cast<DpiContext>(static_cast<intptr_t>(-3));
const DpiContext kPerMonitorAwareV2 = reinterpret_cast<DpiContext>(static_cast<intptr_t>(-4));
using SetThreadContextFn = DpiContext(WINAPI*)(DpiContext);
using DpiForWindowFn = UINT(WINAPI*)(HWND);

// user32 is loaded in every process that has windows; its entry points are
// looked up by name because the plug-in also runs on systems without them.
FARPROC User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? ::GetProcAddress(user32, name) : nullptr;
}

SetThreadContextFn SetThreadContext() {
    return reinterpret_cast<SetThreadContextFn>(reinterpret_cast<void*>(User32Function("SetThreadDpiAwarenessContext")));
}

// The host's context while a dialog's scope is live on this thread, else null.
thread_local DpiContext t_hostContext = nullptr;

}  // namespace

DpiAwareScope::DpiAwareScope() {
    set_ = SetThreadContext();
    if (!set_) return;
    // Version 2 (Windows 10 1703) also scales the non-client area and the
    // common controls; 1607 knows only version 1 and refuses version 2.
    previous_ = set_(kPerMonitorAwareV2);
    if (!previous_) previous_ = set_(kPerMonitorAware);
    if (!previous_) return;
    outerHost_ = t_hostContext;
    // Nested in another scope, the host's context stays the outer one's.
    if (!t_hostContext) t_hostContext = previous_;
}

DpiAwareScope::~DpiAwareScope() {
    if (!previous_) return;
    t_hostContext = outerHost_;
    set_(previous_);
}

HostDpiScope::HostDpiScope() {
    if (!t_hostContext) return;
    set_ = SetThreadContext();
    if (set_) dialogs_ = set_(t_hostContext);
}

HostDpiScope::~HostDpiScope() {
    if (dialogs_) set_(dialogs_);
}

int WindowDpi(HWND window) {
    if (const auto forWindow = reinterpret_cast<DpiForWindowFn>(reinterpret_cast<void*>(User32Function("GetDpiForWindow")))) {
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace hq
