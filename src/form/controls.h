// The controls the dialogs use: windowed edit field, push button, radio
// button, check box, combo box and slider; graphic label, image and flat
// speed button. Events are plain callbacks, set by the dialog that owns them.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "form/form.h"

namespace hq::ui {

// ---- graphic controls

class Label : public GraphicControl {
public:
    // A label whose size follows its text (auto-size), or of a fixed size
    // when `fixedSize` is true.
    Label(Form& form, std::string name, Rect bounds, std::string_view caption, bool fixedSize);
    const char* Kind() const override { return "Label"; }
    void Paint(HDC dc) override;
    int RightOverhang() const override { return autoSize_ && !wordWrap_ ? Owner().Scale(2) : 0; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    void SetWordWrap(bool on);
    // A fixed-size word-wrapped label grows downwards to show all its lines,
    // up to `maxHeight` in 96-DPI units (the fallback fonts of some systems
    // run wider than the design font, and a last word must not vanish below
    // the label). It does so again at a new DPI.
    void GrowToFit(int maxHeight);
    void DpiChanged() override;
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // Background colour, painted only when the label is not transparent; a
    // transparent label is placed on it (the form's face by default, or a
    // fill the form paints). The text keeps its font colour where that can be
    // read on this colour, and takes one that can be read where not (a
    // high-contrast scheme turns the window-text colour white).
    void SetColor(Color c);
    // A label that holds a parameter shows it in the system's ANSI code page;
    // other captions are the plug-in's own Windows-1251 texts.
    void SetHoldsParameter(bool on);
    std::function<void()> onClick;
    void MouseUp(int, int, bool inside) override {
        if (inside && onClick) onClick();
    }
    bool ProbeClick() override {
        if (onClick) onClick();
        return true;
    }

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    void Fit();
    std::wstring Shown() const;
    bool autoSize_;
    bool holdsParameter_ = false;
    int growTo_ = 0;  // GrowToFit's limit, 0 when it was not asked
    bool wordWrap_ = false;
    bool transparent_ = true;
    Color color_ = clBtnFace;
};

class Image : public GraphicControl {
public:
    Image(Form& form, std::string name, Rect bounds);
    const char* Kind() const override { return "Image"; }
    void Paint(HDC dc) override;
    void SetPicture(UniqueBitmap picture);
    HBITMAP Picture() const { return picture_.get(); }

private:
    UniqueBitmap picture_;
};

// A flat button with a glyph whose magenta (#FF00FF) pixels are transparent;
// it shows an edge only under the mouse and a tooltip with its hint.
class SpeedButton : public GraphicControl {
public:
    SpeedButton(Form& form, std::string name, Rect bounds);
    const char* Kind() const override { return "SpeedButton"; }
    void Paint(HDC dc) override;
    // The glyph is not owned: it lives as long as the form (see EditorForm).
    void SetGlyph(HBITMAP glyph) { glyph_ = glyph; Invalidate(); }
    HBITMAP Glyph() const { return glyph_; }
    void SetHint(std::string hint) override;
    void HintsOn() override { UpdateTool(); }
    void Click();
    bool ProbeClick() override;
    void MouseDown(int, int) override;
    void MouseUp(int, int, bool inside) override;
    void MouseEnter() override;
    void MouseLeave() override;
    std::function<void()> onClick;

protected:
    void BoundsChanged() override;
    void VisibilityChanged() override;

private:
    void UpdateTool();
    HBITMAP glyph_ = nullptr;
    bool hot_ = false;
    bool down_ = false;
    bool toolAdded_ = false;
};

// ---- windowed controls

class Edit : public WinControl {
public:
    Edit(Form& form, std::string name, Rect bounds, std::string_view text = {});
    const char* Kind() const override { return "Edit"; }
    // The text as the author left it, in the system's ANSI code page (a field
    // holds parameter text). Text set by the program and not changed since
    // comes back byte for byte, even where the code page cannot show it.
    std::string Text() const override;
    void SetText(std::string_view text) override;
    void TabbedInto() override;
    std::function<void()> onChange;
    void Command(WORD code) override;

private:
    std::wstring shown_;  // the window text right after the last SetText
};

class Button : public WinControl {
public:
    // `modalResult` other than kModalNone ends the form with that result when clicked.
    Button(Form& form, std::string name, Rect bounds, std::string_view caption, int modalResult = kModalNone);
    const char* Kind() const override { return "Button"; }
    void Click();
    bool ProbeClick() override { Click(); return true; }
    void Command(WORD code) override;
    std::function<void()> onClick;

private:
    int modalResult_;
};

// A radio button or check box: its mark and caption. Above 96 DPI the
// caption's font rounds to a slightly larger size than the layout's scale,
// so a button whose caption no longer fits its scaled width is widened to
// show it whole, within the form; at 96 DPI it keeps its design width.
class OptionButton : public WinControl {
public:
    OptionButton(Form& form, std::string name, Rect bounds, DWORD style, std::string_view caption);

protected:
    void FontChanged() override;
    void TextChanged() override;

private:
    void FitCaption();
};

// Radio buttons of a form form one group: checking one clears the others.
// The click event runs whenever a button becomes checked, by the author or
// by the program, and never when it is cleared.
class RadioButton : public OptionButton {
public:
    RadioButton(Form& form, std::string name, Rect bounds, std::string_view caption);
    const char* Kind() const override { return "RadioButton"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool ProbeClick() override { SetChecked(true); return true; }
    void Command(WORD code) override;
    void FillProbe(ControlProbe& p) const override;
    std::function<void()> onClick;

private:
    bool checked_ = false;
};

// The click event runs whenever the state changes, by the author or by the program.
class CheckBox : public OptionButton {
public:
    CheckBox(Form& form, std::string name, Rect bounds, std::string_view caption);
    const char* Kind() const override { return "CheckBox"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool ProbeClick() override { SetChecked(!checked_); return true; }
    void Command(WORD code) override;
    void FillProbe(ControlProbe& p) const override;
    std::function<void()> onClick;

private:
    bool checked_ = false;
};

struct ComboOptions {
    bool editable = true;   // drop-down with an edit field
    int itemHeight = 0;     // 0: the system's; otherwise the list items are owner-drawn at this height
    int dropDownRows = 8;   // rows the list shows before it scrolls
};

class ComboBox : public WinControl {
public:
    ComboBox(Form& form, std::string name, Rect bounds, const std::vector<std::string>& items,
             ComboOptions options = {});
    const char* Kind() const override { return "ComboBox"; }
    std::string Text() const override;
    void SetText(std::string_view text) override;
    int ItemIndex() const;
    void SetItemIndex(int index);  // no event, as when set by the program
    const std::vector<std::string>& Items() const { return items_; }
    // Chosen from the list by the author (the text already shows the item).
    std::function<void()> onSelect;
    void Command(WORD code) override;
    bool MeasureItem(MEASUREITEMSTRUCT& m) override;
    bool DrawItem(const DRAWITEMSTRUCT& d) override;
    bool ProbeClick() override;  // opens the list
    bool ProbeSelect(const ControlProbe& p) override;
    void FillProbe(ControlProbe& p) const override;

protected:
    void BoundsChanged() override;
    void DpiChanged() override;

private:
    // The window's height with its list, and the item heights, at the form's DPI.
    void FitList();
    void ShowItem(int index);
    void Show(std::string_view text, const std::wstring& wide);
    std::vector<std::string> items_;
    ComboOptions options_;
    std::wstring shown_;
};

// A horizontal slider. The change event runs whenever the position changes,
// by the author or by the program (not while the form is being built).
class TrackBar : public WinControl {
public:
    TrackBar(Form& form, std::string name, Rect bounds, int min, int max, int position);
    const char* Kind() const override { return "TrackBar"; }
    int Position() const { return position_; }
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void Scroll() override;
    void FillProbe(ControlProbe& p) const override;
    bool ProbeSelect(const ControlProbe& p) override { SetPosition(p.position); return true; }
    std::function<void()> onChange;

private:
    int min_, max_, position_;
};

}  // namespace hq::ui
