// TMBox6Form: fzMouseStatus (ID 30) - disable or enable the mouse.
#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "editors/switch_design.h"

namespace hq::editors {

namespace {

class TMBox6Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox6Design() {
    static const DialogDesign design = SwitchDesign(
        "fzMouseStatus", {"Отключить", 89, "Подключить", 97}, {"Отключить \\ подключить мышь.", 191, 16});
    return design;
}

bool EditMBox6(char** slots) { return RunEditor<TMBox6Form>(MBox6Design(), slots); }

}  // namespace hq::editors
