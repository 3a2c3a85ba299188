// TMBox8Form: fzClipCursor (ID 28) - the rectangle the cursor is confined to.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox8Design() {
    static const DialogDesign design{
        .action = "fzClipCursor",
        .height = 256,
        .sections = {{8, 8, "Слева ( X1 ):", 143, 143, 55},
                     {8, 70, "Сверху ( Y1 ):", 143, 143, 55},
                     {216, 8, "Слева ( X2 ):", 143, 143, 55},
                     {216, 70, "Сверху ( Y2 ):", 143, 143, 55}},
        .description = {"Ограничить передвижение курсора мыши по заданным экранным координатам.", 338, 32},
        .controls =
            {
                EditField("Edit1", 16, 36, 137).Holds(1),
                VariablePick("SpeedButton1", 155, 36, "Edit1"),
                EditField("Edit2", 16, 98, 137).Holds(2),
                VariablePick("SpeedButton2", 155, 98, "Edit2").HandCursor(),
                EditField("Edit3", 224, 36, 137).Holds(3),
                VariablePick("SpeedButton3", 363, 36, "Edit3").NoHint(),
                EditField("Edit4", 224, 98, 137).Holds(4),
                VariablePick("SpeedButton4", 363, 98, "Edit4").NoHint(),
            },
        // The focus starts in the X2 field.
        .tabOrder = {"Edit3", "Button1", "Button2", "Edit1", "Edit4", "Edit2"},
    };
    return design;
}

}  // namespace hq::editors
