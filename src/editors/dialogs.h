// The dialogs built so far: each module gives its design and its editor
// routine (the parameter slots in parameter order; true when confirmed).
#pragma once
#include "editors/design.h"

namespace hq::editors {

const DialogDesign& MBox12Design();
bool EditMBox12(char** slots);

// Capture and image editors, file actions.
const DialogDesign& MBox13Design();
bool EditMBox13(char** slots);
const DialogDesign& MBox14Design();
bool EditMBox14(char** slots);
const DialogDesign& MBox15Design();
bool EditMBox15(char** slots);
const DialogDesign& MBox16Design();
bool EditMBox16(char** slots);
const DialogDesign& MBox10Design();
bool EditMBox10(char** slots);
const DialogDesign& MBox7Design();
bool EditMBox7(char** slots);
const DialogDesign& MBox100Design();
bool EditMBox100(char** slots);
const DialogDesign& MBox11Design();
bool EditMBox11(char** slots);
// The layout the window and object shots share (MBox14.cpp).
DialogDesign HandleShotDesign(std::string action, std::string handleTitle, DescriptionDecl description);

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
// The layouts two dialogs each share: a mask file (MBox17.cpp, also TMBox22Form)
// and an external window's object name (MBox18.cpp, also TMBox21Form).
DialogDesign MaskFileDesign(std::string action, std::string title, DescriptionDecl description);
DialogDesign ExternalWindowDesign(std::string action, int titleWidth, int stripWidth, DescriptionDecl description);

}  // namespace hq::editors
