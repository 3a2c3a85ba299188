// TMBox14Form: fzShotWindow (ID 3) - a window handle and the BMP file of its shot.
// The object shot (TMBox15Form) has the same layout; both take it from here.
#include "editors/dialogs.h"

namespace hq::editors {

DialogDesign HandleShotDesign(std::string action, std::string handleTitle, DescriptionDecl description) {
    return DialogDesign{
        .action = std::move(action),
        .height = 256,
        .sections = {{8, 8, std::move(handleTitle)}, {8, 70, "Сохранить файл:"}},
        .description = std::move(description),
        .controls =
            {
                // The handle row has a variable pick only.
                EditField("Edit1", 16, 36, 312).Holds(1),
                VariablePick("SpeedButton2", 355, 36, "Edit1").HandCursor(),
                EditField("Edit2", 16, 98, 312).Holds(2),
                FilePick("SpeedButton3", 330, 98, "Edit2").HandCursor(),
                VariablePick("SpeedButton4", 355, 98, "Edit2").HandCursor(),
            },
        .tabOrder = {"Edit1", "Edit2", "Button1", "Button2"},
    };
}

const DialogDesign& MBox14Design() {
    static const DialogDesign design = HandleShotDesign(
        "fzShotWindow", "Дескриптор окна (HWND):",
        {"Сделать снимок полного окна (даже за пределами рабочего стола) и сохранить файл в формате BMP.", 363,
         32});
    return design;
}

}  // namespace hq::editors
