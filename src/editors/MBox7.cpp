// TMBox7Form: fzCopyFileToClip (ID 44) - the file to place on the clipboard.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox7Design() {
    static const DialogDesign design{
        .action = "fzCopyFileToClip",
        .height = 194,
        .caption = "Свойства fzCopyFileToClip ",  // the trailing blank is the dialog's own
        .sections = {{8, 8, "Путь к файлу:"}},
        .description = {"Копировать файл любого расширения в буфер обмена.", 332, 16},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton2", 330, 36, "Edit1"),
                VariablePick("SpeedButton1", 355, 36, "Edit1"),
            },
        // "OK" comes first in the tab order, so the dialog opens with the focus on it.
        .tabOrder = {"Button1", "Button2", "Edit1"},
    };
    return design;
}

}  // namespace hq::editors
