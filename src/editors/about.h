// The About box.
#pragma once

namespace hq {

// Shows the About box modally over the window active at the moment and
// returns when the author closes it.
void ShowAboutBox();

}  // namespace hq
