// Actions of this group that are not built yet: each does nothing and returns false.
#include "actions/actions.h"

namespace hq {

bool fzShotDesktopToJpg(const Params&) { return false; }
bool fzShotDesktopToBmp(const Params&) { return false; }
bool fzShotWindow(const Params&) { return false; }
bool fzShotObject(const Params&) { return false; }
bool fzShotRect(const Params&) { return false; }
bool fzSetWatermark(const Params&) { return false; }
bool fzChangeColorBmp(const Params&) { return false; }

}  // namespace hq
