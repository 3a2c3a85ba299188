// The small form layer the dialogs are built on: a top-level modal form with
// windowed child controls and graphic (windowless) controls that the form
// paints itself, every control known by its design name.
#pragma once
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/callback_guard.h"
#include "base/handles.h"
#include "form/color.h"
#include "form/probe.h"

namespace hq::ui {

constexpr int kModalNone = 0;
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// The error a form raises when the system cannot register the common
// controls (trackbar, tooltip) its dialogs are built with.
constexpr char kCommonControlsText[] = "Cannot register the common control classes";

// Position and size: in a design, in 96-DPI units; on a form, in its client
// pixels at the form's DPI.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    RECT ToRECT() const { return RECT{left, top, left + width, top + height}; }
    bool Contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
    bool operator==(const Rect&) const = default;
};

// Arial at a pixel height at 96 DPI (13 for 10 points, 12 for 9 points); a
// form draws it at its own DPI.
struct FontSpec {
    int height = 13;
    bool bold = false;
    auto operator<=>(const FontSpec&) const = default;
};

class Form;

class Control {
public:
    // `design` in 96-DPI units; the control takes it at the form's DPI.
    Control(Form& form, std::string name, Rect design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& Owner() const { return form_; }
    const std::string& Name() const { return name_; }
    // The place on the form, in client pixels.
    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& r);
    // The place the control was designed at, in 96-DPI units.
    const Rect& Design() const { return design_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool HandCursor() const { return hand_; }
    void SetHandCursor(bool hand) { hand_ = hand; }
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& f);
    Color FontColor() const { return fontColor_; }
    void SetFontColor(Color c);
    const std::string& Hint() const { return hint_; }
    virtual void SetHint(std::string hint) { hint_ = std::move(hint); }

    // Text or caption in Windows-1251.
    virtual std::string Text() const { return text_; }
    virtual void SetText(std::string_view text);

    virtual HWND Handle() const { return nullptr; }
    virtual const char* Kind() const = 0;
    // The author's click (for the probe); false when the control has none.
    virtual bool ProbeClick() { return false; }
    // The author's choice of a value (combo box item, slider position).
    virtual bool ProbeSelect(const ControlProbe&) { return false; }
    virtual void FillProbe(ControlProbe& p) const;
    // The system settings changed (WM_SETTINGCHANGE reached the form).
    virtual void SettingChange() {}
    // The form switched its hints on: a control with a tooltip tool adds it now.
    virtual void HintsOn() {}
    // The form's DPI changed: the control takes its design place and font at the new one.
    virtual void DpiChanged();

protected:
    virtual void BoundsChanged() {}
    virtual void VisibilityChanged() {}
    virtual void EnabledChanged() {}
    virtual void FontChanged() {}
    virtual void TextChanged() {}

    std::string text_;

private:
    Form& form_;
    std::string name_;
    Rect design_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool hand_ = false;
    FontSpec font_;
    Color fontColor_ = clWindowText;
    std::string hint_;
};

// A control without a window: the form paints it after its own paint handler,
// in the order the controls were added, and routes the mouse to it.
class GraphicControl : public Control {
public:
    using Control::Control;
    virtual void Paint(HDC dc) = 0;  // dc in form client coordinates, clipped to PaintArea()
    // An opaque control covers its whole rectangle: the form need not erase
    // behind it when only the control changed.
    virtual bool Opaque() const { return false; }
    // Pixels the control may paint right of its bounds: text rendering can run a
    // pixel or two past the measured advance widths of a line.
    virtual int RightOverhang() const { return 0; }
    // The area the control paints: its bounds plus the overhang.
    Rect PaintArea() const {
        Rect r = Bounds();
        r.width += RightOverhang();
        return r;
    }
    void Invalidate();
    // Mouse, in form client coordinates.
    virtual void MouseDown(int, int) {}
    virtual void MouseUp(int, int, bool /*inside*/) {}
    virtual void MouseEnter() { if (onMouseEnter) onMouseEnter(); }
    virtual void MouseLeave() { if (onMouseLeave) onMouseLeave(); }
    std::function<void()> onMouseEnter, onMouseLeave;

protected:
    void BoundsChanged() override;
    void VisibilityChanged() override { InvalidateArea(Bounds()); }
    void EnabledChanged() override { Invalidate(); }
    void TextChanged() override { Invalidate(); }
    void FontChanged() override { Invalidate(); }
    void InvalidateArea(const Rect& r);

private:
    Rect painted_;
};

// A control with a child window of the form.
class WinControl : public Control {
public:
    WinControl(Form& form, std::string name, Rect bounds);
    ~WinControl() override;
    HWND Handle() const override { return hwnd_; }
    void Focus();
    bool Focused() const;
    int Id() const { return id_; }
    // Notifications from the form's window procedure.
    virtual void Command(WORD /*code*/) {}
    virtual void Scroll() {}
    virtual bool MeasureItem(MEASUREITEMSTRUCT&) { return false; }
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    // Focus arrived by Tab.
    virtual void TabbedInto() {}
    void FillProbe(ControlProbe& p) const override;

protected:
    void Create(const wchar_t* windowClass, DWORD style, DWORD exStyle, std::string_view text);
    void BoundsChanged() override;
    void VisibilityChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void TextChanged() override;

