#include "editors/editor_form.h"

#include <algorithm>
#include <initializer_list>

#include "base/error.h"
#include "base/host.h"
#include "base/host_crossing.h"
#include "form/picture.h"

namespace hq::editors {

namespace {

constexpr char kHintVariable[] = "Вставить переменную";
constexpr char kHintFile[] = "Выбрать файл";
constexpr char kHintObject[] = "Выбрать объект из списка";
constexpr ui::Color kStripGrey = ui::HexColor(0xA8A7AB);

ControlDecl Make(ControlKind kind, std::string name, ui::Rect bounds, std::string text, bool fixed) {
    ControlDecl d;
    d.kind = kind;
    d.name = std::move(name);
    d.bounds = bounds;
    d.text = std::move(text);
    d.fixedSize = fixed;
    return d;
}

ControlDecl Pick(std::string name, int x, int y, std::string field, int code, Glyph glyph, const char* hint) {
    ControlDecl d = Make(ControlKind::SpeedButton, std::move(name), {x, y, 24, 24}, {}, true);
    d.pickCode = code;
    d.pickField = std::move(field);
    d.glyph = glyph;
    d.hint = hint;
    return d;
}

// A glyph's resource and its size at 96 DPI.
struct GlyphPicture {
    const wchar_t* resource;
    int size;
};

GlyphPicture GlyphResource(Glyph g) {
    switch (g) {
    case Glyph::Variable: return {L"GLYPH_VARIABLE", 19};
    case Glyph::Variable24: return {L"GLYPH_VARIABLE24", 24};
    case Glyph::File: return {L"GLYPH_FILE", 19};
    case Glyph::Object: return {L"GLYPH_OBJECT", 19};
    case Glyph::Help20: return {L"GLYPH_HELP", 20};
    case Glyph::None: break;
    }
    return {nullptr, 0};
}

}  // namespace

// ------------------------------------------------------------------ declarations

ControlDecl EditField(std::string name, int x, int y, int width) {
    return Make(ControlKind::Edit, std::move(name), {x, y, width, 24}, {}, true);
}
ControlDecl TextLabel(std::string name, int x, int y, std::string caption) {
    return Make(ControlKind::Label, std::move(name), {x, y, 0, 0}, std::move(caption), false);
}
ControlDecl FixedLabel(std::string name, int x, int y, int width, int height, std::string caption) {
    return Make(ControlKind::Label, std::move(name), {x, y, width, height}, std::move(caption), true);
}
ControlDecl Radio(std::string name, int x, int y, int width, int height, std::string caption) {
    return Make(ControlKind::Radio, std::move(name), {x, y, width, height}, std::move(caption), true);
}
ControlDecl Check(std::string name, int x, int y, int width, int height, std::string caption) {
    return Make(ControlKind::Check, std::move(name), {x, y, width, height}, std::move(caption), true);
}
ControlDecl Combo(std::string name, int x, int y, int width, int height, std::vector<std::string> items) {
    ControlDecl d = Make(ControlKind::Combo, std::move(name), {x, y, width, height}, {}, true);
    d.items = std::move(items);
    return d;
}
ControlDecl Slider(std::string name, int x, int y, int width, int height, int min, int max, int position) {
    ControlDecl d = Make(ControlKind::Slider, std::move(name), {x, y, width, height}, {}, true);
    d.min = min;
    d.max = max;
    d.position = position;
    return d;
}
ControlDecl VariablePick(std::string name, int x, int y, std::string field) {
    return Pick(std::move(name), x, y, std::move(field), kPickVariable, Glyph::Variable, kHintVariable);
}
ControlDecl FilePick(std::string name, int x, int y, std::string field) {
    return Pick(std::move(name), x, y, std::move(field), kPickFile, Glyph::File, kHintFile);
}
ControlDecl ObjectPick(std::string name, int x, int y, std::string field) {
    return Pick(std::move(name), x, y, std::move(field), kPickObject, Glyph::Object, kHintObject);
}
ControlDecl GlyphButton(std::string name, int x, int y, int width, int height, Glyph glyph, std::string hint) {
    ControlDecl d = Make(ControlKind::SpeedButton, std::move(name), {x, y, width, height}, {}, true);
    d.glyph = glyph;
    d.hint = std::move(hint);
    return d;
}

ControlDecl& ControlDecl::Writes(std::string holder, std::string value) {
    const std::string self = name;
    return OnClick([self, holder, value](EditorForm& f) {
        if (f.radio(self).Checked()) f.SetText(holder, value);
    });
}

ControlDecl& ControlDecl::WritesState(std::string holder) {
    const std::string self = name;
    return OnClick([self, holder](EditorForm& f) { f.SetText(holder, f.check(self).Checked() ? "1" : "0"); });
}

ControlDecl& ControlDecl::WritesPosition(std::string holder) {
    const std::string self = name;
    return OnChange(
        [self, holder](EditorForm& f) { f.SetText(holder, std::to_string(f.trackBar(self).Position())); });
}

ControlDecl& ControlDecl::WritesIndex(std::string holder) {
    const std::string self = name;
    return OnSelect(
        [self, holder](EditorForm& f) { f.SetText(holder, std::to_string(f.combo(self).ItemIndex())); });
}

ControlDecl& ControlDecl::WritesItemText(std::string holder) {
    const std::string self = name;
    return OnSelect([self, holder](EditorForm& f) { f.SetText(holder, f.combo(self).Text()); });
}

// ------------------------------------------------------------------ the form

EditorForm::EditorForm(const DialogDesign& design)
    : ui::Form(design.caption.empty() ? "Свойства " + design.action : design.caption, kClientWidth,
               design.height, DialogOwner()),
      design_(design) {
    for (size_t i = 0; i < design.sections.size(); ++i) AddSection(design.sections[i], static_cast<int>(i) + 1);
    AddInfoPanel();
    for (const ControlDecl& d : design.controls) {
        if (Find(d.name)) Fail("Duplicate control name " + d.name);
        AddControl(d);
    }
    const int h = design.height;
    Add<ui::Button>("Button1", ui::Rect{250, h - 34, 69, 25}, "OK", ui::kModalOk).SetFont({12});
    Add<ui::Button>("Button2", ui::Rect{322, h - 34, 69, 25}, "Отмена", ui::kModalCancel).SetFont({12});

    std::vector<ui::WinControl*> order;
    if (design.tabOrder.empty()) {
        for (const auto& c : Controls()) {
            auto* w = dynamic_cast<ui::WinControl*>(c.get());
            if (w && w->Visible()) order.push_back(w);
        }
    } else {
        for (const std::string& name : design.tabOrder) order.push_back(&Get<ui::WinControl>(name));
    }
    SetTabOrder(std::move(order));
    onPaint = [this](HDC dc) { FormPaint(dc); };
    onShow = [this] { Fire(design_.formShow); };
}

// Four gradients and a title: top strip, title bar, bottom strip, left strip.
void EditorForm::AddSection(const SectionDecl& s, int index) {
    auto strip = [&](ui::Rect r, GradientStyle style, ui::Color begin, ui::Color end) -> TGradient& {
        TGradient& g = Add<TGradient>("Gradient" + std::to_string(++gradients_), r, true);
        g.SetStyle(style);
        g.SetColorBegin(begin);
        g.SetColorEnd(end);
        return g;
    };
    const int gx = s.gx, gy = s.gy;
    strip({gx + 2, gy, s.stripWidth, 2}, GradientStyle::LinearH, kStripGrey, ui::clBtnFace).Loaded();
    TGradient& bar = strip({gx + 2, gy + 2, s.titleWidth, 18}, GradientStyle::LinearH, ui::clHighlight, ui::clBtnFace);
    bar.SetShift(53);
    bar.SetBorderColor(ui::cl3DDkShadow);
    bar.Loaded();
    strip({gx + 2, gy + 20, s.stripWidth, 1}, GradientStyle::LinearH, kStripGrey, ui::clBtnFace).Loaded();
    strip({gx, gy + 2, 2, s.leftHeight}, GradientStyle::LinearV, kStripGrey, ui::clBtnFace).Loaded();
    Add<ui::Label>("LabelSection" + std::to_string(index), ui::Rect{gx + 6, gy + 3, 0, 0}, s.title, false)
        .SetFont({12});
}

void EditorForm::AddInfoPanel() {
    const int y = design_.height - 119;
    Add<ui::Image>(design_.infoIconName, ui::Rect{12, y + 2, 17, 17}).SetPicture(InfoIcon());
    ui::Label& name = Add<ui::Label>("LabelNameComand", ui::Rect{33, y + 3, 0, 0}, design_.action, false);
    name.SetFont({12});
    name.SetColor(ui::HexColor(0xD6D6C6));  // the tab FormPaint fills under it
    const DescriptionDecl& d = design_.description;
    ui::Label& text = Add<ui::Label>("LabelDescription", ui::Rect{13, y + 24, d.width, d.height}, d.text, true);
    text.SetWordWrap(true);
    text.SetColor(ui::clWhite);  // the description box FormPaint fills under it
    // The description box's inner area ends 50 pixels below the label's top.
    text.GrowToFit(50);
}

void EditorForm::AddControl(const ControlDecl& d) {
    ui::Control* c = nullptr;
    switch (d.kind) {
    case ControlKind::Edit:
        c = &Add<ui::Edit>(d.name, d.bounds, d.text);
        break;
    case ControlKind::Label:
        c = &Add<ui::Label>(d.name, d.bounds, d.text, d.fixedSize);
        break;
    case ControlKind::Radio:
        c = &Add<ui::RadioButton>(d.name, d.bounds, d.text);
        break;
    case ControlKind::Check:
        c = &Add<ui::CheckBox>(d.name, d.bounds, d.text);
        break;
    case ControlKind::Combo:
        c = &Add<ui::ComboBox>(d.name, d.bounds, d.items, d.combo);
        break;
    case ControlKind::Slider:
        c = &Add<ui::TrackBar>(d.name, d.bounds, d.min, d.max, d.position);
        break;
    case ControlKind::SpeedButton: {
        auto& b = Add<ui::SpeedButton>(d.name, d.bounds);
        b.SetGlyph(GlyphBitmap(d.glyph));
        c = &b;
        break;
    }
    }
    Bind(*c, d);
}

void EditorForm::Bind(ui::Control& c, const ControlDecl& d) {
    if (d.font) c.SetFont(*d.font);
    if (d.fontColor) c.SetFontColor(*d.fontColor);
    if (d.hidden) c.SetVisible(false);
    c.SetHandCursor(d.hand);
    if (!d.hint.empty()) c.SetHint(d.hint);
    if (auto* l = dynamic_cast<ui::Label*>(&c)) {
        if (d.wordWrap) l->SetWordWrap(true);
        if (d.holds) l->SetHoldsParameter(true);
    }

    auto fire = [this](const Handler& h) -> std::function<void()> {
        if (!h) return nullptr;
        return [this, h] { h(*this); };
    };
    if (auto* r = dynamic_cast<ui::RadioButton*>(&c)) r->onClick = fire(d.onClick);
    if (auto* k = dynamic_cast<ui::CheckBox*>(&c)) k->onClick = fire(d.onClick);
    if (auto* l = dynamic_cast<ui::Label*>(&c)) l->onClick = fire(d.onClick);
    if (auto* t = dynamic_cast<ui::TrackBar*>(&c)) t->onChange = fire(d.onChange);
    if (auto* e = dynamic_cast<ui::Edit*>(&c)) e->onChange = fire(d.onChange);
    if (auto* x = dynamic_cast<ui::ComboBox*>(&c)) x->onSelect = fire(d.onSelect);
    if (auto* s = dynamic_cast<ui::SpeedButton*>(&c)) {
        if (d.pickCode) {
            const int code = d.pickCode;
            const std::string field = d.pickField;
            const std::optional<std::string> filter = d.pickFilter;
            s->onClick = [this, code, field, filter] { Pick(code, edit(field), filter); };
        } else {
            s->onClick = fire(d.onClick);
        }
    }
}

HBITMAP EditorForm::GlyphBitmap(Glyph g) {
    const GlyphPicture picture = GlyphResource(g);
    if (!picture.resource) return nullptr;
    auto it = glyphs_.find(g);
    if (it == glyphs_.end())
        it = glyphs_
                 .emplace(g, ui::LoadPicture(picture.resource, picture.size, picture.size, Dpi(), ui::PictureKey::Magenta))
                 .first;
    return it->second.get();
}

UniqueBitmap EditorForm::InfoIcon() const {
    return ui::LoadPicture(L"INFO_ICON", 17, 17, Dpi(), ui::PictureKey::None);
}

// The buttons take their glyphs at the new DPI before the old ones go.
void EditorForm::DpiChanged() {
    const std::map<Glyph, UniqueBitmap> old = std::exchange(glyphs_, {});
    for (const ControlDecl& d : design_.controls)
        if (d.kind == ControlKind::SpeedButton) speedButton(d.name).SetGlyph(GlyphBitmap(d.glyph));
    image(design_.infoIconName).SetPicture(InfoIcon());
}

void EditorForm::SetText(std::string_view name, std::string_view text) const {
    ui::Control* c = Find(name);
    if (!c) Fail("The form has no control " + std::string(name));
    c->SetText(text);
}

int EditorForm::ParameterCount() const {
    int n = 0;
    for (const ControlDecl& d : design_.controls) n = std::max(n, d.holds);
    return n;
}

ui::Control& EditorForm::Holder(int n) const {
    for (const ControlDecl& d : design_.controls)
        if (d.holds == n) return *Find(d.name);
    Fail("No control holds parameter " + std::to_string(n));
}

bool EditorForm::Run(char** slots) {
    Fire(design_.formCreate);
    const int count = ParameterCount();
    for (int i = 0; i < count; ++i) Holder(i + 1).SetText(slots[i] ? slots[i] : "");
    if (ShowModal() != ui::kModalOk) return false;
    // Every new block first: if one cannot be made, each slot keeps the host's block.
    std::vector<NewHostString> blocks;
    blocks.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) blocks.emplace_back(Holder(i + 1).Text());
    for (int i = 0; i < count; ++i) blocks[static_cast<size_t>(i)].StoreInto(&slots[i]);
    return true;
}

