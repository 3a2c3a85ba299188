// The edit dispatch: opens the property dialog bound to an action ID.
#pragma once
#include <cstdint>

namespace hq {

// Shows the dialog of `id` over the host's parameter slots (element 0 is
// parameter 1). True when the author confirmed and every slot was replaced;
// false, with no slot touched, when cancelled or when the ID has no dialog.
bool EditAction(int32_t id, char** params);

}  // namespace hq
