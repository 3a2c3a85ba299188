// TMBox22Form: fzSetWindowPngMaskShadow (ID 45) - the PNG mask of the main window.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

class TMBox22Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox22Design() {
    static const DialogDesign design{
        .action = "fzSetWindowPngMaskShadow",
        .height = 194,
        .sections = {{8, 8, "Файл маски:"}},
        .description = {"Наложить на главное окно PNG маску . Изначально окно не должно иметь панель заголовка и "
                        "должно соответствовать размерам картинки PNG.",
                        366, 48},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton1", 330, 36, "Edit1"),
                VariablePick("SpeedButton2", 355, 36, "Edit1"),
            },
        .tabOrder = {"Edit1", "Button1", "Button2"},
    };
    return design;
}

bool EditMBox22(char** slots) { return RunEditor<TMBox22Form>(MBox22Design(), slots); }

}  // namespace hq::editors
