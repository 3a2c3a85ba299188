// Colour-key transparency of the host main window and of external windows,
// and the sizing frame of an external window.
//
// A window of another thread is asked first, with a bound (each style change
// below is a message the system sends to that thread): one that does not
// answer ends the call with "Window is not responding" and is left unchanged.
//
// The three colour components are converted before any style is touched: a
// window made layered without a colour key is not drawn at all, so a component
// that is not integer text must leave the window exactly as it was.
#include <windows.h>

#include "actions/actions.h"
#include "actions/window/window_util.h"
#include "base/host.h"
#include "base/int_text.h"
#include "base/window_answer.h"

namespace hq {

namespace {

// Red + green * 256 + blue * 65536, each from the low eight bits of its integer text.
COLORREF ColourKey(const char* red, const char* green, const char* blue) {
    const BYTE r = static_cast<BYTE>(StrToInt(red));
    const BYTE g = static_cast<BYTE>(StrToInt(green));
    const BYTE b = static_cast<BYTE>(StrToInt(blue));
    return RGB(r, g, b);
}

// `window` null (the handle names no window): nothing is touched.
void SetColourKey(HWND window, COLORREF key) {
    if (!window) return;
    RequireAnswering(window);
    ChangeFrameStyle(window, GWL_STYLE, 0, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    ChangeWindowLong(window, GWL_EXSTYLE, WS_EX_LAYERED, 0);
    ::SetLayeredWindowAttributes(window, key, 255, LWA_COLORKEY);
    ::UpdateWindow(window);
}

void ClearColourKey(HWND window) {
    if (!window) return;
    RequireAnswering(window);
    ChangeWindowLong(window, GWL_EXSTYLE, 0, WS_EX_LAYERED);
    RepaintAfterLayering(window);
}

}  // namespace

bool fzSetColorTransparent(const Params& p) {
    SetColourKey(HostMainWindow(), ColourKey(p[0], p[1], p[2]));
    return true;
}

bool fzNoColorTransparent(const Params&) {
    ClearColourKey(HostMainWindow());
    return true;
}

bool fzSetColorTransparentCustomWindow(const Params& p) {
    const HWND window = ExternalWindow(p[0]);
    SetColourKey(window, ColourKey(p[1], p[2], p[3]));
    return true;
}

bool fzNoColorTransparentCustomWindow(const Params& p) {
    ClearColourKey(ExternalWindow(p[0]));
    return true;
}

bool fzCustomWindowSizeBox(const Params& p) {
    const HWND window = ExternalWindow(p[0]);
    if (!window) return true;
    RequireAnswering(window);
    ChangeFrameStyle(window, GWL_STYLE, WS_THICKFRAME, 0);
    RECT r{};
    ::GetWindowRect(window, &r);
    // SWP_NOMOVE: the window keeps its place and grows by one pixel each way.
    ::SetWindowPos(window, HWND_TOPMOST, 400, 250, r.right - r.left + 1, r.bottom - r.top + 1, SWP_NOMOVE);
    ::UpdateWindow(window);
    return true;
}

}  // namespace hq
