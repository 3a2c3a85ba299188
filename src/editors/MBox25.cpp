// TMBox25Form: fzMouseEvent (ID 31) - the cursor position and the kind of click.
#include "editors/dialogs.h"

namespace hq::editors {

// The radio buttons open clear whatever Edit3 holds; a click kind reaches the
// holder only when the author checks one.
const DialogDesign& MBox25Design() {
    static const DialogDesign design{
        .action = "fzMouseEvent",
        .height = 256,
        .sections = {{8, 8, "Позиция курсора:", 143, 143, 119}, {232, 8, "Щёлкнуть кнопкой:", 143, 143, 119}},
        .description = {"Имитировать щелчок левой, средней, правой кнопкой мыши.", 369, 16},
        .controls =
            {
                TextLabel("Label1", 16, 30, "Слева:"),
                EditField("Edit1", 16, 47, 113).Holds(1),
                VariablePick("SpeedButton2", 131, 47, "Edit1"),
                TextLabel("Label4", 16, 81, "Сверху:"),
                EditField("Edit2", 16, 98, 113).Holds(2),
                VariablePick("SpeedButton4", 131, 98, "Edit2"),
                Radio("RadioButton1", 240, 34, 81, 17, "Левой").Writes("Edit3", "LeftButton"),
                Radio("RadioButton2", 240, 57, 89, 17, "Средней").Writes("Edit3", "MiddleButton"),
                Radio("RadioButton3", 240, 80, 73, 17, "Правой").Writes("Edit3", "RightButton"),
                Radio("RadioButton4", 240, 103, 137, 17, "Двойной клик левой").Writes("Edit3", "DoubleLeft"),
                EditField("Edit3", 8, 216, 17).Hidden().Holds(3),
            },
        .tabOrder = {"Edit1", "Edit2", "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "Button1",
                     "Button2"},
    };
    return design;
}

}  // namespace hq::editors
