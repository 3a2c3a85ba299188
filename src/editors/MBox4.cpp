// TMBox4Form: fzGetPixelColor (ID 27) - the screen point and the variable for its colour.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox4Design() {
    static const DialogDesign design{
        .action = "fzGetPixelColor",
        .height = 318,
        .sections = {{8, 8, "Слева:"}, {8, 70, "Сверху:"}, {8, 132, "Сохранить результад в переменной:"}},
        .description = {"Получить цвет пикселя определённой точки экрана в формате RGB.", 323, 32},
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                VariablePick("SpeedButton2", 360, 36, "Edit1").HandCursor().WithGlyph(Glyph::Variable24),
                EditField("Edit2", 16, 98, 342).Holds(2),
                VariablePick("SpeedButton4", 360, 98, "Edit2").HandCursor(),
                EditField("Edit3", 16, 160, 342).Holds(3),
                VariablePick("SpeedButton1", 360, 160, "Edit3"),
            },
        // The focus starts in the variable field.
        .tabOrder = {"Edit3", "Button1", "Button2", "Edit1", "Edit2"},
    };
    return design;
}

}  // namespace hq::editors
