#include "actions/capture/screen_scale.h"

#include <algorithm>
#include <climits>

#include "base/handles.h"

namespace hq {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int Clamp(int64_t v) { return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v); }

SIZE Metrics() { return SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

int ScreenScale::Edge(int64_t v, int logicalSize, int physicalSize) {
    if (logicalSize <= 0 || logicalSize == physicalSize) return Clamp(v);
    return Clamp(FloorDiv(2 * v * physicalSize + logicalSize, 2 * int64_t{logicalSize}));
}

POINT ScreenScale::Pixel(int x, int y) const {
    if (!Scaled() || logical.cx <= 0 || logical.cy <= 0) return POINT{x, y};
    return POINT{Clamp(FloorDiv((2 * int64_t{x} + 1) * physical.cx, 2 * int64_t{logical.cx})),
                 Clamp(FloorDiv((2 * int64_t{y} + 1) * physical.cy, 2 * int64_t{logical.cy}))};
}

RECT ScreenScale::Rect(int x, int y, int width, int height) const {
    RECT r{EdgeX(x), EdgeY(y), 0, 0};
    r.right = width > 0 ? EdgeX(int64_t{x} + width) : r.left;
    r.bottom = height > 0 ? EdgeY(int64_t{y} + height) : r.top;
    return r;
}

ScreenScale QueryScreenScale() {
    ScreenScale scale;
    scale.logical = Metrics();
    scale.physical = scale.logical;
    {
        const DpiAwareScope aware;
        if (aware.active()) {
            scale.physical = Metrics();
            return scale;
        }
    }
    // Older systems: the screen context tells its desktop size apart from the scaled one.
    const WindowDc screen(nullptr);
    if (!screen) return scale;
    const int horz = ::GetDeviceCaps(screen.get(), HORZRES), vert = ::GetDeviceCaps(screen.get(), VERTRES);
    const int desktopHorz = ::GetDeviceCaps(screen.get(), DESKTOPHORZRES);
    const int desktopVert = ::GetDeviceCaps(screen.get(), DESKTOPVERTRES);
    if (horz > 0 && vert > 0 && desktopHorz > 0 && desktopVert > 0) {
        scale.physical.cx = ::MulDiv(scale.logical.cx, desktopHorz, horz);
        scale.physical.cy = ::MulDiv(scale.logical.cy, desktopVert, vert);
    }
    return scale;
}

PointMapping::PointMapping(HWND window) : window_(window), scale_(QueryScreenScale()) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 && window_)
        map_ = reinterpret_cast<MapFn>(
            reinterpret_cast<void*>(::GetProcAddress(user32, "LogicalToPhysicalPointForPerMonitorDPI")));
}

bool PointMapping::Map(POINT& point) const {
    POINT mapped = point;
    if (!map_ || !map_(window_, &mapped)) return false;
    point = mapped;
    return true;
}

POINT PointMapping::Pixel(int x, int y) const {
    POINT point{x, y};
    return Map(point) ? point : scale_.Pixel(x, y);
}

RECT PointMapping::Rect(int x, int y, int width, int height) const {
    const int64_t right = int64_t{x} + (width > 0 ? width : 0), bottom = int64_t{y} + (height > 0 ? height : 0);
    POINT corner{x, y}, edge{static_cast<LONG>(right), static_cast<LONG>(bottom)};
    if (right > INT_MAX || bottom > INT_MAX || !Map(corner) || !Map(edge)) return scale_.Rect(x, y, width, height);
    return RECT{corner.x, corner.y, width > 0 ? std::max(edge.x, corner.x) : corner.x,
                height > 0 ? std::max(edge.y, corner.y) : corner.y};
}

}  // namespace hq
