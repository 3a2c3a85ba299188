// `hqhost shot`: opens an action's dialog (or the About box) through the real
// export, and once the form has completed its first paint copies its window
// from the screen into a PNG file and closes it as Cancel (the close box).
// The plug-in's forms are recognised by their window class and the property
// they set after the first paint.
#include "shot.h"

#include <png.h>

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
    int ticksSincePaint = 0;
    int ticks = 0;
    bool written = false;
    std::string error;
} g_shot;

BOOL CALLBACK FindPaintedForm(HWND h, LPARAM lp) {
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (std::wcscmp(cls, kFormClass) == 0 && ::IsWindowVisible(h) && ::GetPropW(h, kFirstPaint)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

// The window as the screen shows it, frame and caption included, as a PNG file.
bool WriteWindowPng(HWND form, const std::string& path, std::string& error) {
    RECT r;
    ::GetWindowRect(form, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        error = "cannot make a bitmap";
        return false;
    }
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_BGR;
    const png_int_32 stride = (w * 3 + 3) & ~3;
    const bool ok = png_image_write_to_file(&image, path.c_str(), 0, bits, stride, nullptr) != 0;
    if (!ok) error = std::string("cannot write ") + path + ": " + image.message;
    png_image_free(&image);
    ::DeleteObject(bitmap);
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
    // Let every child control finish painting before the copy.
    ::RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (++g_shot.ticksSincePaint < 3) return;
    // A blinking caret would make two shots of one dialog differ.
    ::HideCaret(nullptr);
    g_shot.written = WriteWindowPng(form, g_shot.path, g_shot.error);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
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