// Pick protocol. Codes 14 and 15: the field's text goes to the host in a
// fresh host string; on true the field takes whatever the slot then holds.
// Code 1: the slot carries the field's text (or the filter); the field takes
// the slot's text whatever the answer. The slot is released on every path.
void EditorForm::Pick(int code, ui::Edit& field, const std::optional<std::string>& filter) {
    const InterfaceAccessFn access = InterfaceAccess();
    if (!access) return;
    HostString local;
    AssignHostString(local.slot(), field.Text());
    if (filter) AssignHostString(local.slot(), *filter);
    uint32_t answer = 0;
    CallHost([&] { answer = access(code, local.slot()); });
    const bool answered = (answer & 0xFF) != 0;
    const std::string returned = local.c_str();
    // A host that left a filter in the slot picked nothing: the field keeps the
    // author's text rather than becoming the filter.
    if (filter && returned == *filter) return;
    if (answered || code == kPickObject) field.SetText(returned);
}

// ------------------------------------------------------------------ painting

namespace {

COLORREF Hex(uint32_t rrggbb) { return ui::ResolveColor(ui::HexColor(rrggbb)); }

// Pen and brush of the paint steps, at a line width in pixels; the DC's own
// pen and brush are put back at the end. Lines and single points of the
// design are filled rectangles of that width, so that they stay solid and
// aligned at any scale (at 96 DPI they are the design's one-pixel lines).
class Painter {
public:
    Painter(HDC dc, int width)
        : dc_(dc), width_(width), oldPen_(::GetCurrentObject(dc, OBJ_PEN)), oldBrush_(::GetCurrentObject(dc, OBJ_BRUSH)) {}
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;
    ~Painter() {
        ::SelectObject(dc_, oldPen_);
        ::SelectObject(dc_, oldBrush_);
    }
    // An outline drawn inside the rectangle; lines take its colour too.
    void Pen(uint32_t rrggbb) {
        UniquePen pen(::CreatePen(width_ == 1 ? PS_SOLID : PS_INSIDEFRAME, width_, Hex(rrggbb)));
        ::SelectObject(dc_, pen.get());
        pen_ = std::move(pen);  // the previous pen is no longer selected
        line_.reset(::CreateSolidBrush(Hex(rrggbb)));
    }
    void Brush(uint32_t rrggbb) {
        UniqueBrush brush(::CreateSolidBrush(Hex(rrggbb)));
        ::SelectObject(dc_, brush.get());
        brush_ = std::move(brush);
    }
    void RoundRect(int x1, int y1, int x2, int y2, int corner) { ::RoundRect(dc_, x1, y1, x2, y2, corner, corner); }
    // A horizontal or vertical line from (x1, y1) up to (x2, y2), the end point excluded.
    void Line(int x1, int y1, int x2, int y2) {
        const RECT r = x1 == x2 ? RECT{x1, y1, x1 + width_, y2} : RECT{x1, y1, x2, y1 + width_};
        ::FillRect(dc_, &r, line_.get());
    }
    // Single points of one colour, a square of the line width each.
    void Points(uint32_t rrggbb, std::initializer_list<POINT> points) { Points(dc_, width_, rrggbb, points); }
    static void Points(HDC dc, int width, uint32_t rrggbb, std::initializer_list<POINT> points) {
        const UniqueBrush brush(::CreateSolidBrush(Hex(rrggbb)));
        for (const POINT& at : points) {
            const RECT r{at.x, at.y, at.x + width, at.y + width};
            ::FillRect(dc, &r, brush.get());
        }
    }

private:
    HDC dc_;
    int width_;
    HGDIOBJ oldPen_, oldBrush_;
    UniquePen pen_;
    UniqueBrush brush_, line_;
};

}  // namespace

