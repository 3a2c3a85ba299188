// TMBox22Form: fzSetWindowPngMaskShadow (ID 45) - the PNG mask of the main window.
#include "editors/dialogs.h"

namespace hq::editors {

// Laid out like TMBox17Form.
const DialogDesign& MBox22Design() {
    static const DialogDesign design =
        MaskFileDesign("fzSetWindowPngMaskShadow", "Файл маски:",
                       {"Наложить на главное окно PNG маску . Изначально окно не должно иметь панель заголовка и "
                        "должно соответствовать размерам картинки PNG.",
                        366, 48});
    return design;
}

}  // namespace hq::editors