    HWND hwnd_ = nullptr;  // destroyed with the form's window

private:
    int id_;
};

class Form {
public:
    // A top-level form of the given client size (96-DPI units, drawn at the
    // DPI of the monitor it opens on), centred on the work area of its
    // owner's monitor and never partly off it, hidden until ShowModal.
    // Owned, it stays above its owner and has no taskbar button; `owner` may
    // be null (a window of its own, on the primary monitor).
    Form(std::string_view caption, int clientWidth, int clientHeight, HWND owner = nullptr);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return hwnd_.get(); }
    // The client size in 96-DPI units, as designed.
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // The DPI the form is drawn at, and a length or a rectangle in 96-DPI
    // units at it (a rectangle's edges are scaled, so that adjacent
    // rectangles stay adjacent). At 96 DPI both are the design's own.
    int Dpi() const { return dpi_; }
    int Scale(int length) const;
    Rect Scale(const Rect& design) const;
    std::string Caption() const { return caption_; }

    // Adds a control; the form owns it. Later graphic controls paint over earlier ones.
    template <typename T, typename... Args>
    T& Add(Args&&... args) {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    // The control with this design name, or null.
    Control* Find(std::string_view name) const;
    // The control with this design name and kind; raises an error if there is none.
    template <typename T>
    T& Get(std::string_view name) const {
        if (auto* c = dynamic_cast<T*>(Find(name))) return *c;
        MissingControl(name);
    }
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    // Tab order: exactly the listed windowed controls are tab stops, in this order.
    void SetTabOrder(std::vector<WinControl*> order);
    int TabIndex(const WinControl* c) const;
    // The control that has the focus when the form is shown (default: the first tab stop).
    void SetActiveControl(WinControl* c) { active_ = c; }

    // Shows the form modally and runs its message loop until a modal result is
    // set, then hides the form (its controls still answer; the destructor
    // destroys the window). An error raised by an event handler ends the loop
    // and is rethrown here after the window has been destroyed.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // The close box: ends the form as Cancel.
    void Close() { modalResult_ = kModalCancel; }

    // Runs before the form becomes visible in ShowModal.
    std::function<void()> onShow;
    // The form's paint handler: runs on every repaint before the graphic controls paint.
    std::function<void(HDC)> onPaint;

    // The font at the form's DPI, and at 96 DPI (the design's, for measuring
    // what the design left room for).
    HFONT FontHandle(const FontSpec& font);
    HFONT DesignFontHandle(const FontSpec& font);
    // A memory DC for measuring text (labels size themselves with it).
    HDC MeasureDc();
    int Paints() const { return paints_; }
    int NextControlId() { return nextId_++; }
    // The form's tooltip window, made when hints are switched on, else null.
    // Hints are switched on once the form has painted, or at the first mouse
    // message before that: a dialog shows before its tooltip tools are made.
    HWND Tooltip();

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

protected:
    // Runs after the controls took a new DPI: a form with pictures of its
    // own loads them at the new one.
    virtual void DpiChanged() {}

private:
    void FitClientToDpi(HWND owner);
    void ChangeDpi(int dpi, const RECT* suggested);
    [[noreturn]] static void MissingControl(std::string_view name);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Paint();
    void PaintOnto(HDC dc, const RECT& dirty);
    bool PreTranslate(const MSG& msg);
    void MoveFocus(bool forward);
    WinControl* FocusedControl() const;
    WinControl* ByHandle(HWND h) const;
    WinControl* ById(int id) const;
    GraphicControl* GraphicAt(int x, int y) const;
    void TrackMouse(int x, int y);
    ControlProbe* TrustedProbe(LPARAM lp) const;
    bool Probe(ControlProbe& p);
    void DestroyHandle();
    void EnableHints();
    void RelayToTooltip(UINT msg, WPARAM wp, LPARAM lp);

    UniqueWindow hwnd_;
    HWND tooltip_ = nullptr;
    bool hintsOn_ = false;
    std::string caption_;
    int clientWidth_, clientHeight_;
    int dpi_ = 96;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<WinControl*> tabOrder_;
    WinControl* active_ = nullptr;
    HWND savedFocus_ = nullptr;
    GraphicControl* hover_ = nullptr;
    GraphicControl* pressed_ = nullptr;
    std::map<FontSpec, UniqueFont> fonts_, designFonts_;
    UniqueMemDc measure_;
    int modalResult_ = kModalNone;
    bool inModalLoop_ = false;
    // Event handlers run through it: an error one raises is kept, ends the
    // modal loop and is raised by ShowModal; it never leaves a window procedure.
    CallbackGuard guard_;
    int paints_ = 0;
    int64_t firstPaintCounter_ = 0;
    int64_t paintedCounter_ = 0;
    int nextId_ = 100;
};

}  // namespace hq::ui
