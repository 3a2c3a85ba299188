// The dialogs built so far: each module gives its design and its editor
// routine (the parameter slots in parameter order; true when confirmed).
#pragma once
#include "editors/design.h"

namespace hq::editors {

const DialogDesign& MBox12Design();
bool EditMBox12(char** slots);

// Window and text-entry editors.
const DialogDesign& MBox17Design();
bool EditMBox17(char** slots);
const DialogDesign& MBox19Design();
bool EditMBox19(char** slots);
const DialogDesign& MBox18Design();
bool EditMBox18(char** slots);
const DialogDesign& MBox20Design();
bool EditMBox20(char** slots);
const DialogDesign& MBox21Design();
bool EditMBox21(char** slots);
const DialogDesign& MBox22Design();
bool EditMBox22(char** slots);
const DialogDesign& MBox9Design();
bool EditMBox9(char** slots);

}  // namespace hq::editors
