// TMBox17Form: fzSetWindowMask (ID 20) - the black-and-white mask bitmap of the main window.
#include "editors/dialogs.h"

namespace hq::editors {

DialogDesign MaskFileDesign(std::string action, std::string title, DescriptionDecl description) {
    return DialogDesign{
        .action = std::move(action),
        .height = 194,
        .sections = {{8, 8, std::move(title)}},
        .description = std::move(description),
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton1", 330, 36, "Edit1"),
                VariablePick("SpeedButton2", 355, 36, "Edit1"),
            },
        .tabOrder = {"Edit1", "Button1", "Button2"},
    };
}

const DialogDesign& MBox17Design() {
    static const DialogDesign design =
        MaskFileDesign("fzSetWindowMask", "Файл маски (bmp):", {"Наложить чёрно-белую маску на главное окно.", 283, 16});
    return design;
}

}  // namespace hq::editors
