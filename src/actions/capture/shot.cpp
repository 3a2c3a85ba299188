// The screen capture actions: the desktop as JPEG or BMP, a window, an object
// and a rectangle of the screen as BMP. Each draws into one capture bitmap of
// the display's depth and writes it; no file is written unless every earlier
// step succeeded.
//
// On a scaled display a host that is not DPI-aware sees a scaled-down screen
// while the screen's context holds physical pixels: the desktop is read
// DPI-aware at its full size, and the rectangle's coordinates, given in the
// host's units, are mapped to pixels.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "actions/actions.h"
#include "image/gdi_image.h"
#include "image/image_file.h"
#include "image/jpeg_writer.h"
#include "actions/capture/screen_scale.h"
#include "actions/window/window_util.h"
#include "base/error.h"
#include "base/handles.h"
#include "base/host.h"
#include "base/int_text.h"
#include "base/window_answer.h"

namespace hq {

namespace {

// Raises the system's text, or "Out of system resources", when a GDI call failed.
void Check(BOOL ok) {
    if (!ok) FailWithLastError();
}

WindowDc ScreenDc() {
    WindowDc screen(nullptr);
    if (!screen) FailWithLastError();
    return screen;
}

// Copies width × height pixels from the screen at (x, y) to `dc` at (tx, ty),
// SRCCOPY alone, a band of rows at a time: Wine reads the screen through a
// whole copy of the block and a converted one, which for a full screen
// tripled the memory a capture needs. The bands give the same picture.
void BlitScreenInBands(HDC dc, int tx, int ty, HDC screen, int x, int y, int width, int height) {
    constexpr int kBandRows = 256;
    for (int top = 0; top < height; top += kBandRows) {
        const int rows = std::min(kBandRows, height - top);
        ::SetLastError(0);
        Check(::BitBlt(dc, tx, ty + top, width, rows, screen, x, y + top, SRCCOPY));
    }
}

// Copies `source` of the screen into `target` of `dc` when their sizes differ
// (a desktop of several monitors squeezed into the primary's size). A fresh
// memory context stretches in BLACKONWHITE mode, which ANDs the pixels it
// merges and darkens the picture; HALFTONE averages them, and needs the brush
// origin set after it.
void StretchAveraged(HDC dc, const RECT& target, HDC screen, const RECT& source) {
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::SetLastError(0);
    Check(::StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, screen,
                       source.left, source.top, source.right - source.left, source.bottom - source.top, SRCCOPY));
}

// Copies the screen from (x, y) into the bitmap at (0, 0), SRCCOPY alone.
void CopyScreen(const WindowDc& screen, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap) return;
    if (!screen) FailWithLastError();  // a blit from no context would save a blank picture
    const MemoryDc dc(screen.get(), bitmap);
    if (!dc) FailWithLastError();
    BlitScreenInBands(dc.get(), 0, 0, screen.get(), x, y, width, height);
}

// The window a handle parameter names; raises the system's text when it names none.
HWND WindowParam(const char* text) {
    const HWND hwnd = WindowFromText(text);
    if (!hwnd || !::IsWindow(hwnd)) Fail(SystemErrorText(ERROR_INVALID_WINDOW_HANDLE));
    return hwnd;
}

#ifndef PW_RENDERFULLCONTENT
#define PW_RENDERFULLCONTENT 0x00000002
#endif

// Prints the window into `dc`, which holds a white picture of `width` ×
// `height`; `flags` 0 for the whole window, PW_CLIENTONLY for its client
// area. PW_RENDERFULLCONTENT makes the system compose the window as the
// screen shows it, content drawn through DirectX or DirectComposition
// included, where a plain print leaves such areas black or empty. A system
// that does not know the flag (Windows 7) refuses the call: it is asked again
// without it, on a picture made white again, since the refused attempt may
// have drawn part of the window.
void PrintWithFullContent(HWND hwnd, HDC dc, int width, int height, UINT flags) {
    if (::PrintWindow(hwnd, dc, flags | PW_RENDERFULLCONTENT)) return;
    ::SetLastError(0);
    Check(::PatBlt(dc, 0, 0, width, height, WHITENESS));
    ::SetLastError(0);
    Check(::PrintWindow(hwnd, dc, flags));
}

