// TMBox27Form: fzGetSysColor (ID 46) - a system colour chosen by name and the
// variable for its RGB text.
#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "base/text.h"

namespace hq::editors {

namespace {

// Item i is the display element number i. From COLOR_ACTIVEBORDER on the names
// carry a trailing blank; it shows in the list but never reaches the holder,
// which takes the index.
const std::vector<std::string>& SystemColourNames() {
    static const std::vector<std::string> names = {
        "COLOR_SCROLLBAR",       "COLOR_BACKGROUND",          "COLOR_ACTIVECAPTION",   "COLOR_INACTIVECAPTION",
        "COLOR_MENU",            "COLOR_WINDOW",              "COLOR_WINDOWFRAME",     "COLOR_MENUTEXT",
        "COLOR_WINDOWTEXT",      "COLOR_CAPTIONTEXT",         "COLOR_ACTIVEBORDER ",   "COLOR_INACTIVEBORDER ",
        "COLOR_APPWORKSPACE ",   "COLOR_HIGHLIGHT ",          "COLOR_HIGHLIGHTTEXT ",  "COLOR_BTNFACE ",
        "COLOR_BTNSHADOW ",      "COLOR_GRAYTEXT ",           "COLOR_BTNTEXT ",        "COLOR_INACTIVECAPTIONTEXT ",
        "COLOR_BTNHIGHLIGHT ",
    };
    return names;
}

class TMBox27Form final : public EditorForm {
public:
    using EditorForm::EditorForm;

    // "Подробнее": what each colour name stands for, modal over the dialog.
    void SpeedButton2Click() {
        ::MessageBoxW(Handle(), Widen(SystemColourExplanation()).c_str(), Widen("Подробнее").c_str(), MB_OK);
    }
};

}  // namespace

std::string SystemColourExplanation() {
    static const char* const lines[] = {
        "COLOR_SCROLLBAR -Серая область линейки прокрутки.",
        "COLOR_BACKGROUND -Цвет рабочего стола (Desktop).",
        "COLOR_ACTIVECAPTION -Область заголовка активного окна.",
        "COLOR_INACTIVECAPTION -Заголовок неактивного окна.",
        "COLOR_MENU -Фон меню.",
        "COLOR_WINDOW -Фон окна.",
        "COLOR_WINDOWFRAME -Рамка окна.",
        "COLOR_MENUTEXT -Текст в меню.",
        "COLOR_WINDOWTEXT -Текст в окнах.",
        "COLOR_CAPTIONTEXT -Текст в заголовке, блоке управленя размером, и окошко с изображением стрелки линейки "
        "прокрутки.",
        "COLOR_ACTIVEBORDER -Рамка активного окна.",
        "COLOR_INACTIVEBORDER -Рамка неактивного окна.",
        "COLOR_APPWORKSPACE -Цвет фона многодокументного интерфейса  (MDI) приложения.",
        "COLOR_HIGHLIGHT -Элемент(ы) выбранные в органе управления.",
        "COLOR_HIGHLIGHTTEXT -Текст элемента (ов) выбранных в органе управления.",
        "COLOR_BTNFACE -Цвет грани для трехмерных элементов изображения и для фонов диалогового окна.",
        "COLOR_BTNSHADOW -Цвет тени для трехмерных элементов изображения (для граней, стоящих далеко от источника "
        "освещения).",
        "COLOR_GRAYTEXT -Серый (заблокированный) текст. Этот цвет устанавливается в 0, если текущий драйвер дисплея "
        "не поддерживает сплошной серый цвет.",
        "COLOR_BTNTEXT -Текст на командных кнопках.",
        "COLOR_INACTIVECAPTIONTEXT -Цвет текста в неактивном заголовке.",
        "COLOR_BTNHIGHLIGHT -Цвет выделения для трехмерных элементов изображения (для граней, стоящих перед "
        "источником освещения).",
    };
    std::string text;
    for (const char* line : lines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

const DialogDesign& MBox27Design() {
    static const DialogDesign design{
        .action = "fzGetSysColor",
        .height = 256,
        .sections = {{8, 8, "Определяемый системный цвет:"}, {8, 70, "Сохранить результад в переменной:"}},
        .description = {"Получить системные цвета различных элементов управления в формате RGB.", 372, 32},
        .controls =
            {
                // Opens with no item shown whatever Edit2 holds; typed text reaches nothing.
                Combo("ComboBox1", 16, 36, 342, 22, SystemColourNames())
                    .Font(11, true)
                    .ItemHeight(14)
                    .DropDownRows(30)
                    .WritesIndex("Edit2"),
                GlyphButton("SpeedButton2", 360, 35, 23, 23, Glyph::Help20, "Подробнее")
                    .OnClick(&TMBox27Form::SpeedButton2Click),
                EditField("Edit1", 16, 98, 342).Holds(2),
                VariablePick("SpeedButton1", 360, 98, "Edit1"),
                EditField("Edit2", 8, 224, 25).Hidden().Holds(1),
            },
        .tabOrder = {"Edit1", "ComboBox1", "Button1", "Button2"},
    };
    return design;
}

bool EditMBox27(char** slots) { return RunEditor<TMBox27Form>(MBox27Design(), slots); }

}  // namespace hq::editors
