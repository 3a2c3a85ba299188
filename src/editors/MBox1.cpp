// TMBox1Form: fzHideShowIconDesktop (ID 26) - hide or show the desktop icons.
#include "editors/dialogs.h"
#include "editors/switch_design.h"

namespace hq::editors {

const DialogDesign& MBox1Design() {
    static const DialogDesign design = SwitchDesign(
        "fzHideShowIconDesktop", {"Скрыть", 73, "Показать", 97},
        {"Скрыть \\ показать значки на рабочем столе.", 228, 32});
    return design;
}

}  // namespace hq::editors
