// TMBox6Form: fzMouseStatus (ID 30) - disable or enable the mouse.
#include "editors/dialogs.h"
#include "editors/switch_design.h"

namespace hq::editors {

const DialogDesign& MBox6Design() {
    static const DialogDesign design = SwitchDesign(
        "fzMouseStatus", {"Отключить", 89, "Подключить", 97}, {"Отключить \\ подключить мышь.", 191, 16});
    return design;
}

}  // namespace hq::editors
