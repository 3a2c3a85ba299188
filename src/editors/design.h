// How a property dialog is declared: its sections, description and controls
// as a table, the way the dialog's design lists them, with the few event
// handlers bound by name. EditorForm builds the form from it (editor_form.h).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form/color.h"
#include "form/controls.h"

namespace hq::editors {

class EditorForm;

// An event handler of a dialog.
using Handler = std::function<void(EditorForm&)>;

// Binds a member handler of a dialog class (`&TMBox12Form::TrackBar1Change`).
template <typename Dialog>
Handler Bind(void (Dialog::*method)()) {
    return [method](EditorForm& form) { (static_cast<Dialog&>(form).*method)(); };
}

// Interface-access codes of the pick buttons.
constexpr int kPickObject = 1;
constexpr int kPickVariable = 14;
constexpr int kPickFile = 15;

// Glyphs stored in the plug-in's resources (19 × 19 on magenta unless stated).
enum class Glyph { None, Variable, Variable24, File, Object, Help20 };

enum class ControlKind { Edit, Label, Radio, Check, Combo, Slider, SpeedButton };

// One control of a dialog. Made by the functions below and refined with the
// chained setters, e.g. EditField("Edit1", 16, 36, 312).Holds(1).
struct ControlDecl {
    ControlKind kind = ControlKind::Edit;
    std::string name;
    ui::Rect bounds;
    std::string text;            // design text or caption
    bool fixedSize = false;      // labels: false = size follows the text
    int holds = 0;               // parameter number (1-based) this control holds, 0 for none
    bool hidden = false;
    bool hand = false;
    std::optional<ui::FontSpec> font;
    std::optional<ui::Color> fontColor;
    bool wordWrap = false;
    // Pick and glyph buttons.
    int pickCode = 0;
    std::string pickField;
    std::optional<std::string> pickFilter;
    Glyph glyph = Glyph::None;
    std::string hint;
    // Sliders and combo boxes.
    int min = 0, max = 100, position = 0;
    std::vector<std::string> items;
    ui::ComboOptions combo;
    // Events.
    Handler onClick, onChange, onSelect;

    ControlDecl& Holds(int parameter) { holds = parameter; return *this; }
    ControlDecl& Hidden() { hidden = true; return *this; }
    ControlDecl& HandCursor() { hand = true; return *this; }
    ControlDecl& Font(int height, bool bold = false) { font = ui::FontSpec{height, bold}; return *this; }
    ControlDecl& FontColor(ui::Color c) { fontColor = c; return *this; }
    ControlDecl& WordWrap() { wordWrap = true; return *this; }
    ControlDecl& Text(std::string t) { text = std::move(t); return *this; }
    ControlDecl& Size(int width, int height) { bounds.width = width; bounds.height = height; fixedSize = true; return *this; }
    ControlDecl& Hint(std::string h) { hint = std::move(h); return *this; }
    ControlDecl& NoHint() { hint.clear(); return *this; }
    ControlDecl& WithGlyph(Glyph g) { glyph = g; return *this; }
    // Object picks: send this text instead of the field's own ("ObjectType=8").
    ControlDecl& Filter(std::string f) { pickFilter = std::move(f); return *this; }
    ControlDecl& ItemHeight(int h) { combo.itemHeight = h; return *this; }
    ControlDecl& DropDownRows(int rows) { combo.dropDownRows = rows; return *this; }

    ControlDecl& OnClick(Handler h) { onClick = std::move(h); return *this; }
    ControlDecl& OnChange(Handler h) { onChange = std::move(h); return *this; }
    ControlDecl& OnSelect(Handler h) { onSelect = std::move(h); return *this; }
    template <typename Dialog> ControlDecl& OnClick(void (Dialog::*m)()) { return OnClick(Bind(m)); }
    template <typename Dialog> ControlDecl& OnChange(void (Dialog::*m)()) { return OnChange(Bind(m)); }
    template <typename Dialog> ControlDecl& OnSelect(void (Dialog::*m)()) { return OnSelect(Bind(m)); }

    // The shared handler patterns of option controls, as ready-made handlers:
    // radio button: when it is checked, set `holder` to `value`;
    ControlDecl& Writes(std::string holder, std::string value);
    // check box: set `holder` to "1" when checked, "0" when not;
    ControlDecl& WritesState(std::string holder);
    // slider: set `holder` to the position in decimal;
    ControlDecl& WritesPosition(std::string holder);
    // combo box: set `holder` to the chosen item's index in decimal, or to its text.
    ControlDecl& WritesIndex(std::string holder);
    ControlDecl& WritesItemText(std::string holder);
};

// An edit field, 24 pixels high.
ControlDecl EditField(std::string name, int x, int y, int width);
// A label whose size follows its text (13-pixel text unless Font says otherwise).
ControlDecl TextLabel(std::string name, int x, int y, std::string caption);
// A label of a fixed size (a holder label, for instance).
ControlDecl FixedLabel(std::string name, int x, int y, int width, int height, std::string caption = {});
ControlDecl Radio(std::string name, int x, int y, int width, int height, std::string caption);
ControlDecl Check(std::string name, int x, int y, int width, int height, std::string caption);
ControlDecl Combo(std::string name, int x, int y, int width, int height, std::vector<std::string> items);
ControlDecl Slider(std::string name, int x, int y, int width, int height, int min, int max, int position);
// Pick buttons (24 × 24) serving the edit field `field`, with the usual glyph and hint.
ControlDecl VariablePick(std::string name, int x, int y, std::string field);
ControlDecl FilePick(std::string name, int x, int y, std::string field);
ControlDecl ObjectPick(std::string name, int x, int y, std::string field);
// Any other flat glyph button (bind its OnClick).
ControlDecl GlyphButton(std::string name, int x, int y, int width, int height, Glyph glyph, std::string hint = {});

// A section header with its corner (gx, gy) and title bar, strip and left-strip sizes.
struct SectionDecl {
    int gx = 8, gy = 8;
    std::string title;
    int titleWidth = 215;  // T
    int stripWidth = 255;  // S
    int leftHeight = 55;   // V
};

struct DescriptionDecl {
    std::string text;
    int width = 0, height = 0;
};

struct DialogDesign {
    std::string action{};      // the action name, shown in the caption and the name tab
    int height = 194;          // client height (the width is 399 for all)
    std::string caption{};     // empty: "Свойства " + action
    std::vector<SectionDecl> sections{};
    DescriptionDecl description{};
    std::vector<ControlDecl> controls{};
    // Windowed controls in tab order ("Button1" is "OK", "Button2" "Отмена");
    // exactly these are tab stops, and the first visible one has the focus at
    // the start. Empty: the declared windowed controls, then the two buttons.
    std::vector<std::string> tabOrder{};
    std::string infoIconName = "Image1";
    Handler formCreate{};  // runs once the controls exist, before the parameters are loaded
    Handler formShow{};    // runs after loading, before the dialog is first displayed
};

}  // namespace hq::editors
