// fzSetWindowMask: the host main window cut to the shape of a black-and-white
// BMP picture (white outside, every other colour inside).
#include <windows.h>

#include "actions/actions.h"
#include "image/bmp_image.h"
#include "image/image_file.h"
#include "actions/window/mask_runs.h"
#include "actions/window/region_build.h"
#include "actions/window/window_util.h"
#include "base/file_name.h"
#include "base/host.h"

namespace hq {

namespace {
constexpr size_t kRunBatch = 4096;
}  // namespace

bool fzSetWindowMask(const Params& p) {
    const std::string path = p[0];
    if (!IsFileWithExtension(path, ".bmp")) return false;
    UniqueRegion region;
    {
        // The picture is needed only while the region is built. Its runs go to
        // the region a batch at a time: a dithered mask may have tens of
        // millions of them, far more than is worth holding at once.
        const bmp::Image mask = ReadBmpFile(path);
        RegionBuilder builder;
        ScanMaskRuns(mask, kRunBatch, [&builder](const RunRect* rects, size_t count) { builder.Add(rects, count); });
        region = builder.Finish();
    }
    const HWND window = HostMainWindow();
    ChangeFrameStyle(window, GWL_STYLE, 0, WS_THICKFRAME | WS_CAPTION | WS_DLGFRAME);
    if (::SetWindowRgn(window, region.get(), TRUE)) region.release();  // the system owns it now
    ::UpdateWindow(window);
    return true;
}

}  // namespace hq
