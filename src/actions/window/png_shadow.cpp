// fzSetWindowPngMaskShadow: the host main window becomes a per-pixel-alpha
// layered window showing a PNG picture, and the host is told the picture's
// height through [PubHeight].
#include <windows.h>

#include <memory>
#include <string>

#include "actions/actions.h"
#include "actions/window/gdiplus_layer.h"
#include "actions/window/window_util.h"
#include "plugin/file_name.h"
#include "plugin/handles.h"
#include "plugin/host.h"
#include "plugin/system_text.h"
#include "plugin/text.h"

namespace hq {

namespace {

// Sets WS_EX_LAYERED. SetWindowLongW answers the previous word, which is 0 for
// a window without extended styles, so only 0 together with an error code
// counts as a failure; that is shown to the author and the action goes on.
void MakeLayered(HWND window) {
    const DWORD word = static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE));
    ::SetLastError(0);
    if (::SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(word | WS_EX_LAYERED)) == 0) {
        const DWORD code = ::GetLastError();
        if (code != 0) ::MessageBoxW(nullptr, SystemMessage(code).c_str(), L"zeZoreredur", MB_OK);
    }
}

}  // namespace

bool fzSetWindowPngMaskShadow(const Params& p) {
    const std::string path = p[0];
    if (!IsFileWithExtension(path, ".png")) return false;
    const HWND window = HostMainWindow();
    MakeLayered(window);

    GdiplusSession gdiplus;  // shut down last, after every GDI+ object is gone
    UniqueBitmap picture;
    UINT width = 0, height = 0;
    {
        std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(Widen(path), true));
        HBITMAP made = nullptr;
        bitmap->GetHBITMAP(0, &made);  // fully transparent black behind the picture
        picture.reset(made);           // only a handle GDI+ returned
        width = bitmap->GetWidth();
        height = bitmap->GetHeight();
    }
    if (picture) {
        const WindowDc screen(nullptr);
        const UniqueMemDc memory(::CreateCompatibleDC(screen.get()));
        const SelectScope select(memory.get(), picture.get());
        RECT place{};
        ::GetWindowRect(window, &place);  // the window keeps its place and takes the picture's size
        POINT destination{place.left, place.top};
        SIZE size{static_cast<LONG>(width), static_cast<LONG>(height)};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::UpdateLayeredWindow(window, screen.get(), &destination, &size, memory.get(), &source, 0, &blend,
                              ULW_ALPHA);
    }
    SetHostVariable("[PubHeight]", std::to_string(height));
    return true;
}

}  // namespace hq
