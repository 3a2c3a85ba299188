// TMBox28Form: fzSetSystemCursor (ID 33) - the cursor file that replaces the arrow.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox28Design() {
    static const DialogDesign design{
        .action = "fzSetSystemCursor",
        .height = 194,
        .sections = {{8, 8, "Файл курсора (CUR, ANI, ICO):"}},
        .description = {"Установить новый системный курсор.", 226, 16},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton2", 330, 36, "Edit1"),
                VariablePick("SpeedButton1", 355, 36, "Edit1"),
            },
    };
    return design;
}

}  // namespace hq::editors
