// Actions of this group that are not built yet: each does nothing and returns false.
#include "actions/actions.h"

namespace hq {

bool fzHideShowIconDesktop(const Params&) { return false; }
bool fzGetPixelColor(const Params&) { return false; }
bool fzClipCursor(const Params&) { return false; }
bool fzNoClipCursor(const Params&) { return false; }
bool fzMouseStatus(const Params&) { return false; }
bool fzMouseEvent(const Params&) { return false; }
bool fzWindowFromPoint(const Params&) { return false; }
bool fzSetSystemCursor(const Params&) { return false; }
bool fzPrevSystemCursor(const Params&) { return false; }
bool fzHideShowSistemTray(const Params&) { return false; }
bool fzCapsLockStatus(const Params&) { return false; }
bool fzCapsLockPush(const Params&) { return false; }
bool fzRenameFile(const Params&) { return false; }
bool fzColorDialog(const Params&) { return false; }
bool fzEjectCD_ROM(const Params&) { return false; }
bool fzCloseCD_ROM(const Params&) { return false; }
bool fzCopyFileToClip(const Params&) { return false; }

}  // namespace hq
