// `hqhost shot`: opens an action's dialog (or the About box) through the real
// export, and once the form has completed its first paint and its window
// holds still (two copies taken apart agree), writes its window as a PNG
// file and closes it as Cancel (the close box).
// The plug-in's forms are recognised by their window class and the property
// they set after the first paint.
#include "shot.h"

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "console.h"
#include "hqhost.h"

namespace hqhost {

namespace {

constexpr wchar_t kFormClass[] = L"zeZoreredur.Form";
constexpr wchar_t kFirstPaint[] = L"zeZoreredur.FirstPaint";

struct ShotState {
    std::string path;
    int ticks = 0;
    bool written = false;
    std::string error;
    std::vector<uint8_t> last;  // the previous copy of the window
    DWORD lastAt = 0;
    DWORD firstAt = 0;  // the first copy
} g_shot;

// Copies must be this far apart to count as agreeing: controls may still be
// painting late parts (a caret, a redraw they posted).
constexpr DWORD kSettleMs = 100;
// After this long the last copy is written even if the window still changes.
constexpr DWORD kGiveUpMs = 3000;

BOOL CALLBACK FindPaintedForm(HWND h, LPARAM lp) {
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (std::wcscmp(cls, kFormClass) == 0 && ::IsWindowVisible(h) && ::GetPropW(h, kFirstPaint)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

// The window as it drew itself, frame and caption included: 24-bit rows,
// top-down, padded to four bytes; empty when no copy could be made. It is read
// from the window's own context, not from the screen: the display server is
// brought up to date at the window system's pace, and a copy of the screen
// can hold a pixel that was drawn but not yet shown (two package builds then
// differed in a button's corner).
std::vector<uint8_t> CopyWindow(HWND form, int& w, int& h) {
    RECT r;
    ::GetWindowRect(form, &r);
    w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return {};
    HDC window = ::GetWindowDC(form);
    HDC mem = ::CreateCompatibleDC(window);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ::BitBlt(mem, 0, 0, w, h, window, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const uint8_t*>(bits);
    std::vector<uint8_t> pixels(first, first + static_cast<size_t>((w * 3 + 3) & ~3) * static_cast<size_t>(h));
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(form, window);
    ::DeleteObject(bitmap);
    return pixels;
}

bool WritePng(const std::vector<uint8_t>& pixels, int w, int h, const std::string& path, std::string& error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_BGR;
    const png_int_32 stride = (w * 3 + 3) & ~3;
    const bool ok = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), stride, nullptr) != 0;
    if (!ok) error = std::string("cannot write ") + path + ": " + image.message;
    png_image_free(&image);
    return ok;
}

void CALLBACK ShotTick(HWND, UINT, UINT_PTR, DWORD) {
    ++g_shot.ticks;
    HWND form = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindPaintedForm, reinterpret_cast<LPARAM>(&form));
    if (!form) {
        if (g_shot.ticks > 1000 && g_shot.error.empty()) g_shot.error = "the dialog never painted";
        return;
    }
    if (g_shot.written || !g_shot.error.empty()) return;
    // Pictures show no focus: whether the form got activated (and so gave its
    // first control the focus, a caret or a focus frame) depends on the window
    // system's timing, and a blinking caret would make two shots differ. A
    // control that regains the focus makes a new caret: both, on every look.
    ::SetFocus(nullptr);
    ::HideCaret(nullptr);
    // Let every child control finish painting before the copy.
    ::RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const DWORD now = ::GetTickCount();
    if (!g_shot.last.empty() && now - g_shot.lastAt < kSettleMs) return;
    // A caret destroyed with the focus may stay drawn on the screen: the whole
    // window is painted afresh before each copy.
    ::RedrawWindow(form, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    int w = 0, h = 0;
    std::vector<uint8_t> copy = CopyWindow(form, w, h);
    if (copy.empty()) {
        g_shot.error = "cannot make a bitmap";
        return;
    }
    if (g_shot.last.empty()) g_shot.firstAt = now;
    // Written once two copies of the window agree.
    if (copy == g_shot.last || now - g_shot.firstAt >= kGiveUpMs) {
        g_shot.written = WritePng(copy, w, h, g_shot.path, g_shot.error);
        ::PostMessageW(form, WM_CLOSE, 0, 0);
        return;
    }
    g_shot.last = std::move(copy);
    g_shot.lastAt = now;
}

}  // namespace

int ShotCommand(Host& host, const std::string& which, const std::string& pngPath) {
    g_shot = ShotState{};
    g_shot.path = pngPath;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &ShotTick);
    if (which == "about") {
        host.About();
    } else {
        const int id = std::atoi(which.c_str());
        int count = -1;
        for (const CatalogueEntry& e : host.Catalogue())
            if (e.id == id && id != 0) count = e.count;
        if (count < 0) {
            ::KillTimer(nullptr, timer);
            Print("shot " + which + ": no such action\n");
            return 1;
        }
        std::vector<std::string> params(static_cast<size_t>(count));
        host.Edit(id, params);
    }
    ::KillTimer(nullptr, timer);
    if (host.LastError()) g_shot.error = "the plug-in raised: " + *host.LastError();
    if (!g_shot.written) {
        Print("shot " + which + ": " + (g_shot.error.empty() ? "no dialog opened" : g_shot.error) + "\n");
        return 1;
    }
    Print("shot " + which + ": " + pngPath + "\n");
    return 0;
}

}  // namespace hqhost
