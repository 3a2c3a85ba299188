// The layout the three switch dialogs share (hide/show, disable/enable): one
// section "Действие:", two radio buttons writing "0" and "1" into the hidden
// holder Edit1, and the focus starting on "OK".
#pragma once
#include <string>

#include "editors/design.h"

namespace hq::editors {

struct SwitchCaptions {
    std::string off;  // RadioButton1, writes "0"
    int offWidth;
    std::string on;   // RadioButton2, writes "1"
    int onWidth;
};

inline DialogDesign SwitchDesign(std::string action, SwitchCaptions radios, DescriptionDecl description) {
    return DialogDesign{
        .action = std::move(action),
        .height = 194,
        .sections = {{8, 8, "Действие:"}},
        .description = std::move(description),
        .controls =
            {
                Radio("RadioButton1", 16, 36, radios.offWidth, 25, radios.off).Writes("Edit1", "0"),
                Radio("RadioButton2", 136, 36, radios.onWidth, 25, radios.on).Writes("Edit1", "1"),
                EditField("Edit1", 8, 156, 17).Hidden().Holds(1),
            },
        .tabOrder = {"Button1", "Button2", "RadioButton1", "RadioButton2"},
    };
}

}  // namespace hq::editors