// The design's coordinates are 96-DPI units, scaled to the form's DPI; the
// name tab's right end follows the name label's width in pixels.
void EditorForm::FormPaint(HDC dc) {
    ui::Label& name = label("LabelNameComand");
    name.SetAutoSize(true);
    const int L = name.Bounds().width;
    const int Y = ClientHeight() - 119;
    const auto x = [this](int v) { return Scale(v); };
    const auto y = [this, Y](int v) { return Scale(Y + v); };
    const auto tab = [this, L](int v) { return L + Scale(v); };  // right of the name
    const int one = Scale(1);
    {
        Painter p(dc, one);
        // 1-3: the name tab and the description box as one outline.
        p.Pen(0xB2B2A2);
        p.Brush(0xD6D6C6);
        p.RoundRect(x(8), y(0), tab(40), y(25), x(6));
        p.Brush(0xFFFFFF);
        p.RoundRect(x(8), y(20), x(391), y(77), x(6));
        p.Pen(0xD6D6C6);
        p.Line(x(9), y(20), tab(39), y(20));
        // 4-6: the tab's bevel.
        p.Points(0xC7C7B7, {{x(10), y(1)}, {x(9), y(2)}, {tab(37), y(1)}, {tab(38), y(2)}});
        p.Pen(0xCDCDBD);
        p.Line(x(11), y(1), tab(37), y(1));
        p.Line(x(9), y(3), x(9), y(21));
        p.Line(tab(38), y(3), tab(38), y(21));
        p.Pen(0xD1D1C1);
        p.Line(x(10), y(2), tab(38), y(2));
        p.Line(x(10), y(3), x(10), y(21));
        p.Line(tab(37), y(3), tab(37), y(21));
        // 7-9: the box's bevel.
        p.Points(0xD5D5BF, {{x(9), y(74)}, {x(10), y(75)}, {x(389), y(74)}, {x(388), y(75)}, {x(388), y(21)},
                            {x(389), y(22)}});
        p.Pen(0xE0E0C8);
        p.Line(x(9), y(21), x(388), y(21));
        p.Line(x(11), y(75), x(388), y(75));
        p.Line(x(9), y(22), x(9), y(74));
        p.Line(x(389), y(23), x(389), y(74));
        p.Pen(0xF0F0D4);
        p.Line(x(10), y(22), x(389), y(22));
        p.Line(x(10), y(74), x(389), y(74));
        p.Line(x(10), y(23), x(10), y(74));
        // 10: the joint of each section's left and top strips.
        for (const SectionDecl& s : design_.sections) {
            p.Points(0xA8A7AB, {{x(s.gx + 1), x(s.gy + 1)}});
            p.Points(0xCCC9B9, {{x(s.gx), x(s.gy + 1)}, {x(s.gx + 1), x(s.gy)}});
            WindowDc window(Handle());
            Painter::Points(window.get(), one, 0xADA99A, {{x(s.gx + 2), x(s.gy + 2)}});
        }
    }
}

}  // namespace hq::editors
