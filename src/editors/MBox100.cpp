// TMBox100Form: fzChangeColorBmp (ID 100) - the BMP file and the colour depth
// it is converted to.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox100Design() {
    static const DialogDesign design{
        .action = "fzChangeColorBmp",
        .height = 256,
        .sections = {{8, 8, "Путь к файлу (.bmp):"}, {8, 70, "Глубина цвета:", 303, 303, 55}},
        .description = {"Изменить глубину цвета изображения.", 231, 16},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton4", 330, 36, "Edit1"),
                VariablePick("SpeedButton1", 355, 36, "Edit1"),
                // Each button writes its depth into Edit2 when it becomes checked.
                Radio("RadioButton1", 16, 104, 49, 17, "32bit").Writes("Edit2", "32"),
                Radio("RadioButton2", 80, 104, 49, 17, "24bit").Writes("Edit2", "24"),
                Radio("RadioButton3", 144, 104, 49, 17, "16bit").Writes("Edit2", "16"),
                Radio("RadioButton4", 208, 104, 49, 17, "8bit").Writes("Edit2", "8"),
                Radio("RadioButton5", 272, 104, 49, 17, "4bit").Writes("Edit2", "4"),
                // The depth holder is visible at the lower left and may be typed into.
                EditField("Edit2", 8, 226, 129).Holds(2),
            },
        .tabOrder = {"Edit1", "Edit2", "Button1", "Button2", "RadioButton1", "RadioButton2", "RadioButton3",
                     "RadioButton4", "RadioButton5"},
    };
    return design;
}

}  // namespace hq::editors
