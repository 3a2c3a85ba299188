// The dialogs built so far: each module gives its design and its editor
// routine (the parameter slots in parameter order; true when confirmed).
#pragma once
#include "editors/design.h"

namespace hq::editors {

const DialogDesign& MBox12Design();
bool EditMBox12(char** slots);

}  // namespace hq::editors
