// The exec dispatch table: action ID -> procedure (the parameter count is the catalogue's).
#include "dispatch.h"

#include "actions/actions.h"
#include "base/host.h"

namespace hq {

namespace {

constexpr unsigned kGet = kGetVariable, kSet = kSetVariable, kScript = kScriptProcessor;

const ExecRow kExecTable[] = {
    {1, &fzShotDesktopToJpg},
    {2, &fzShotDesktopToBmp},
    {3, &fzShotWindow},
    {4, &fzShotObject},
    {5, &fzShotRect},
    {6, &fzToolWindow, kScript},
    {7, &fzDialogBox, kScript},
    {8, &fzNoBorder, kScript},
    {9, &fzWinNoSizeBox},
    {10, &fzWinSizeBox},
    {11, &fzNoSusMenu, kScript},
    {12, &fzAddSusMenu, kScript},
    {13, &fzDisableButtonMinimize},
    {14, &fzEnableButtonMinimize},
    {15, &fzDisableButtonMaximize},
    {16, &fzEnableButtonMaximize},
    {17, &fzDisableButtonClose},
    {18, &fzEnableButtonClose},
    {19, &fzHideButtonMinimizeMaximize, kScript},
    {20, &fzSetWindowMask},
    {21, &fzSetColorTransparent},
    {22, &fzNoColorTransparent},
    {23, &fzCustomWindowSizeBox, kGet},
    {24, &fzSetColorTransparentCustomWindow, kGet},
    {25, &fzNoColorTransparentCustomWindow, kGet},
    {26, &fzHideShowIconDesktop},
    {27, &fzGetPixelColor, kSet},
    {28, &fzClipCursor},
    {29, &fzNoClipCursor},
    {30, &fzMouseStatus},
    {31, &fzMouseEvent},
    {32, &fzWindowFromPoint, kSet},
    {33, &fzSetSystemCursor},
    {34, &fzPrevSystemCursor},
    {35, &fzHideShowSistemTray},
    {36, &fzCapsLockStatus, kSet},
    {37, &fzCapsLockPush},
    {38, &fzSetTextEntryOptions, kGet | kSet | kScript},
    {39, &fzRenameFile},
    {40, &fzColorDialog, kGet | kSet},
    {41, &fzSetWatermark},
    {42, &fzEjectCD_ROM},
    {43, &fzCloseCD_ROM},
    {44, &fzCopyFileToClip},
    {45, &fzSetWindowPngMaskShadow, kSet},
    {46, &fzGetSysColor, kSet},
    {100, &fzChangeColorBmp},
};

}  // namespace

const ExecRow* FindExecRow(int32_t id) {
    for (const ExecRow& row : kExecTable)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace hq
