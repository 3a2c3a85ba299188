// The screen capture actions: the desktop as JPEG or BMP, a window, an object
// and a rectangle of the screen as BMP. Each draws into one capture bitmap of
// the display's depth and writes it; no file is written unless every earlier
// step succeeded.
#include <windows.h>

#include "actions/actions.h"
#include "actions/capture/gdi_image.h"
#include "actions/capture/image_file.h"
#include "actions/capture/jpeg_writer.h"
#include "actions/window/window_util.h"
#include "plugin/error.h"
#include "plugin/handles.h"
#include "plugin/int_text.h"

namespace hq {

namespace {

// Copies the screen from (x, y) into the bitmap at (0, 0), SRCCOPY alone.
void CopyScreen(const WindowDc& screen, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap) return;
    if (!screen) FailWithLastError();  // a blit from no context would save a blank picture
    UniqueMemDc dc(::CreateCompatibleDC(screen.get()));
    if (!dc) FailWithLastError();
    SelectScope select(dc.get(), bitmap);
    ::BitBlt(dc.get(), 0, 0, width, height, screen.get(), x, y, SRCCOPY);
}

// The window a handle parameter names; raises the system's text when it names none.
HWND WindowParam(const char* text) {
    const HWND hwnd = WindowFromText(text);
    if (!hwnd || !::IsWindow(hwnd)) Fail(SystemErrorText(ERROR_INVALID_WINDOW_HANDLE));
    return hwnd;
}

void WriteBmp(const std::string& path, HBITMAP bitmap) {
    WriteBmpFile(path, ImageFromBitmap(bitmap));
}

}  // namespace

bool fzShotDesktopToJpg(const Params& p) {
    // The screen goes straight into 32-bit DIB memory, which the encoder reads
    // as it is; the blit covers every pixel, so no white fill is needed first.
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    const Dib32 capture = CreateDib32(width, height);
    {
        WindowDc screen(nullptr);
        CopyScreen(screen, capture.bitmap.get(), 0, 0, width, height);
    }
    ::GdiFlush();
    const auto quality = static_cast<uint8_t>(StrToInt(p[1]) & 0xFF);
    WriteFileAtomic(p[0], EncodeJpeg32(capture.bits, capture.width, capture.height,
                                       static_cast<size_t>(capture.width) * 4, quality));
    return true;
}

bool fzShotDesktopToBmp(const Params& p) {
    WindowDc screen(nullptr);
    if (!screen) FailWithLastError();
    UniqueBitmap bitmap =
        CreateCaptureBitmap(screen.get(), ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), true);
    if (bitmap) {
        UniqueMemDc dc(::CreateCompatibleDC(screen.get()));
        if (!dc) FailWithLastError();
        SelectScope select(dc.get(), bitmap.get());
        RECT source{}, target{};
        ::GetClipBox(screen.get(), &source);  // all of the desktop the screen context reaches
        ::GetClipBox(dc.get(), &target);      // the whole bitmap
        ::StretchBlt(dc.get(), target.left, target.top, target.right - target.left, target.bottom - target.top,
                     screen.get(), source.left, source.top, source.right - source.left, source.bottom - source.top,
                     SRCCOPY);
    }
    WriteBmp(p[0], bitmap.get());
    return true;
}

bool fzShotWindow(const Params& p) {
    const HWND hwnd = WindowParam(p[0]);
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    WindowDc windowDc = WindowDc::Whole(hwnd);
    if (!windowDc) FailWithLastError();
    UniqueBitmap bitmap = CreateCaptureBitmap(windowDc.get(), r.right - r.left, r.bottom - r.top, false);
    if (bitmap) {
        UniqueMemDc dc(::CreateCompatibleDC(windowDc.get()));
        if (!dc) FailWithLastError();
        SelectScope select(dc.get(), bitmap.get());
        ::PrintWindow(hwnd, dc.get(), 0);
    }
    WriteBmp(p[1], bitmap.get());
    return true;
}

bool fzShotObject(const Params& p) {
    const HWND hwnd = WindowParam(p[0]);
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    UniqueBitmap bitmap = CreateCaptureBitmap(nullptr, r.right - r.left, r.bottom - r.top, true);
    if (bitmap) {
        UniqueMemDc dc(::CreateCompatibleDC(nullptr));
        if (!dc) FailWithLastError();
        SelectScope select(dc.get(), bitmap.get());
        // Some controls leave a clip region in the context they printed into.
        SavedDc saved(dc.get());
        ::SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.get()),
                       PRF_CHECKVISIBLE | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN | PRF_OWNED);
    }
    WriteBmp(p[1], bitmap.get());
    return true;
}

bool fzShotRect(const Params& p) {
    const int width = StrToInt(p[3]);
    const int height = StrToInt(p[4]);
    UniqueBitmap bitmap = CreateCaptureBitmap(nullptr, width, height, true);
    {
        WindowDc screen(nullptr);
        const int y = StrToInt(p[2]);
        const int x = StrToInt(p[1]);
        CopyScreen(screen, bitmap.get(), x, y, width, height);
    }
    WriteBmp(p[0], bitmap.get());
    return true;
}

}  // namespace hq
