// The exec dispatch table: action ID -> procedure and registered parameter count.
#include "dispatch.h"

#include "actions/actions.h"
#include "base/host.h"

namespace hq {

namespace {

constexpr unsigned kGet = kGetVariable, kSet = kSetVariable, kScript = kScriptProcessor;

const ExecRow kExecTable[] = {
    {1, 2, &fzShotDesktopToJpg},
    {2, 1, &fzShotDesktopToBmp},
    {3, 2, &fzShotWindow},
    {4, 2, &fzShotObject},
    {5, 5, &fzShotRect},
    {6, 0, &fzToolWindow, kScript},
    {7, 0, &fzDialogBox, kScript},
    {8, 0, &fzNoBorder, kScript},
    {9, 0, &fzWinNoSizeBox},
    {10, 0, &fzWinSizeBox},
    {11, 0, &fzNoSusMenu, kScript},
    {12, 0, &fzAddSusMenu, kScript},
    {13, 0, &fzDisableButtonMinimize},
    {14, 0, &fzEnableButtonMinimize},
    {15, 0, &fzDisableButtonMaximize},
    {16, 0, &fzEnableButtonMaximize},
    {17, 0, &fzDisableButtonClose},
    {18, 0, &fzEnableButtonClose},
    {19, 0, &fzHideButtonMinimizeMaximize, kScript},
    {20, 1, &fzSetWindowMask},
    {21, 3, &fzSetColorTransparent},
    {22, 0, &fzNoColorTransparent},
    {23, 1, &fzCustomWindowSizeBox, kGet},
    {24, 4, &fzSetColorTransparentCustomWindow, kGet},
    {25, 1, &fzNoColorTransparentCustomWindow, kGet},
    {26, 1, &fzHideShowIconDesktop},
    {27, 3, &fzGetPixelColor, kSet},
    {28, 4, &fzClipCursor},
    {29, 0, &fzNoClipCursor},
    {30, 1, &fzMouseStatus},
    {31, 3, &fzMouseEvent},
    {32, 1, &fzWindowFromPoint, kSet},
    {33, 1, &fzSetSystemCursor},
    {34, 0, &fzPrevSystemCursor},
    {35, 1, &fzHideShowSistemTray},
    {36, 0, &fzCapsLockStatus, kSet},
    {37, 0, &fzCapsLockPush},
    {38, 3, &fzSetTextEntryOptions, kGet | kSet | kScript},
    {39, 2, &fzRenameFile},
    {40, 10, &fzColorDialog, kGet | kSet},
    {41, 10, &fzSetWatermark},
    {42, 0, &fzEjectCD_ROM},
    {43, 0, &fzCloseCD_ROM},
    {44, 1, &fzCopyFileToClip},
    {45, 1, &fzSetWindowPngMaskShadow, kSet},
    {46, 2, &fzGetSysColor, kSet},
    {100, 2, &fzChangeColorBmp},
};

}  // namespace

const ExecRow* FindExecRow(int32_t id) {
    for (const ExecRow& row : kExecTable)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace hq
