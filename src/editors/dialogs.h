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

// Desktop, input and colour-dialog editors.
const DialogDesign& MBox1Design();
bool EditMBox1(char** slots);
const DialogDesign& MBox4Design();
bool EditMBox4(char** slots);
const DialogDesign& MBox5Design();
bool EditMBox5(char** slots);
const DialogDesign& MBox6Design();
bool EditMBox6(char** slots);
const DialogDesign& MBox8Design();
bool EditMBox8(char** slots);
const DialogDesign& MBox25Design();
bool EditMBox25(char** slots);
const DialogDesign& MBox26Design();
bool EditMBox26(char** slots);
const DialogDesign& MBox28Design();
bool EditMBox28(char** slots);
const DialogDesign& MBox27Design();
bool EditMBox27(char** slots);
// The 21 lines of TMBox27Form's "Подробнее" message, joined by CR LF.
std::string SystemColourExplanation();
const DialogDesign& MBox24Design();
bool EditMBox24(char** slots);

}  // namespace hq::editors
