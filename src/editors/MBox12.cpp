// TMBox12Form: fzShotDesktopToJpg (ID 1) - the JPEG file and its quality.
#include "editors/dialogs.h"
#include "editors/editor_form.h"

namespace hq::editors {

namespace {

class TMBox12Form final : public EditorForm {
public:
    using EditorForm::EditorForm;

    // The slider writes its position into the quality label. It starts at 85
    // and is not set from the stored quality, so until it moves "OK" keeps
    // the stored text.
    void TrackBar1Change() { label("Label4").SetText(std::to_string(trackBar("TrackBar1").Position())); }
};

}  // namespace

const DialogDesign& MBox12Design() {
    static const DialogDesign design{
        .action = "fzShotDesktopToJpg",
        .height = 256,
        .sections = {{8, 8, "Сохранить файл:"}, {8, 70, "Качество снимка:"}},
        .description = {"Сделать снимок рабочего стола и сохранить файл в формате JPG. Можно установить степень сжатия.",
                        372, 32},
        .controls =
            {
                EditField("Edit1", 16, 36, 312).Holds(1),
                FilePick("SpeedButton1", 330, 36, "Edit1").HandCursor(),
                VariablePick("SpeedButton2", 355, 36, "Edit1").HandCursor(),
                FixedLabel("Label4", 118, 73, 38, 16).Holds(2).FontColor(ui::clBlack),
                Slider("TrackBar1", 48, 104, 200, 17, 0, 100, 85).HandCursor().OnChange(&TMBox12Form::TrackBar1Change),
                TextLabel("Label7", 16, 106, "Хуже"),
                TextLabel("Label6", 248, 106, "Лучше"),
            },
        .tabOrder = {"Edit1", "TrackBar1", "Button1", "Button2"},
    };
    return design;
}

bool EditMBox12(char** slots) { return RunEditor<TMBox12Form>(MBox12Design(), slots); }

}  // namespace hq::editors
