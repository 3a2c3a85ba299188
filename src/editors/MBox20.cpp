// TMBox20Form: fzSetColorTransparentCustomWindow (ID 24) - the external window and its key colour.
#include "editors/dialogs.h"

namespace hq::editors {

// The object button serves Edit1 only; the colour fields keep their text.
const DialogDesign& MBox20Design() {
    static const DialogDesign design{
        .action = "fzSetColorTransparentCustomWindow",
        .height = 256,
        .sections = {{8, 8, "Имя объекта (тот же, что и при создании окна):", 279, 287, 55},
                     {8, 70, "Цвет прозрачности:", 263, 263, 55}},
        .description = {"Установить цвет полной прозрачности объекта(ов) во внешнем окне. Цвет указывается в "
                        "формате RGB.",
                        323, 32},
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                ObjectPick("SpeedButton1", 360, 36, "Edit1"),
                TextLabel("Label4", 16, 102, "R:"),
                EditField("Edit2", 32, 98, 41).Holds(2),
                TextLabel("Label5", 104, 102, "G:"),
                EditField("Edit3", 120, 98, 41).Holds(3),
                TextLabel("Label6", 192, 102, "B:"),
                EditField("Edit4", 208, 98, 41).Holds(4),
            },
        .tabOrder = {"Edit1", "Edit2", "Edit3", "Edit4", "Button1", "Button2"},
    };
    return design;
}

}  // namespace hq::editors
