// TMBox13Form: fzShotDesktopToBmp (ID 2) - the BMP file of a desktop shot.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox13Design() {
    static const DialogDesign design{
        .action = "fzShotDesktopToBmp",
        .height = 194,
        .sections = {{8, 8, "Сохранить файл:"}},
        .description = {"Сделать снимок рабочего стола и сохранить файл в формате BMP.", 313, 32},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton1", 330, 36, "Edit1"),
                VariablePick("SpeedButton2", 355, 36, "Edit1"),
            },
        .tabOrder = {"Edit1", "Button1", "Button2"},
    };
    return design;
}

}  // namespace hq::editors
