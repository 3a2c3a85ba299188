// TMBox26Form: fzWindowFromPoint (ID 32) - the variable for the handle of the window under the cursor.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox26Design() {
    static const DialogDesign design{
        .action = "fzWindowFromPoint",
        .height = 194,
        .sections = {{8, 8, "Сохранить дескриптор в переменной:"}},
        .description = {"Получить дескриптор (HWND) окна или элементов управления под курсором мыши.", 308, 38},
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                VariablePick("SpeedButton1", 360, 36, "Edit1"),
            },
    };
    return design;
}

}  // namespace hq::editors
