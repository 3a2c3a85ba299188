// The About box is not built yet: showing it does nothing.
#include "plugin/about.h"

namespace hq {

void ShowAboutBox() {}

}  // namespace hq
