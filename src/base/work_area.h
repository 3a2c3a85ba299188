// The part of the screen a dialog opens in: the work area (the monitor less
// the taskbar and docked bars) of the monitor its owner is on.
#pragma once
#include <windows.h>

#include "base/placement.h"

namespace hq {

// The work area of the monitor `owner` is on (the one it overlaps most; the
// primary monitor when it is on none), the primary monitor's without an
// owner; the primary screen when the system gives no monitor information.
ScreenArea OwnersWorkArea(HWND owner);

}  // namespace hq
