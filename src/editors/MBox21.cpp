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

// Laid out like TMBox18Form, with a narrower title bar and strips.
const DialogDesign& MBox21Design() {
    static const DialogDesign design = ExternalWindowDesign(
        "fzNoColorTransparentCustomWindow", 279, 287,
        {"Отменить цвет полной прозрачности объекта(ов) во внешнем окне.", 364, 32});
    return design;
}

bool EditMBox21(char** slots) { return RunEditor<TMBox21Form>(MBox21Design(), slots); }

}  // namespace hq::editors
