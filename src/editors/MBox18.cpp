// TMBox18Form: fzCustomWindowSizeBox (ID 23) - the external window, by the object name it was created with.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

class TMBox18Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox18Design() {
    static const DialogDesign design{
        .action = "fzCustomWindowSizeBox",
        .height = 194,
        .sections = {{8, 8, "Имя объекта (тот же, что и при создании окна):", 287, 311, 55}},
        .description = {"Добавить свойство растягивания к внешнему окну.", 309, 16},
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                ObjectPick("SpeedButton1", 360, 36, "Edit1"),
            },
        .tabOrder = {"Edit1", "Button1", "Button2"},
    };
    return design;
}

bool EditMBox18(char** slots) { return RunEditor<TMBox18Form>(MBox18Design(), slots); }

}  // namespace hq::editors
