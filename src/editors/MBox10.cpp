// TMBox10Form: fzRenameFile (ID 39) - the existing file and its new name.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox10Design() {
    static const DialogDesign design{
        .action = "fzRenameFile",
        .height = 256,
        .sections = {{8, 8, "Начальный файл:"}, {8, 70, "Конечный файл:"}},
        .description = {"Переименовать внешний файл.", 188, 16},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton2", 330, 36, "Edit1"),
                VariablePick("SpeedButton1", 355, 36, "Edit1"),
                EditField("Edit2", 16, 98, 312).Holds(2),
                FilePick("SpeedButton3", 330, 98, "Edit2"),
                VariablePick("SpeedButton4", 355, 98, "Edit2"),
            },
        .tabOrder = {"Edit1", "Edit2", "Button1", "Button2"},
    };
    return design;
}

}  // namespace hq::editors