// The visible part of a window, where the desktop window manager reports it
// (DWMWA_EXTENDED_FRAME_BOUNDS, Windows Vista and later): since Vista the
// window rectangle includes invisible resize borders, about 7 pixels at left,
// right and bottom of a sizable window. The bounds are in screen pixels, as
// the rectangle is on a DPI-aware thread. dwmapi is loaded from the system
// folder at run time, so the library loads where it does not exist. `whole`
// where the system has no bounds or they do not lie within it.
RECT VisibleFrame(HWND hwnd, const RECT& whole) {
    constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return whole;
    const UniqueModule dwm(::LoadLibraryW((std::wstring(folder, length) + L"\\dwmapi.dll").c_str()));
    if (!dwm) return whole;
    using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    const auto getAttribute = reinterpret_cast<GetAttributeFn>(
        reinterpret_cast<void*>(::GetProcAddress(dwm.get(), "DwmGetWindowAttribute")));
    RECT bounds{};
    if (!getAttribute || FAILED(getAttribute(hwnd, kExtendedFrameBounds, &bounds, sizeof bounds))) return whole;
    const bool within = bounds.left >= whole.left && bounds.top >= whole.top && bounds.right <= whole.right &&
                        bounds.bottom <= whole.bottom && bounds.left < bounds.right && bounds.top < bounds.bottom;
    return within ? bounds : whole;
}

bool OfAnotherProcess(HWND hwnd) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    return process != ::GetCurrentProcessId();
}

int SizeOf(LONG from, LONG to) { return static_cast<int>(std::min<int64_t>(int64_t{to} - from, INT_MAX)); }

void WriteBmp(const std::string& path, HBITMAP bitmap) { WriteBitmapFile(path, bitmap); }

}  // namespace

bool fzShotDesktopToJpg(const Params& p) {
    // The screen goes straight into 32-bit DIB memory, which the encoder reads
    // as it is; white first, like every capture, where the copy paints nothing.
    const ScreenScale scale = QueryScreenScale();
    const int width = scale.physical.cx, height = scale.physical.cy;
    const Dib32 capture = CreateDib32(width, height);
    if (capture.bits) std::memset(capture.bits, 0xFF, static_cast<size_t>(width) * height * 4);
    {
        const DpiAwareScope aware;
        const WindowDc screen = ScreenDc();
        CopyScreen(screen, capture.bitmap.get(), 0, 0, width, height);
    }
    ::GdiFlush();
    const auto quality = static_cast<uint8_t>(StrToInt(p[1]) & 0xFF);
    WriteFileAtomic(p[0], EncodeJpeg32(capture.bits, capture.width, capture.height,
                                       static_cast<size_t>(capture.width) * 4, quality));
    return true;
}

bool fzShotDesktopToBmp(const Params& p) {
    const ScreenScale scale = QueryScreenScale();
    const DpiAwareScope aware;
    const WindowDc screen = ScreenDc();
    UniqueBitmap bitmap = CreateCaptureBitmap(screen.get(), scale.physical.cx, scale.physical.cy, true);
    if (bitmap) {
        const MemoryDc dc(screen.get(), bitmap.get());
        if (!dc) FailWithLastError();
        RECT source{}, target{};
        ::SetLastError(0);
        Check(::GetClipBox(screen.get(), &source) != ERROR);  // all of the desktop the screen context reaches
        Check(::GetClipBox(dc.get(), &target) != ERROR);      // the whole bitmap
        // Without a DPI-aware thread the context may still answer the scaled-down screen.
        if (!aware.active() && scale.Scaled() && source.left == 0 && source.top == 0 &&
            source.right == scale.logical.cx && source.bottom == scale.logical.cy)
            source = RECT{0, 0, scale.physical.cx, scale.physical.cy};
        const int width = target.right - target.left, height = target.bottom - target.top;
        if (source.right - source.left == width && source.bottom - source.top == height)
            BlitScreenInBands(dc.get(), target.left, target.top, screen.get(), source.left, source.top, width, height);
        else
            StretchAveraged(dc.get(), target, screen.get(), source);
    }
    WriteBmp(p[0], bitmap.get());
    return true;
}

