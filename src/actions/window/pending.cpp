// Actions of this group that are not built yet: each does nothing and returns false.
#include "actions/actions.h"

namespace hq {

bool fzToolWindow(const Params&) { return false; }
bool fzDialogBox(const Params&) { return false; }
bool fzNoBorder(const Params&) { return false; }
bool fzWinNoSizeBox(const Params&) { return false; }
bool fzWinSizeBox(const Params&) { return false; }
bool fzNoSusMenu(const Params&) { return false; }
bool fzAddSusMenu(const Params&) { return false; }
bool fzDisableButtonMinimize(const Params&) { return false; }
bool fzEnableButtonMinimize(const Params&) { return false; }
bool fzDisableButtonMaximize(const Params&) { return false; }
bool fzEnableButtonMaximize(const Params&) { return false; }
bool fzDisableButtonClose(const Params&) { return false; }
bool fzEnableButtonClose(const Params&) { return false; }
bool fzHideButtonMinimizeMaximize(const Params&) { return false; }
bool fzSetWindowMask(const Params&) { return false; }
bool fzSetColorTransparent(const Params&) { return false; }
bool fzNoColorTransparent(const Params&) { return false; }
bool fzCustomWindowSizeBox(const Params&) { return false; }
bool fzSetColorTransparentCustomWindow(const Params&) { return false; }
bool fzNoColorTransparentCustomWindow(const Params&) { return false; }
bool fzSetTextEntryOptions(const Params&) { return false; }
bool fzSetWindowPngMaskShadow(const Params&) { return false; }

void ReapplyPendingTextEntryOptions() {}
void ReleasePendingTextEntryOptions() {}

}  // namespace hq
