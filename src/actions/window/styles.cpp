// The frame, caption buttons and system menu of the host main window
// (actions without parameters). Each step is a read-modify-write of a style
// word followed by a frame change, so the system draws the new frame at once;
// where the frame geometry changes, the host is also asked to lay its window
// out again through the re-layout script.
#include <windows.h>

#include "actions/actions.h"
#include "actions/window/window_util.h"
#include "base/host.h"

namespace hq {

namespace {

constexpr DWORD kCaptionButtons = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;  // 0xCB0000

void Style(DWORD set, DWORD clear) { ChangeFrameStyle(HostMainWindow(), GWL_STYLE, set, clear); }
// Only WS_EX_TOOLWINDOW, which changes the caption, is set or cleared here.
void ExStyle(DWORD set, DWORD clear) { ChangeFrameStyle(HostMainWindow(), GWL_EXSTYLE, set, clear); }
// Enables or disables the close command of the window's own system menu.
void CloseItem(UINT flag) { ::EnableMenuItem(::GetSystemMenu(HostMainWindow(), FALSE), SC_CLOSE, MF_BYCOMMAND | flag); }
void Repaint() { ::UpdateWindow(HostMainWindow()); }

}  // namespace

bool fzToolWindow(const Params&) {
    Style(WS_CAPTION, 0);
    ExStyle(WS_EX_TOOLWINDOW, 0);
    RunRelayoutScript();
    return true;
}

bool fzDialogBox(const Params&) {
    Style(kCaptionButtons, 0);
    ExStyle(0, WS_EX_TOOLWINDOW);
    CloseItem(MF_ENABLED);
    RunRelayoutScript();
    return true;
}

bool fzNoBorder(const Params&) {
    Style(0, WS_CAPTION);
    RunRelayoutScript();
    return true;
}

bool fzWinNoSizeBox(const Params&) {
    Style(0, WS_THICKFRAME);
    Repaint();
    return true;
}

bool fzWinSizeBox(const Params&) {
    Style(WS_THICKFRAME, 0);
    Repaint();
    return true;
}

bool fzNoSusMenu(const Params&) {
    Style(0, WS_SYSMENU);
    RunRelayoutScript();
    Repaint();
    return true;
}

bool fzAddSusMenu(const Params&) {
    Style(kCaptionButtons, 0);
    RunRelayoutScript();
    CloseItem(MF_ENABLED);
    Repaint();
    return true;
}

bool fzDisableButtonMinimize(const Params&) {
    Style(0, WS_MINIMIZEBOX);
    Repaint();
    return true;
}

bool fzEnableButtonMinimize(const Params&) {
    Style(WS_MINIMIZEBOX, 0);
    Repaint();
    return true;
}

bool fzDisableButtonMaximize(const Params&) {
    Style(0, WS_MAXIMIZEBOX);
    Repaint();
    return true;
}

bool fzEnableButtonMaximize(const Params&) {
    Style(WS_MAXIMIZEBOX, 0);
    Repaint();
    return true;
}

bool fzDisableButtonClose(const Params&) {
    CloseItem(MF_DISABLED);
    Repaint();
    return true;
}

bool fzEnableButtonClose(const Params&) {
    CloseItem(MF_ENABLED);
    Repaint();
    return true;
}

bool fzHideButtonMinimizeMaximize(const Params&) {
    Style(0, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);  // written back before the next read
    Style(WS_CAPTION | WS_SYSMENU, 0);
    RunRelayoutScript();
    Repaint();
    return true;
}

}  // namespace hq
