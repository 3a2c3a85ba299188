#include "base/work_area.h"

namespace hq {

ScreenArea OwnersWorkArea(HWND owner) {
    const HMONITOR monitor = owner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                   : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && ::GetMonitorInfoW(monitor, &info))
        return ScreenArea{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return ScreenArea{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace hq
