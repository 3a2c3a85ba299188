// Mouse control: confinement, freezing and synthetic clicks. Every effect is
// system-wide and outlasts the action.
#include <windows.h>

#include <string_view>

#include "actions/actions.h"
#include "base/int_text.h"

namespace hq {

namespace {

// Sends the button events of one click name at (X, Y); the coordinates are
// converted again for every event, Y first.
void SendButtonEvents(const Params& p, std::initializer_list<DWORD> events) {
    const int32_t y = StrToInt(p[1]);
    const int32_t x = StrToInt(p[0]);
    ::SetCursorPos(x, y);
    for (DWORD flag : events) {
        const int32_t dy = StrToInt(p[1]);
        const int32_t dx = StrToInt(p[0]);
        // No move flag: dx and dy travel with the event but move nothing.
        ::mouse_event(flag, static_cast<DWORD>(dx), static_cast<DWORD>(dy), 0, 0);
    }
}

}  // namespace

bool fzClipCursor(const Params& p) {
    RECT r;
    r.left = StrToInt(p[0]);
    r.top = StrToInt(p[1]);
    r.right = StrToInt(p[2]);
    r.bottom = StrToInt(p[3]);
    ::ClipCursor(&r);  // passed as given: no ordering or clamping
    return false;
}

bool fzNoClipCursor(const Params&) {
    ::ClipCursor(nullptr);
    return false;
}

bool fzMouseStatus(const Params& p) {
    const std::string_view mode = p[0];
    if (mode == "0") {
        // A one-pixel confinement; right and bottom are exclusive, so the
        // pointer is held one pixel up and to the left of where it was.
        // Without a position (a locked workstation, a secure desktop) the
        // pointer would be held in the screen's corner: leave it alone.
        POINT at{};
        if (::GetCursorPos(&at)) {
            const RECT r{at.x - 1, at.y - 1, at.x, at.y};
            ::ClipCursor(&r);
        }
    }
    if (mode == "1") {
        const RECT r{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        ::ClipCursor(&r);
    }
    return false;
}

bool fzMouseEvent(const Params& p) {
    const std::string_view button = p[2];
    if (button == "RightButton") SendButtonEvents(p, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
    if (button == "LeftButton") SendButtonEvents(p, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    if (button == "MiddleButton") SendButtonEvents(p, {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP});
    if (button == "DoubleLeft")
        SendButtonEvents(p, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    return false;
}

}  // namespace hq
