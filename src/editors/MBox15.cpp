// TMBox15Form: fzShotObject (ID 4) - an object's window handle and the BMP file
// of its shot, laid out like the window shot (MBox14.cpp).
#include "editors/dialogs.h"

namespace hq::editors {

const DialogDesign& MBox15Design() {
    static const DialogDesign design = HandleShotDesign(
        "fzShotObject", "Дескриптор объекта (HWND):",
        {"Сделать снимок объекта (даже если окно находится за пределами рабочего стола) и сохранить файл в "
         "формате BMP.",
         345, 48});
    return design;
}

}  // namespace hq::editors
