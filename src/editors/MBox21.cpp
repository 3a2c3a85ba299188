// TMBox21Form: fzNoColorTransparentCustomWindow (ID 25) - the external window whose colour key is removed.
#include "editors/dialogs.h"

namespace hq::editors {

// Laid out like TMBox18Form, with a narrower title bar and strips.
const DialogDesign& MBox21Design() {
    static const DialogDesign design = ExternalWindowDesign(
        "fzNoColorTransparentCustomWindow", 279, 287,
        {"Отменить цвет полной прозрачности объекта(ов) во внешнем окне.", 364, 32});
    return design;
}

}  // namespace hq::editors
