// The screen of a host that is not DPI-aware on a scaled display: the system
// answers its metrics in scaled-down (logical) units while the screen's
// device context holds physical pixels. Captures read the screen DPI-aware,
// and coordinates the author gives in the host's units are mapped to pixels.
//
// The DPI functions exist only on newer systems; they are looked up at run
// time so the library still loads where they are missing.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/dpi.h"

namespace hq {

// The primary screen in the caller's units and in the screen's pixels.
struct ScreenScale {
    SIZE logical{};   // SM_CXSCREEN x SM_CYSCREEN as the calling thread sees them
    SIZE physical{};  // the pixels the screen's device context holds

    bool Scaled() const { return logical.cx != physical.cx || logical.cy != physical.cy; }
    // An edge (left, top, or one past the right or bottom) in pixels, rounded to nearest.
    int EdgeX(int64_t x) const { return Edge(x, logical.cx, physical.cx); }
    int EdgeY(int64_t y) const { return Edge(y, logical.cy, physical.cy); }
    // The pixel under the centre of a logical pixel.
    POINT Pixel(int x, int y) const;
    // A rectangle given by its corner and size; a size of 0 or less stays 0.
    RECT Rect(int x, int y, int width, int height) const;

private:
    static int Edge(int64_t v, int logicalSize, int physicalSize);
};

// Reads both sizes now, on the calling thread: the physical one DPI-aware where
// the system offers it, otherwise from DESKTOPHORZRES/DESKTOPVERTRES against
// HORZRES/VERTRES of the screen context.
ScreenScale QueryScreenScale();

// The author's points, in the host's units, to screen pixels. Since Windows
// 8.1 each monitor has its own scale, and an unaware host sees each one
// scaled by its own factor: where the system has
// LogicalToPhysicalPointForPerMonitorDPI, a point goes through it with the
// transform of `window` (the host main window, in whose units the author
// writes). It maps screen coordinates as the window's own unaware context
// sees them, so it is asked on the host's thread outside any DpiAwareScope.
// Where the system lacks it, has no window, or refuses a point (it maps only
// points within the window), the primary screen's scale holds.
class PointMapping {
public:
    explicit PointMapping(HWND window);
    // The pixel the author points at.
    POINT Pixel(int x, int y) const;
    // A rectangle by its corner and size (a size of 0 or less stays 0): both
    // corners through the system's mapping, or both by the primary's scale.
    RECT Rect(int x, int y, int width, int height) const;

private:
    using MapFn = BOOL(WINAPI*)(HWND, POINT*);
    bool Map(POINT& point) const;
    HWND window_ = nullptr;
    MapFn map_ = nullptr;
    ScreenScale scale_;
};

}  // namespace hq
