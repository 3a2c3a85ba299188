// TMBox21Form: fzNoColorTransparentCustomWindow (ID 25) - the external window whose colour key is removed.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

class TMBox21Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox21Design() {
    static const DialogDesign design{
        .action = "fzNoColorTransparentCustomWindow",
        .height = 194,
        .sections = {{8, 8, "Имя объекта (тот же, что и при создании окна):", 279, 287, 55}},
        .description = {"Отменить цвет полной прозрачности объекта(ов) во внешнем окне.", 364, 32},
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                ObjectPick("SpeedButton1", 360, 36, "Edit1"),
            },
        .tabOrder = {"Edit1", "Button1", "Button2"},
    };
    return design;
}

bool EditMBox21(char** slots) { return RunEditor<TMBox21Form>(MBox21Design(), slots); }

}  // namespace hq::editors
