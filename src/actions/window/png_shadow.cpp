// fzSetWindowPngMaskShadow: the host main window becomes a per-pixel-alpha
// layered window showing a PNG picture, and the host is told the picture's
// height through [PubHeight].
//
// The window is changed only once a picture exists: a layered window without
// content is not drawn at all, so a file that does not decode leaves the
// window as it was and [PubHeight] receives "0".
#include <windows.h>

#include <memory>
#include <string>

#include "actions/actions.h"
#include "actions/window/gdiplus_layer.h"
#include "actions/window/window_util.h"
#include "base/error.h"
#include "base/file_name.h"
#include "base/handles.h"
#include "base/host.h"
#include "base/system_text.h"

namespace hq {

namespace {

// The path with the extension exactly ".png", naming a file. The existence
// check uses the wide name the load opens, so both see the same file.
bool IsPngFile(const std::string& path, std::wstring& wide) {
    const size_t at = path.find_last_of(".\\/:");
    if (at == std::string::npos || path[at] != '.' || path.compare(at, std::string::npos, ".png") != 0)
        return false;
    wide = WidenFileName(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Sets WS_EX_LAYERED. SetWindowLongW answers the previous word, which is 0 for
// a window without extended styles, so only 0 together with an error code
// counts as a failure; that is shown to the author. False after a failure.
bool MakeLayered(HWND window) {
    const DWORD word = static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE));
    ::SetLastError(0);
    if (::SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(word | WS_EX_LAYERED)) == 0) {
        const DWORD code = ::GetLastError();
        if (code != 0) {
            ::MessageBoxW(DialogOwner(), SystemMessage(code).c_str(), L"zeZoreredur", MB_OK);
            return false;
        }
    }
    return true;
}

// The window's layering before the action, put back when the picture cannot be shown.
struct Layering {
    DWORD exStyle = 0;
    bool keyed = false;  // set up with SetLayeredWindowAttributes (a colour key or constant alpha)
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;

    explicit Layering(HWND window) : exStyle(static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE))) {
        // Succeeds only for a window set up with SetLayeredWindowAttributes.
        keyed = (exStyle & WS_EX_LAYERED) && ::GetLayeredWindowAttributes(window, &key, &alpha, &flags);
    }
    // The window has left the per-pixel layering for a new surface (plain or
    // colour-keyed), which is blank until it and its children paint again.
    void Restore(HWND window) const {
        ::SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(exStyle));
        if (keyed) ::SetLayeredWindowAttributes(window, key, alpha, flags);
        RepaintAfterLayering(window);
    }
};

// The picture as a GDI bitmap on fully transparent black, with its size; no
// bitmap when the file does not decode.
struct Picture {
    UniqueBitmap bitmap;
    UINT width = 0, height = 0;
};

Picture Decode(const std::wstring& path) {
    Picture picture;
    std::unique_ptr<TGPBitmap> image(new TGPBitmap(path, true));
    HBITMAP made = nullptr;
    image->GetHBITMAP(0, &made);
    picture.bitmap.reset(made);  // only a handle GDI+ returned
    if (picture.bitmap) {
        picture.width = image->GetWidth();
        picture.height = image->GetHeight();
    }
    return picture;
}

}  // namespace

bool fzSetWindowPngMaskShadow(const Params& p) {
    std::wstring path;
    if (!IsPngFile(p[0], path)) return false;
    const HWND window = HostMainWindow();

    GdiplusSession gdiplus;  // shut down last, after every GDI+ object is gone
    const Picture picture = Decode(path);
    if (!picture.bitmap || picture.width == 0 || picture.height == 0) {
        SetHostVariable("[PubHeight]", "0");
        return true;
    }

    const Layering before(window);
    // After SetLayeredWindowAttributes the system refuses UpdateLayeredWindow
    // until the layered style has been cleared and set again.
    if (before.keyed)
        ::SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(before.exStyle & ~DWORD{WS_EX_LAYERED}));
    if (MakeLayered(window)) {
        const WindowDc screen(nullptr);
        RECT place{};
        ::GetWindowRect(window, &place);  // the window keeps its place and takes the picture's size
        POINT destination{place.left, place.top};
        SIZE size{static_cast<LONG>(picture.width), static_cast<LONG>(picture.height)};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const MemoryDc memory(screen.get(), picture.bitmap.get());
        if (memory) ::SetLastError(0);  // else keep why the memory DC failed
        if (!memory || !::UpdateLayeredWindow(window, screen.get(), &destination, &size, memory.get(), &source, 0,
                                              &blend, ULW_ALPHA)) {
            const DWORD code = ::GetLastError();
            before.Restore(window);
            Fail(SystemErrorText(code));
        }
    }
    SetHostVariable("[PubHeight]", std::to_string(picture.height));
    return true;
}

}  // namespace hq
