// TMBox24Form: fzColorDialog (ID 40) - place, window style and animation of the
// colour chooser, its full-open switch, and the variables for the four colour texts.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

class TMBox24Form final : public EditorForm {
public:
    using EditorForm::EditorForm;

    // Runs after the ten parameters are loaded, before the first display. The
    // check box always opens clear, so the full-open switch starts as "0" to
    // match it; the stored animation name shows in the combo box, also one
    // that is not in the list. The style radio buttons stay clear and Edit3
    // keeps the stored style until one is clicked.
    void FormShow() {
        edit("Edit0").SetText("0");
        combo("ComboBox1").SetText(edit("Edit7").Text());
    }
};

}  // namespace

const DialogDesign& MBox24Design() {
    static const DialogDesign design{
        .action = "fzColorDialog",
        .height = 518,
        .sections = {{8, 8, "Расположение на экране:", 159, 159, 119},
                     {232, 8, "Стиль окна:", 143, 143, 111},
                     {8, 140, "Анимация при показе окна:", 255, 255, 67},
                     {8, 220, "Сохранить значение в переменной:", 255, 255, 131}},
        .description = {"Отобразить диалог для выбора цвета.", 228, 16},
        .controls =
            {
                TextLabel("Label6", 16, 30, "Слева:"),
                EditField("Edit1", 16, 47, 153).Holds(2),
                VariablePick("SpeedButton2", 171, 47, "Edit1"),
                TextLabel("Label1", 16, 81, "Сверху:").Font(12),
                EditField("Edit2", 16, 98, 153).Holds(3),
                VariablePick("SpeedButton4", 171, 98, "Edit2"),
                Radio("RadioButton1", 240, 34, 81, 17, "DialogBox").Writes("Edit3", "1"),
                Radio("RadioButton2", 240, 67, 89, 17, "ToolWindow").Writes("Edit3", "2"),
                Radio("RadioButton3", 240, 100, 73, 17, "NoBorder").Writes("Edit3", "3"),
                TextLabel("Label9", 16, 162, "Эффект: "),
                // Only a choice from the list reaches Edit7; typed text does not.
                Combo("ComboBox1", 16, 179, 161, 24,
                      {"None", "Slide Left", "Slide Right", "Slide Up", "Slide Down", "Slide Left-Up", "Slide Right-Up",
                       "Slide Left-Down", "Slide Right-Down", "Center", "Fade"})
                    .WritesItemText("Edit7"),
                TextLabel("Label10", 208, 162, "Скорость:"),
                EditField("Edit4", 208, 179, 73).Holds(6),
                VariablePick("SpeedButton3", 283, 179, "Edit4"),
                TextLabel("Label11", 16, 249, "RGB:").Font(12),
                EditField("Edit5", 16, 264, 137).Holds(7),
                VariablePick("SpeedButton5", 155, 264, "Edit5").NoHint(),
                TextLabel("Label12", 208, 249, "HTML:").Font(12),
                EditField("Edit6", 208, 264, 137).Holds(8),
                VariablePick("SpeedButton6", 347, 264, "Edit6").NoHint(),
                TextLabel("Label13", 16, 305, "FLASH:").Font(12),
                EditField("Edit8", 16, 320, 137).Holds(9),
                VariablePick("SpeedButton8", 155, 320, "Edit8").NoHint(),
                TextLabel("Label14", 208, 305, "TCOLOR:").Font(12),
                EditField("Edit9", 208, 320, 137).Holds(10),
                VariablePick("SpeedButton9", 347, 320, "Edit9").NoHint(),
                Check("CheckBox1", 16, 368, 265, 17, "Раскрытое (с дополнительной палитрой)").WritesState("Edit0"),
                EditField("Edit0", 16, 480, 41).Hidden().Holds(1),
                EditField("Edit3", 64, 480, 41).Hidden().Holds(4),
                EditField("Edit7", 112, 480, 41).Hidden().Holds(5),
            },
        .tabOrder = {"Edit1", "Edit2", "Edit5", "RadioButton1", "RadioButton2", "RadioButton3", "ComboBox1", "Edit4",
                     "CheckBox1", "Edit6", "Edit9", "Edit8", "Button1", "Button2"},
        .formShow = Bind(&TMBox24Form::FormShow),
    };
    return design;
}

bool EditMBox24(char** slots) { return RunEditor<TMBox24Form>(MBox24Design(), slots); }

}  // namespace hq::editors
