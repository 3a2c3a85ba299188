// TMBox19Form: fzSetColorTransparent (ID 21) - the key colour of the main window as three components.
#include "editors/dialogs.h"

namespace hq::editors {

// The components are text like every parameter: "256", "-1" or "[Red]" are stored as typed.
const DialogDesign& MBox19Design() {
    static const DialogDesign design{
        .action = "fzSetColorTransparent",
        .height = 194,
        .sections = {{8, 8, "Цвет прозрачности:", 287, 311, 55}},
        .description = {"Установить цвет полной прозрачности объекта(ов) в главном окне. Цвет указывается в формате "
                        "RGB.",
                        369, 32},
        .controls =
            {
                TextLabel("Label4", 16, 40, "R:"),
                EditField("Edit2", 32, 36, 41).Holds(1),
                TextLabel("Label5", 104, 40, "G:"),
                EditField("Edit3", 120, 36, 41).Holds(2),
                TextLabel("Label6", 192, 40, "B:"),
                EditField("Edit4", 208, 36, 41).Holds(3),
            },
        .tabOrder = {"Edit2", "Edit3", "Edit4", "Button1", "Button2"},
    };
    return design;
}

}  // namespace hq::editors
