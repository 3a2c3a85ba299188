// TMBox11Form: fzSetWatermark (ID 41) - main and overlay pictures, the offset,
// the transparency mode with its opacity or colour, the output format with its
// JPEG quality, and the output file.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

// The quality controls that only matter for JPEG output.
constexpr const char* kQualityControls[] = {"Label9", "Label10", "Label11", "Label12", "TrackBar1"};

class TMBox11Form final : public EditorForm {
public:
    using EditorForm::EditorForm;

    // Runs before the parameters are loaded; loading then replaces the caption
    // with parameter 9.
    void FormCreate() { ShowPosition(); }

    void TrackBar1Change() { ShowPosition(); }

    // " bmp": the quality controls have nothing to say for BMP output.
    void RadioButton1Click() {
        if (radio("RadioButton1").Checked()) SetText("Edit7", "Bmp");
        ShowQuality(false);
    }

    // " jpg": the quality label takes the slider's number, replacing a stored
    // quality text.
    void RadioButton2Click() {
        if (radio("RadioButton2").Checked()) ShowPosition();
        SetText("Edit7", "Jpg");
        ShowQuality(true);
    }

    // The two mode boxes form a pair of which at most one is checked.
    // Unchecking the partner runs the partner's handler first, so Edit9 ends
    // with the keyword of the box clicked last, also when it was cleared.
    void CheckBox1Click() {
        if (check("CheckBox1").Checked()) check("CheckBox2").SetChecked(false);
        SetText("Edit9", "Tr");
    }

    void CheckBox2Click() {
        if (check("CheckBox2").Checked()) check("CheckBox1").SetChecked(false);
        SetText("Edit9", "TrColor");
    }

private:
    void ShowPosition() { label("Label12").SetText(std::to_string(trackBar("TrackBar1").Position())); }
    void ShowQuality(bool visible) {
        for (const char* name : kQualityControls) Get<ui::Control>(name).SetVisible(visible);
    }
};

}  // namespace

const DialogDesign& MBox11Design() {
    static const DialogDesign design{
        .action = "fzSetWatermark",
        .height = 558,
        .sections =
            {
                {8, 8, "Путь к основной картинке (bmp):", 255, 255, 55},
                {8, 70, "Путь к накладываемой картинке (bmp):", 255, 255, 55},
                {8, 132, "Отступ:", 295, 295, 75},
                {8, 220, "Прозрачность накладываемой картинки:", 295, 295, 75},
                {8, 308, "Сохранить результад в файл:", 303, 303, 115},
            },
        .description = {"Наложить водяной знак на изображение.Цвет прозрачности указывается в формате RGB.", 364,
                        32},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton7", 330, 36, "Edit1"),
                VariablePick("SpeedButton1", 355, 36, "Edit1"),
                EditField("Edit2", 16, 98, 312).Holds(2),
                FilePick("SpeedButton8", 330, 98, "Edit2"),
                VariablePick("SpeedButton2", 355, 98, "Edit2"),

                TextLabel("Label6", 16, 159, "Слева :"),
                EditField("Edit4", 16, 176, 105).Holds(3),
                VariablePick("SpeedButton4", 123, 176, "Edit4"),
                TextLabel("Label7", 176, 159, "Сверху :"),
                EditField("Edit5", 176, 176, 105).Holds(4),
                VariablePick("SpeedButton5", 283, 176, "Edit5"),

                Check("CheckBox1", 16, 248, 121, 17, "Общая ( 0...255 )").OnClick(&TMBox11Form::CheckBox1Click),
                Check("CheckBox2", 176, 248, 137, 17, "Цвет прозрачности").OnClick(&TMBox11Form::CheckBox2Click),
                EditField("Edit3", 16, 272, 105).Holds(6),
                VariablePick("SpeedButton3", 123, 272, "Edit3"),
                EditField("Edit8", 176, 272, 105).Holds(7),
                VariablePick("SpeedButton10", 283, 272, "Edit8"),

                Radio("RadioButton1", 16, 336, 49, 17, " bmp").OnClick(&TMBox11Form::RadioButton1Click),
                Radio("RadioButton2", 16, 360, 41, 17, " jpg").OnClick(&TMBox11Form::RadioButton2Click),
                TextLabel("Label11", 144, 341, "Качество jpg :"),
                FixedLabel("Label12", 232, 342, 45, 16).Holds(9),
                TextLabel("Label10", 104, 362, "Хуже"),
                Slider("TrackBar1", 136, 360, 128, 17, 1, 100, 100).OnChange(&TMBox11Form::TrackBar1Change),
                TextLabel("Label9", 266, 362, "Лучше"),
                EditField("Edit6", 16, 392, 312).Holds(10),
                FilePick("SpeedButton9", 330, 392, "Edit6"),
                VariablePick("SpeedButton6", 355, 392, "Edit6"),

                // Hidden holders of the transparency mode and the output format.
                EditField("Edit9", 80, 520, 57).Holds(5).Hidden(),
                EditField("Edit7", 8, 520, 57).Holds(8).Hidden(),
            },
        // The mode check boxes are not tab stops.
        .tabOrder = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "RadioButton1", "RadioButton2",
                     "TrackBar1", "Edit8", "Button1", "Button2"},
        .formCreate = Bind(&TMBox11Form::FormCreate),
    };
    return design;
}

bool EditMBox11(char** slots) { return RunEditor<TMBox11Form>(MBox11Design(), slots); }

}  // namespace hq::editors
