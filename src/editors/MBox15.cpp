// TMBox15Form: fzShotObject (ID 4) - an object's window handle and the BMP file
// of its shot, laid out like the window shot (MBox14.cpp).
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

class TMBox15Form final : public EditorForm {
public:
    using EditorForm::EditorForm;
};

}  // namespace

const DialogDesign& MBox15Design() {
    static const DialogDesign design = HandleShotDesign(
        "fzShotObject", "Дескриптор объекта (HWND):",
        {"Сделать снимок объекта (даже если окно находится за пределами рабочего стола) и сохранить файл в "
         "формате BMP.",
         345, 48});
    return design;
}

bool EditMBox15(char** slots) { return RunEditor<TMBox15Form>(MBox15Design(), slots); }

}  // namespace hq::editors
