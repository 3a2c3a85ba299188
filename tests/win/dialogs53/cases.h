// The window and text-entry dialogs as the tests see them from outside:
// which control holds each parameter, where the focus starts, and which pick
// buttons serve which field.
#pragma once
#include <string>
#include <vector>

namespace dialogs53 {

struct PickCase {
    const char* button;
    const char* field;
    int code;                  // 1 object list, 14 variable, 15 file
    const char* sent = nullptr;  // the text the host receives, when not the field's own
};

struct DialogCase {
    int id;
    const char* action;
    std::vector<const char*> holders;  // design names, in parameter order
    const char* focus;                 // the control with the focus at the start
    std::vector<PickCase> picks;
    bool captionEndsWithBlank = false;

    std::string Caption() const { return std::string("Свойства ") + action + (captionEndsWithBlank ? " " : ""); }
};

inline const std::vector<DialogCase>& Cases() {
    static const std::vector<DialogCase> cases = {
        {20, "fzSetWindowMask", {"Edit1"}, "Edit1", {{"SpeedButton1", "Edit1", 15}, {"SpeedButton2", "Edit1", 14}}},
        {21, "fzSetColorTransparent", {"Edit2", "Edit3", "Edit4"}, "Edit2", {}},
        {23, "fzCustomWindowSizeBox", {"Edit1"}, "Edit1", {{"SpeedButton1", "Edit1", 1}}},
        {24, "fzSetColorTransparentCustomWindow", {"Edit1", "Edit2", "Edit3", "Edit4"}, "Edit1",
         {{"SpeedButton1", "Edit1", 1}}},
        {25, "fzNoColorTransparentCustomWindow", {"Edit1"}, "Edit1", {{"SpeedButton1", "Edit1", 1}}},
        {45, "fzSetWindowPngMaskShadow", {"Edit1"}, "Edit1",
         {{"SpeedButton1", "Edit1", 15}, {"SpeedButton2", "Edit1", 14}}},
        {38, "fzSetTextEntryOptions", {"Edit1", "Edit2", "Edit3"}, "Edit1",
         {{"SpeedButton1", "Edit1", 1, "ObjectType=8"}}, true},
    };
    return cases;
}

}  // namespace dialogs53
