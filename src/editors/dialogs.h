// The property dialogs: each module gives its design and, when the dialog has
// handlers, its editor routine (the parameter slots in parameter order; true
// when confirmed). The generic editor runs the designs of the others.
#pragma once
#include "editors/design.h"

namespace hq::editors {

const DialogDesign& MBox12Design();
bool EditMBox12(char** slots);

// Capture and image editors, file actions.
const DialogDesign& MBox13Design();
const DialogDesign& MBox14Design();
const DialogDesign& MBox15Design();
const DialogDesign& MBox16Design();
const DialogDesign& MBox10Design();
const DialogDesign& MBox7Design();
const DialogDesign& MBox100Design();
const DialogDesign& MBox11Design();
bool EditMBox11(char** slots);
// The layout the window and object shots share (MBox14.cpp).
DialogDesign HandleShotDesign(std::string action, std::string handleTitle, DescriptionDecl description);

// Window and text-entry editors.
const DialogDesign& MBox17Design();
const DialogDesign& MBox19Design();
const DialogDesign& MBox18Design();
const DialogDesign& MBox20Design();
const DialogDesign& MBox21Design();
const DialogDesign& MBox22Design();
const DialogDesign& MBox9Design();
bool EditMBox9(char** slots);
// The layouts two dialogs each share: a mask file (MBox17.cpp, also TMBox22Form)
// and an external window's object name (MBox18.cpp, also TMBox21Form).
DialogDesign MaskFileDesign(std::string action, std::string title, DescriptionDecl description);
DialogDesign ExternalWindowDesign(std::string action, int titleWidth, int stripWidth, DescriptionDecl description);

// Desktop, input and colour-dialog editors.
const DialogDesign& MBox1Design();
const DialogDesign& MBox4Design();
const DialogDesign& MBox5Design();
const DialogDesign& MBox6Design();
const DialogDesign& MBox8Design();
const DialogDesign& MBox25Design();
const DialogDesign& MBox26Design();
const DialogDesign& MBox28Design();
const DialogDesign& MBox27Design();
bool EditMBox27(char** slots);
// The 21 lines of TMBox27Form's "Подробнее" message, joined by CR LF.
std::string SystemColourExplanation();
const DialogDesign& MBox24Design();
bool EditMBox24(char** slots);

}  // namespace hq::editors
