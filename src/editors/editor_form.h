// The dialog skeleton every property dialog shares (sections, info panel,
// FormPaint, "OK" and "Отмена", pick buttons) built from a DialogDesign, and
// the editor routine that loads and stores the parameter slots.
#pragma once
#include <map>
#include <string>
#include <string_view>

#include "form/gradient.h"
#include "editors/design.h"
#include "form/controls.h"

namespace hq::editors {

class EditorForm : public ui::Form {
public:
    static constexpr int kClientWidth = 399;

    // Creates the dialog (hidden) with every control of the design.
    explicit EditorForm(const DialogDesign& design);

    const DialogDesign& Design() const { return design_; }
    // Number of parameters: the highest parameter number a control holds.
    int ParameterCount() const;
    // The control holding parameter `n` (1-based).
    ui::Control& Holder(int n) const;

    // Controls by design name; each raises an error for a missing name.
    ui::Edit& edit(std::string_view name) const { return Get<ui::Edit>(name); }
    ui::Label& label(std::string_view name) const { return Get<ui::Label>(name); }
    ui::RadioButton& radio(std::string_view name) const { return Get<ui::RadioButton>(name); }
    ui::CheckBox& check(std::string_view name) const { return Get<ui::CheckBox>(name); }
    ui::ComboBox& combo(std::string_view name) const { return Get<ui::ComboBox>(name); }
    ui::TrackBar& trackBar(std::string_view name) const { return Get<ui::TrackBar>(name); }
    ui::SpeedButton& speedButton(std::string_view name) const { return Get<ui::SpeedButton>(name); }
    ui::Image& image(std::string_view name) const { return Get<ui::Image>(name); }
    TGradient& gradient(std::string_view name) const { return Get<TGradient>(name); }
    ui::Button& button(std::string_view name) const { return Get<ui::Button>(name); }
    // Sets the text (or caption) of any control by name: an edit field or a holder label.
    void SetText(std::string_view name, std::string_view text) const;

    // The editor routine after creation: runs the creation handler, loads
    // every slot into its holder (null reads as empty), shows the dialog
    // modally and, on "OK", stores every holder into its slot with
    // AssignHostString. Cancel and the close box touch no slot.
    bool Run(char** slots);

    // The paint handler shared by all dialogs: name tab, description box,
    // their bevel, and the corner pixels of every section.
    void FormPaint(HDC dc);
    // A pick button's request to the host for `field` (codes 1, 14, 15).
    void Pick(int code, ui::Edit& field, const std::optional<std::string>& filter);

private:
    void AddSection(const SectionDecl& s, int index);
    void AddInfoPanel();
    void AddControl(const ControlDecl& d);
    void Bind(ui::Control& control, const ControlDecl& d);
    HBITMAP GlyphBitmap(Glyph g);
    UniqueBitmap InfoIcon() const;
    void DpiChanged() override;
    void Fire(const Handler& h) {
        if (h) h(*this);
    }

    const DialogDesign& design_;
    std::map<Glyph, UniqueBitmap> glyphs_;
    int gradients_ = 0;
};

// The editor routine of one dialog class.
template <typename Dialog>
bool RunEditor(const DialogDesign& design, char** slots) {
    Dialog dialog(design);
    return dialog.Run(slots);
}

}  // namespace hq::editors
