// TMBox18Form: fzCustomWindowSizeBox (ID 23) - the external window, by the object name it was created with.
#include "editors/dialogs.h"

namespace hq::editors {

DialogDesign ExternalWindowDesign(std::string action, int titleWidth, int stripWidth, DescriptionDecl description) {
    return DialogDesign{
        .action = std::move(action),
        .height = 194,
        .sections = {{8, 8, "Имя объекта (тот же, что и при создании окна):", titleWidth, stripWidth, 55}},
        .description = std::move(description),
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                ObjectPick("SpeedButton1", 360, 36, "Edit1"),
            },
        .tabOrder = {"Edit1", "Button1", "Button2"},
    };
}

const DialogDesign& MBox18Design() {
    static const DialogDesign design = ExternalWindowDesign(
        "fzCustomWindowSizeBox", 287, 311, {"Добавить свойство растягивания к внешнему окну.", 309, 16});
    return design;
}

}  // namespace hq::editors
