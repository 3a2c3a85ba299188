// TMBox9Form: fzSetTextEntryOptions (ID 38) - a text-entry object, its input
// option and its read-only switch. The options show the stored values when
// the dialog opens.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

// What the object button sends instead of the field's text: the host then
// lists its text-entry objects (object type 8) only.
constexpr char kTextEntryFilter[] = "ObjectType=8";

class TMBox9Form final : public EditorForm {
public:
    using EditorForm::EditorForm;

    // Restores the option controls from the loaded holders. The comparisons
    // are exact: " 1" or "01" select nothing. Checking a control runs its
    // click handler, which writes the same text back, so the holders keep what
    // was loaded; a text no control matches stays until an option is clicked.
    void FormShow() {
        if (edit("Edit3").Text() == "1") check("CheckBox1").SetChecked(true);
        const std::string option = edit("Edit2").Text();
        for (const char* value : {"0", "1", "2", "3"})
            if (option == value) {
                radio(std::string("RadioButton") + value).SetChecked(true);
                break;
            }
    }
};

}  // namespace

const DialogDesign& MBox9Design() {
    static const DialogDesign design{
        .action = "fzSetTextEntryOptions",
        .height = 398,
        .caption = "Свойства fzSetTextEntryOptions ",
        .sections = {{8, 8, "Объект \"ВводТекста\" ( TextEntry ):", 255, 255, 55},
                     {8, 72, "Опции:", 223, 255, 191}},
        .description = {"Изменить свойства объекта \"Ввод текста\" (TextEntry).", 324, 16},
        .controls =
            {
                EditField("Edit1", 16, 36, 342).Holds(1),
                ObjectPick("SpeedButton1", 360, 36, "Edit1").Filter(std::string(kTextEntryFilter)),
                Radio("RadioButton0", 16, 104, 217, 17, "Можно вводить любые символы.").Writes("Edit2", "0"),
                Radio("RadioButton1", 16, 136, 201, 17, "Разрешить ввод только цифр.").Writes("Edit2", "1"),
                Radio("RadioButton2", 16, 168, 265, 17, "Буквы записываются в нижнем регистре.").Writes("Edit2", "2"),
                Radio("RadioButton3", 16, 200, 273, 17, "Буквы записываются в верхнем регистре.").Writes("Edit2", "3"),
                Check("CheckBox1", 16, 240, 265, 17, "Запретить ввод и редактирование текста.").WritesState("Edit3"),
                EditField("Edit2", 8, 366, 35).Hidden().Text("0").Holds(2),
                EditField("Edit3", 44, 366, 35).Hidden().Text("0").Holds(3),
            },
        .tabOrder = {"Edit1", "RadioButton1", "RadioButton2", "RadioButton3", "CheckBox1", "RadioButton0", "Button1",
                     "Button2"},
        .formShow = Bind(&TMBox9Form::FormShow),
    };
    return design;
}

bool EditMBox9(char** slots) { return RunEditor<TMBox9Form>(MBox9Design(), slots); }

}  // namespace hq::editors
