// TMBox16Form: fzShotRect (ID 5) - the BMP file and the screen rectangle.
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox16Design() {
    static const DialogDesign design{
        .action = "fzShotRect",
        .height = 318,
        .sections =
            {
                {8, 8, "Слева:", 143, 143, 55},
                {8, 70, "Сверху:", 143, 143, 55},
                {216, 8, "Ширина снимка:", 143, 143, 55},
                {216, 70, "Высота снимка:", 143, 143, 55},
                {8, 132, "Сохранить файл:"},
            },
        .description = {"Сделать снимок произвольной области экрана и сохранить файл в формате BMP.", 360, 32},
        .controls =
            {
                EditField("Edit2", 16, 36, 137).Holds(2),
                VariablePick("SpeedButton3", 155, 36, "Edit2"),
                EditField("Edit3", 16, 98, 137).Holds(3),
                VariablePick("SpeedButton4", 155, 98, "Edit3"),
                EditField("Edit4", 224, 36, 137).Holds(4),
                VariablePick("SpeedButton5", 363, 36, "Edit4"),
                EditField("Edit5", 224, 98, 137).Holds(5),
                VariablePick("SpeedButton6", 363, 98, "Edit5"),
                EditField("Edit1", 16, 160, 318).Holds(1),
                FilePick("SpeedButton1", 336, 160, "Edit1"),
                VariablePick("SpeedButton2", 363, 160, "Edit1"),
            },
        // The file field at the bottom comes first: the focus starts there.
        .tabOrder = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Button1", "Button2"},
    };
    return design;
}

}  // namespace hq::editors
