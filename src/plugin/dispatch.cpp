// The exec dispatch table: action ID -> procedure and registered parameter count.
#include "dispatch.h"

#include "actions/actions.h"

namespace hq {

namespace {

const ExecRow kExecTable[] = {
    {1, 2, &fzShotDesktopToJpg},
    {2, 1, &fzShotDesktopToBmp},
    {3, 2, &fzShotWindow},
    {4, 2, &fzShotObject},
    {5, 5, &fzShotRect},
    {6, 0, &fzToolWindow},
    {7, 0, &fzDialogBox},
    {8, 0, &fzNoBorder},
    {9, 0, &fzWinNoSizeBox},
    {10, 0, &fzWinSizeBox},
    {11, 0, &fzNoSusMenu},
    {12, 0, &fzAddSusMenu},
    {13, 0, &fzDisableButtonMinimize},
    {14, 0, &fzEnableButtonMinimize},
    {15, 0, &fzDisableButtonMaximize},
    {16, 0, &fzEnableButtonMaximize},
    {17, 0, &fzDisableButtonClose},
    {18, 0, &fzEnableButtonClose},
    {19, 0, &fzHideButtonMinimizeMaximize},
    {20, 1, &fzSetWindowMask},
    {21, 3, &fzSetColorTransparent},
    {22, 0, &fzNoColorTransparent},
    {23, 1, &fzCustomWindowSizeBox},
    {24, 4, &fzSetColorTransparentCustomWindow},
    {25, 1, &fzNoColorTransparentCustomWindow},
    {26, 1, &fzHideShowIconDesktop},
    {27, 3, &fzGetPixelColor},
    {28, 4, &fzClipCursor},
    {29, 0, &fzNoClipCursor},
    {30, 1, &fzMouseStatus},
    {31, 3, &fzMouseEvent},
    {32, 1, &fzWindowFromPoint},
    {33, 1, &fzSetSystemCursor},
    {34, 0, &fzPrevSystemCursor},
    {35, 1, &fzHideShowSistemTray},
    {36, 0, &fzCapsLockStatus},
    {37, 0, &fzCapsLockPush},
    {38, 3, &fzSetTextEntryOptions},
    {39, 2, &fzRenameFile},
    {40, 10, &fzColorDialog},
    {41, 10, &fzSetWatermark},
    {42, 0, &fzEjectCD_ROM},
    {43, 0, &fzCloseCD_ROM},
    {44, 1, &fzCopyFileToClip},
    {45, 1, &fzSetWindowPngMaskShadow},
    {46, 2, &fzGetSysColor},
    {100, 2, &fzChangeColorBmp},
};

}  // namespace

const ExecRow* FindExecRow(int32_t id) {
    for (const ExecRow& row : kExecTable)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace hq
