// Desktop and screen queries: desktop icons, the notification area, the colour
// of a screen pixel and the window under the cursor.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "actions/actions.h"
#include "actions/capture/screen_scale.h"
#include "actions/system/color_text.h"
#include "base/handles.h"
#include "base/host.h"
#include "base/int_text.h"

namespace hq {

namespace {

// The shell's windows belong to another process: ShowWindow would wait for it,
// as long as it hangs. The asynchronous form posts the change and returns.
void ShowShellWindow(HWND hwnd, int command) { ::ShowWindowAsync(hwnd, command); }

// The desktop's top-level windows are few; a walk that finds more has met a
// shell re-creating its windows meanwhile and stops here.
constexpr int kMaxWorkerWindows = 4096;

bool HoldsIconView(HWND window) { return ::FindWindowExA(window, nullptr, "SHELLDLL_DefView", nullptr) != nullptr; }

// The top-level window that holds the desktop icons, the shell's icon view
// (SHELLDLL_DefView): the "Program Manager" window, or the "WorkerW" window
// Explorer moves the view into on later systems (hiding Program Manager then
// leaves the icons on the screen). Where no window holds the view, Program
// Manager itself; null without it. Only window lists are read, so a hung
// shell delays nothing.
HWND DesktopIconWindow() {
    const HWND programManager = ::FindWindowA(nullptr, "Program Manager");
    if (programManager && HoldsIconView(programManager)) return programManager;
    HWND worker = nullptr;
    for (int visited = 0; visited < kMaxWorkerWindows; ++visited) {
        worker = ::FindWindowExA(nullptr, worker, "WorkerW", nullptr);
        if (!worker) break;
        if (HoldsIconView(worker)) return worker;
    }
    return programManager;
}

void ShowDesktopWindow(int command) {
    if (HWND desktop = DesktopIconWindow()) ShowShellWindow(desktop, command);
}

bool IsTrayNotifyClass(const char* name, int length) {
    static constexpr char kTrayNotify[] = "TRAYNOTIFYWND";
    if (length != static_cast<int>(sizeof kTrayNotify) - 1) return false;
    for (int i = 0; i < length; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');  // ASCII letters only
        if (c != kTrayNotify[i]) return false;
    }
    return true;
}

// A walk with GetWindow can circle when the shell reorders its windows
// meanwhile; the taskbar has a handful of children, so the walk stops here.
constexpr int kMaxTrayChildren = 1024;

// Shows or hides every notification-area child of the taskbar.
void WalkTray(int command) {
    HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar) return;
    int visited = 0;
    for (HWND child = ::GetWindow(taskbar, GW_CHILD); child && visited < kMaxTrayChildren;
         child = ::GetWindow(child, GW_HWNDNEXT), ++visited) {
        char name[128];
        const int length = ::GetClassNameA(child, name, sizeof name);
        if (length <= 0) continue;
        if (IsTrayNotifyClass(name, length)) ShowShellWindow(child, command);
    }
}

}  // namespace

bool fzHideShowIconDesktop(const Params& p) {
    const std::string_view mode = p[0];
    if (mode == "0") ShowDesktopWindow(SW_HIDE);
    if (mode == "1") ShowDesktopWindow(SW_SHOW);
    return true;
}

bool fzHideShowSistemTray(const Params& p) {
    const std::string_view mode = p[0];
    if (mode == "0") WalkTray(SW_HIDE);
    if (mode == "1") WalkTray(SW_SHOWNORMAL);
    return true;
}

bool fzGetPixelColor(const Params& p) {
    std::string text;
    {
        WindowDc screen(nullptr);
        COLORREF color = 0;  // a coordinate that is not integer text reads as black
        const std::optional<int32_t> y = TryStrToInt(p[1]);
        const std::optional<int32_t> x = y ? TryStrToInt(p[0]) : std::nullopt;
        if (x && y) {
            // The coordinates are in the host's units; the screen context holds pixels.
            const POINT at = PointMapping(HostMainWindow()).Pixel(*x, *y);
            color = ::GetPixel(screen.get(), at.x, at.y);
        }
        // Outside the screen the system answers CLR_INVALID, which is no colour
        // at all: the variable is emptied rather than given an impossible triple.
        text = color == CLR_INVALID ? std::string() : RgbText(color);
    }
    SetHostVariable(p[2], text);
    return false;
}

bool fzWindowFromPoint(const Params& p) {
    POINT at{};
    // No position (a locked workstation, a secure desktop): no window to name,
    // and the variable is emptied, as for a pixel outside the screen.
    if (!::GetCursorPos(&at)) {
        SetHostVariable(p[0], "");
        return true;
    }
    const HWND hwnd = ::WindowFromPoint(at);
    SetHostVariable(p[0], std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd))));
    return true;
}

}  // namespace hq
