// The actions, one procedure each, called by the exec dispatch table with
// exactly their registered parameters. Each returns its Boolean result.
#pragma once
#include "params.h"

namespace hq {

// Window appearance (actions/window)
bool fzToolWindow(const Params& p);  // ID 6
bool fzDialogBox(const Params& p);  // ID 7
bool fzNoBorder(const Params& p);  // ID 8
bool fzWinNoSizeBox(const Params& p);  // ID 9
bool fzWinSizeBox(const Params& p);  // ID 10
bool fzNoSusMenu(const Params& p);  // ID 11
bool fzAddSusMenu(const Params& p);  // ID 12
bool fzDisableButtonMinimize(const Params& p);  // ID 13
bool fzEnableButtonMinimize(const Params& p);  // ID 14
bool fzDisableButtonMaximize(const Params& p);  // ID 15
bool fzEnableButtonMaximize(const Params& p);  // ID 16
bool fzDisableButtonClose(const Params& p);  // ID 17
bool fzEnableButtonClose(const Params& p);  // ID 18
bool fzHideButtonMinimizeMaximize(const Params& p);  // ID 19
bool fzSetWindowMask(const Params& p);  // ID 20
bool fzSetColorTransparent(const Params& p);  // ID 21
bool fzNoColorTransparent(const Params& p);  // ID 22
bool fzCustomWindowSizeBox(const Params& p);  // ID 23
bool fzSetColorTransparentCustomWindow(const Params& p);  // ID 24
bool fzNoColorTransparentCustomWindow(const Params& p);  // ID 25
bool fzSetTextEntryOptions(const Params& p);  // ID 38
bool fzSetWindowPngMaskShadow(const Params& p);  // ID 45

// Screen capture and image files (actions/capture)
bool fzShotDesktopToJpg(const Params& p);  // ID 1
bool fzShotDesktopToBmp(const Params& p);  // ID 2
bool fzShotWindow(const Params& p);  // ID 3
bool fzShotObject(const Params& p);  // ID 4
bool fzShotRect(const Params& p);  // ID 5
bool fzSetWatermark(const Params& p);  // ID 41
bool fzChangeColorBmp(const Params& p);  // ID 100

// Desktop, input and system (actions/system)
bool fzHideShowIconDesktop(const Params& p);  // ID 26
bool fzGetPixelColor(const Params& p);  // ID 27
bool fzClipCursor(const Params& p);  // ID 28
bool fzNoClipCursor(const Params& p);  // ID 29
bool fzMouseStatus(const Params& p);  // ID 30
bool fzMouseEvent(const Params& p);  // ID 31
bool fzWindowFromPoint(const Params& p);  // ID 32
bool fzSetSystemCursor(const Params& p);  // ID 33
bool fzPrevSystemCursor(const Params& p);  // ID 34
bool fzHideShowSistemTray(const Params& p);  // ID 35
bool fzCapsLockStatus(const Params& p);  // ID 36
bool fzCapsLockPush(const Params& p);  // ID 37
bool fzRenameFile(const Params& p);  // ID 39
bool fzColorDialog(const Params& p);  // ID 40
bool fzEjectCD_ROM(const Params& p);  // ID 42
bool fzCloseCD_ROM(const Params& p);  // ID 43
bool fzCopyFileToClip(const Params& p);  // ID 44
bool fzGetSysColor(const Params& p);  // ID 46

}  // namespace hq

namespace hq {

// Host message 6: applies the pending text-entry options again (actions/window).
void ReapplyPendingTextEntryOptions();
// Releases the pending text-entry options when the library unloads.
void ReleasePendingTextEntryOptions();

}  // namespace hq
