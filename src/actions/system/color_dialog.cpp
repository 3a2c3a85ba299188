// fzColorDialog: the system colour chooser, placed, styled and animated as the
// author configured, returning the chosen colour in four text forms.
//
// The layout settings travel to the chooser's hook through five fixed host
// variables: written before the chooser opens, read back by the hook when the
// dialog initialises, emptied when the chooser has closed (on every path).
#include <windows.h>
#include <commdlg.h>

#include <utility>
#include <optional>
#include <string>

#include "actions/actions.h"
#include "actions/system/color_dialog_layout.h"
#include "actions/system/color_text.h"
#include "actions/window/window_util.h"
#include "base/callback_guard.h"
#include "base/host.h"
#include "base/int_text.h"
#include "base/work_area.h"

namespace hq {

namespace {

const char* const kLayoutVariables[] = {"[cd_x]", "[cd_y]", "[cd_s]", "[cd_a]", "[cd_sp]"};

// An error raised inside the hook, kept until ChooseColorA has returned.
CallbackGuard g_hook;

// The frame follows the new style before the dialog is first shown.
void ApplyStyle(HWND dlg) {
    switch (ChooserStyleOf(GetHostVariable("[cd_s]"))) {
    case ChooserStyle::ToolWindow:
        ChangeFrameStyle(dlg, GWL_EXSTYLE, WS_EX_TOOLWINDOW, 0);
        break;
    case ChooserStyle::NoCaption:
        ChangeFrameStyle(dlg, GWL_STYLE, 0, WS_CAPTION);
        break;
    case ChooserStyle::Unchanged:
        break;
    }
}

// An empty axis centres the chooser on the work area of its owner's monitor,
// as the property dialogs open.
void ApplyPosition(HWND dlg) {
    const std::string x = GetHostVariable("[cd_x]");
    const std::string y = GetHostVariable("[cd_y]");
    RECT r{};
    ::GetWindowRect(dlg, &r);
    const std::optional<Point> at = ChooserPosition(x, y, OwnersWorkArea(::GetWindow(dlg, GW_OWNER)),
                                                    r.right - r.left, r.bottom - r.top);
    if (at) ::SetWindowPos(dlg, HWND_TOPMOST, at->x, at->y, 0, 0, SWP_NOSIZE);
}

void ApplyAnimation(HWND dlg) {
    const std::optional<uint32_t> flags = AnimationFlags(GetHostVariable("[cd_a]"));
    const std::optional<uint32_t> duration = AnimationDuration(GetHostVariable("[cd_sp]"));
    if (!flags || !duration) return;
    ::AnimateWindow(dlg, *duration, *flags);
    ::InvalidateRect(dlg, nullptr, TRUE);  // repaint after the animation
}

UINT_PTR CALLBACK ChooserHook(HWND dlg, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return 0;
    // A failure closes the chooser as cancelled; RunChooser raises it.
    const bool applied = g_hook.Run([dlg] {
        ApplyStyle(dlg);
        ApplyPosition(dlg);
        ApplyAnimation(dlg);
    });
    if (!applied) ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
}

// Runs the chooser; the chosen colour when the user confirmed it.
std::optional<COLORREF> RunChooser(bool fullOpen) {
    COLORREF custom[16] = {};  // fresh every call: custom choices are not remembered
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = DialogOwner();
    cc.rgbResult = RGB(0, 0, 255);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_ANYCOLOR | (fullOpen ? CC_FULLOPEN : 0);
    cc.lpfnHook = &ChooserHook;
    g_hook = CallbackGuard();
    const BOOL confirmed = ::ChooseColorA(&cc);
    g_hook.Rethrow();
    if (!confirmed) return std::nullopt;
    return cc.rgbResult;
}

void WriteLayoutVariables(const Params& p) {
    for (int i = 0; i < 5; ++i) SetHostVariable(kLayoutVariables[i], p[1 + i]);
}

}  // namespace

// The fixed variables are emptied on every path: after a cancel, after the
// result is written, and when the host raises while they or the result are
// written. Each is emptied even when emptying another one raised. The first
// error is the one that ends the call; a later one (the host raising again
// while they are emptied) must not replace it.
bool fzColorDialog(const Params& p) {
    CallbackGuard failure;
    failure.Run([&] {
        WriteLayoutVariables(p);
        if (const std::optional<COLORREF> chosen = RunChooser(std::string_view(p[0]) == "1")) {
            SetHostVariable(p[6], RgbText(*chosen));
            SetHostVariable(p[7], HtmlText(*chosen));
            SetHostVariable(p[8], FlashText(*chosen));
            SetHostVariable(p[9], TColorText(*chosen));
        }
    });
    for (const char* name : kLayoutVariables) failure.Run([name] { SetHostVariable(name, ""); });
    failure.Rethrow();
    return false;
}

}  // namespace hq
