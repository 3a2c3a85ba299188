// TMBox1Form: fzHideShowIconDesktop (ID 26) - hide or show the desktop icons.
#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "editors/switch_design.h"

namespace hq::editors {

namespace {

class TMBox1Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox1Design() {
    static const DialogDesign design = SwitchDesign(
        "fzHideShowIconDesktop", {"Скрыть", 73, "Показать", 97},
        {"Скрыть \\ показать значки на рабочем столе.", 228, 32});
    return design;
}

bool EditMBox1(char** slots) { return RunEditor<TMBox1Form>(MBox1Design(), slots); }

}  // namespace hq::editors
