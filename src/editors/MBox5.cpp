// TMBox5Form: fzHideShowSistemTray (ID 35) - hide or show the notification area.
#include "editors/dialogs.h"
#include "editors/switch_design.h"

namespace hq::editors {

const DialogDesign& MBox5Design() {
    static const DialogDesign design = SwitchDesign(
        "fzHideShowSistemTray", {"Скрыть", 73, "Показать", 97}, {"Скрыть \\ показать системный трэй.", 210, 16});
    return design;
}

}  // namespace hq::editors