bool fzShotWindow(const Params& p) {
    const HWND hwnd = WindowParam(p[0]);
    RequireAnswering(hwnd);
    // Measured and printed DPI-aware: PrintWindow draws the window at its real
    // size, which the host's unaware context may see scaled down (a
    // per-monitor-aware window of another program on a scaled monitor).
    const DpiAwareScope aware;
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const RECT visible = VisibleFrame(hwnd, r);
    WindowDc windowDc = WindowDc::Whole(hwnd);
    if (!windowDc) FailWithLastError();
    // White first: what the window does not paint (Wine's print draws no frame) is never undefined.
    const int width = r.right - r.left, height = r.bottom - r.top;
    UniqueBitmap bitmap = CreateCaptureBitmap(windowDc.get(), width, height, true);
    UniqueBitmap visiblePart;
    if (bitmap) {
        const MemoryDc dc(windowDc.get(), bitmap.get());
        if (!dc) FailWithLastError();
        PrintWithFullContent(hwnd, dc.get(), width, height, 0);
        if (visible.left != r.left || visible.top != r.top || visible.right != r.right || visible.bottom != r.bottom) {
            // The picture is the visible part of the whole window's print.
            const int visibleWidth = visible.right - visible.left, visibleHeight = visible.bottom - visible.top;
            visiblePart = CreateCaptureBitmap(windowDc.get(), visibleWidth, visibleHeight, false);
            const MemoryDc partDc(windowDc.get(), visiblePart.get());
            if (!partDc) FailWithLastError();
            ::SetLastError(0);
            Check(::BitBlt(partDc.get(), 0, 0, visibleWidth, visibleHeight, dc.get(), visible.left - r.left,
                           visible.top - r.top, SRCCOPY));
        }
    }
    WriteBmp(p[1], visiblePart ? visiblePart.get() : bitmap.get());
    return true;
}

bool fzShotObject(const Params& p) {
    const HWND hwnd = WindowParam(p[0]);
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    UniqueBitmap bitmap = CreateCaptureBitmap(nullptr, width, height, true);
    if (bitmap) {
        const MemoryDc dc(nullptr, bitmap.get());
        if (!dc) FailWithLastError();
        // Some controls leave a clip region in the context they printed into.
        SavedDc saved(dc.get());
        if (OfAnotherProcess(hwnd)) {
            // GDI handles are private to their process: a context handed over
            // in WM_PRINT means nothing to the window's own process, which
            // would leave the picture white. The system prints its client area.
            RequireAnswering(hwnd);
            PrintWithFullContent(hwnd, dc.get(), width, height, PW_CLIENTONLY);
        } else {
            // Bounded: the object's thread may have stopped answering.
            SendBoundedOrFail(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.get()),
                              PRF_CHECKVISIBLE | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN | PRF_OWNED);
        }
    }
    WriteBmp(p[1], bitmap.get());
    return true;
}

bool fzShotRect(const Params& p) {
    const int width = StrToInt(p[3]);
    const int height = StrToInt(p[4]);
    const int y = StrToInt(p[2]);
    const int x = StrToInt(p[1]);
    // The corner and size are in the host's units; the screen is read in pixels.
    const RECT pixels = PointMapping(HostMainWindow()).Rect(x, y, width, height);
    const int pixelWidth = SizeOf(pixels.left, pixels.right), pixelHeight = SizeOf(pixels.top, pixels.bottom);
    UniqueBitmap bitmap = CreateCaptureBitmap(nullptr, pixelWidth, pixelHeight, true);
    {
        const DpiAwareScope aware;
        const WindowDc screen = ScreenDc();
        CopyScreen(screen, bitmap.get(), pixels.left, pixels.top, pixelWidth, pixelHeight);
    }
    WriteBmp(p[0], bitmap.get());
    return true;
}

}  // namespace hq
