// The dialogs built so far: each module gives its design and its editor
// routine (the parameter slots in parameter order; true when confirmed).
#pragma once
#include "editors/design.h"

namespace hq::editors {

const DialogDesign& MBox12Design();
bool EditMBox12(char** slots);

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
