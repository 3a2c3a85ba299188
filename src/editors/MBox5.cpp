// TMBox5Form: fzHideShowSistemTray (ID 35) - hide or show the notification area.
#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "editors/switch_design.h"

namespace hq::editors {

namespace {

class TMBox5Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox5Design() {
    static const DialogDesign design = SwitchDesign(
        "fzHideShowSistemTray", {"Скрыть", 73, "Показать", 97}, {"Скрыть \\ показать системный трэй.", 210, 16});
    return design;
}

bool EditMBox5(char** slots) { return RunEditor<TMBox5Form>(MBox5Design(), slots); }

}  // namespace hq::editors
