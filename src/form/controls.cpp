#include "form/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "base/text.h"

namespace hq::ui {

namespace {

std::wstring WindowText(HWND h) {
    const int n = ::GetWindowTextLengthW(h);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    s.resize(static_cast<size_t>(::GetWindowTextW(h, s.data(), n + 1)));
    return s;
}

// Relative luminance of a colour (COLORREF layout), 0 for black to 1 for white.
double Luminance(COLORREF c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
}

// Contrast ratio of two colours, from 1 (the same) to 21 (black and white).
double Contrast(COLORREF a, COLORREF b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The ratio ordinary text needs to be read.
constexpr double kReadable = 4.5;

// The system text colour drawn on a system background colour, or -1.
int TextColorFor(Color background) {
    if (!IsSystemColor(background)) return -1;
    switch (background & 0xFF) {
    case COLOR_BTNFACE: return COLOR_BTNTEXT;
    case COLOR_WINDOW: return COLOR_WINDOWTEXT;
    case COLOR_HIGHLIGHT: return COLOR_HIGHLIGHTTEXT;
    case COLOR_MENU: return COLOR_MENUTEXT;
    case COLOR_INFOBK: return COLOR_INFOTEXT;
    case COLOR_ACTIVECAPTION: return COLOR_CAPTIONTEXT;
    case COLOR_INACTIVECAPTION: return COLOR_INACTIVECAPTIONTEXT;
    default: return -1;
    }
}

// The colour text of colour `text` is drawn in on `background`: its own where
// it can be read there; otherwise, on a system colour, that colour's text
// colour (a high-contrast scheme makes the two a pair); otherwise black or
// white, whichever stands out more. A fixed light fill thus keeps dark text
// when the window-text colour turns white.
COLORREF ReadableTextColor(Color text, Color background) {
    const COLORREF wanted = ResolveColor(text), under = ResolveColor(background);
    if (Contrast(wanted, under) >= kReadable) return wanted;
    if (const int pair = TextColorFor(background); pair >= 0) {
        const COLORREF paired = ::GetSysColor(pair);
        if (Contrast(paired, under) >= kReadable) return paired;
    }
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    return Contrast(black, under) >= Contrast(white, under) ? black : white;
}

}  // namespace

// ------------------------------------------------------------------ Label

Label::Label(Form& form, std::string name, Rect bounds, std::string_view caption, bool fixedSize)
    : GraphicControl(form, std::move(name), bounds), autoSize_(!fixedSize) {
    text_.assign(caption);
    Fit();
}

void Label::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    Fit();
}

void Label::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    Fit();
    Invalidate();
}

void Label::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void Label::SetColor(Color c) {
    color_ = c;
    Invalidate();
}

void Label::SetHoldsParameter(bool on) {
    holdsParameter_ = on;
    Fit();
    Invalidate();
}

std::wstring Label::Shown() const { return holdsParameter_ ? WidenParameter(text_) : Widen(text_); }

void Label::TextChanged() {
    Fit();
    Invalidate();
}

void Label::FontChanged() {
    Fit();
    Invalidate();
}

void Label::DpiChanged() {
    GraphicControl::DpiChanged();
    if (growTo_ > 0) GrowToFit(growTo_);
}

void Label::GrowToFit(int maxHeight) {
    growTo_ = maxHeight;
    const HDC dc = Owner().MeasureDc();
    SelectScope font(dc, Owner().FontHandle(Font()));
    const std::wstring text = Shown();
    RECT r{0, 0, Bounds().width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
    Rect b = Bounds();
    const int needed = r.bottom - r.top;
    if (needed > b.height) {
        b.height = std::min(needed, Owner().Scale(maxHeight));
        SetBounds(b);
        Invalidate();
    }
}

// Auto-size: the label takes the size of its text (an empty caption measures
// as one blank); a word-wrapped label keeps its width and fits its height.
void Label::Fit() {
    if (!autoSize_) return;
    const HDC dc = Owner().MeasureDc();
    SelectScope font(dc, Owner().FontHandle(Font()));
    const std::wstring text = text_.empty() ? std::wstring(L" ") : Shown();
    RECT r{0, 0, wordWrap_ ? Bounds().width : 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0));
    Rect b = Bounds();
    if (!wordWrap_) b.width = r.right - r.left;
    b.height = r.bottom - r.top;
    SetBounds(b);
}

void Label::Paint(HDC dc) {
    RECT r = Bounds().ToRECT();
    if (!transparent_) {
        UniqueBrush brush(::CreateSolidBrush(ResolveColor(color_)));
        ::FillRect(dc, &r, brush.get());
    }
    SelectScope font(dc, Owner().FontHandle(Font()));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Enabled() ? ReadableTextColor(FontColor(), color_) : ::GetSysColor(COLOR_GRAYTEXT));
    const std::wstring text = Shown();
    const UINT clip = RightOverhang() ? DT_NOCLIP : 0;  // the form clips to PaintArea()
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_NOPREFIX | DT_EXPANDTABS | clip | (wordWrap_ ? DT_WORDBREAK : 0));
}

// ------------------------------------------------------------------ Image

Image::Image(Form& form, std::string name, Rect bounds) : GraphicControl(form, std::move(name), bounds) {}

void Image::SetPicture(UniqueBitmap picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void Image::Paint(HDC dc) {
    if (!picture_) return;
    BITMAP bm{};
    ::GetObjectW(picture_.get(), sizeof bm, &bm);
    const MemoryDc mem(dc, picture_.get());
    if (!mem) return;
    ::BitBlt(dc, Bounds().left, Bounds().top, std::min<int>(bm.bmWidth, Bounds().width),
             std::min<int>(bm.bmHeight, Bounds().height), mem.get(), 0, 0, SRCCOPY);
}

// ------------------------------------------------------------------ SpeedButton

SpeedButton::SpeedButton(Form& form, std::string name, Rect bounds) : GraphicControl(form, std::move(name), bounds) {}

void SpeedButton::Paint(HDC dc) {
    RECT r = Bounds().ToRECT();
    if (down_ && hot_)
        ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ || down_)
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    if (!glyph_) return;
    BITMAP bm{};
    ::GetObjectW(glyph_, sizeof bm, &bm);
    const int shift = down_ && hot_ ? 1 : 0;
    const int x = r.left + (Bounds().width - bm.bmWidth) / 2 + shift;
    const int y = r.top + (Bounds().height - bm.bmHeight) / 2 + shift;
    const MemoryDc mem(dc, glyph_);
    if (!mem) return;
    ::TransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight, RGB(255, 0, 255));
}

void SpeedButton::Click() {
    if (onClick) onClick();
}

bool SpeedButton::ProbeClick() {
    Click();
    return true;
}

void SpeedButton::MouseDown(int, int) {
    down_ = true;
    Invalidate();
}

void SpeedButton::MouseUp(int, int, bool inside) {
    down_ = false;
    Invalidate();
    if (inside) Click();
}

void SpeedButton::MouseEnter() {
    hot_ = true;
    Invalidate();
    GraphicControl::MouseEnter();
}

void SpeedButton::MouseLeave() {
    hot_ = false;
    Invalidate();
    GraphicControl::MouseLeave();
}

void SpeedButton::SetHint(std::string hint) {
    Control::SetHint(std::move(hint));
    UpdateTool();
}

void SpeedButton::BoundsChanged() {
    GraphicControl::BoundsChanged();
    UpdateTool();
}

void SpeedButton::VisibilityChanged() {
    GraphicControl::VisibilityChanged();
    UpdateTool();
}

// The tooltip tool covers the button's rectangle of the form while the
// button is visible and has a hint.
void SpeedButton::UpdateTool() {
    HWND tip = Owner().Tooltip();
    if (!tip) return;
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = Owner().Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(this);
    if (toolAdded_) {
        ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        toolAdded_ = false;
    }
    if (!Visible() || Hint().empty()) return;
    std::wstring text = Widen(Hint());
    ti.uFlags = 0;  // the form relays the mouse messages
    ti.rect = Bounds().ToRECT();
    ti.lpszText = text.data();
    toolAdded_ = ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

// ------------------------------------------------------------------ Edit

Edit::Edit(Form& form, std::string name, Rect bounds, std::string_view text)
    : WinControl(form, std::move(name), bounds) {
    Create(L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, text);
    ::SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
    shown_ = WindowText(hwnd_);
}

// A field holds parameter text: the ANSI code page both ways.
std::string Edit::Text() const {
    const std::wstring now = WindowText(hwnd_);
    return now == shown_ ? text_ : NarrowParameter(now);
}

void Edit::SetText(std::string_view text) {
    text_.assign(text);
    ::SetWindowTextW(hwnd_, WidenParameter(text).c_str());
    shown_ = WindowText(hwnd_);
}

void Edit::TabbedInto() { ::SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

void Edit::Command(WORD code) {
    if (code == EN_CHANGE && onChange) onChange();
}

// ------------------------------------------------------------------ Button

Button::Button(Form& form, std::string name, Rect bounds, std::string_view caption, int modalResult)
    : WinControl(form, std::move(name), bounds), modalResult_(modalResult) {
    Create(L"BUTTON", BS_PUSHBUTTON, 0, caption);
}

void Button::Click() {
    if (onClick) onClick();
    if (modalResult_ != kModalNone) Owner().SetModalResult(modalResult_);
}

void Button::Command(WORD code) {
    if (code == BN_CLICKED) Click();
}

// ------------------------------------------------------------------ OptionButton

OptionButton::OptionButton(Form& form, std::string name, Rect bounds, DWORD style, std::string_view caption)
    : WinControl(form, std::move(name), bounds) {
    Create(L"BUTTON", style, 0, caption);
    FitCaption();
}

void OptionButton::FontChanged() {
    WinControl::FontChanged();
    FitCaption();
}

void OptionButton::TextChanged() {
    WinControl::TextChanged();
    FitCaption();
}

// The room the design left beside its caption (for the mark and the gap
// after it) is kept at the form's scale, the caption measured in its font at
// each DPI.
void OptionButton::FitCaption() {
    Form& form = Owner();
    if (form.Dpi() == 96 || !hwnd_) return;
    const std::wstring caption = Widen(text_);
    const auto width = [&](HFONT font) -> int {
        SelectScope select(form.MeasureDc(), font);
        SIZE text{};
        return ::GetTextExtentPoint32W(form.MeasureDc(), caption.c_str(), static_cast<int>(caption.size()), &text)
                   ? text.cx
                   : -1;
    };
    const int designText = width(form.DesignFontHandle(Font())), text = width(form.FontHandle(Font()));
    if (designText < 0 || text < 0) return;
    Rect b = Bounds();
    const int needed = form.Scale(Design().width - designText) + text;
    const int room = form.Scale(form.ClientWidth()) - b.left;
    if (needed <= b.width || b.width >= room) return;
    b.width = std::min(needed, room);
    SetBounds(b);
}

// ------------------------------------------------------------------ RadioButton

RadioButton::RadioButton(Form& form, std::string name, Rect bounds, std::string_view caption)
    : OptionButton(form, std::move(name), bounds, BS_RADIOBUTTON, caption) {}

void RadioButton::SetChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    ::SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!on) return;
    for (const auto& c : Owner().Controls()) {
        auto* other = dynamic_cast<RadioButton*>(c.get());
        if (other && other != this) other->SetChecked(false);
    }
    if (onClick) onClick();
}

void RadioButton::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(true);
}

void RadioButton::FillProbe(ControlProbe& p) const {
    WinControl::FillProbe(p);
    p.checked = checked_;
}

// ------------------------------------------------------------------ CheckBox

CheckBox::CheckBox(Form& form, std::string name, Rect bounds, std::string_view caption)
    : OptionButton(form, std::move(name), bounds, BS_CHECKBOX, caption) {}

void CheckBox::SetChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    ::SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    if (onClick) onClick();
}

void CheckBox::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(!checked_);
}

void CheckBox::FillProbe(ControlProbe& p) const {
    WinControl::FillProbe(p);
    p.checked = checked_;
}

// ------------------------------------------------------------------ ComboBox

ComboBox::ComboBox(Form& form, std::string name, Rect bounds, const std::vector<std::string>& items,
                   ComboOptions options)
    : WinControl(form, std::move(name), bounds), items_(items), options_(options) {
    DWORD style = (options.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | CBS_AUTOHSCROLL | WS_VSCROLL;
    if (options.itemHeight > 0) style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    Create(WC_COMBOBOXW, style, 0, "");
    FitList();
    for (const std::string& item : items_)
        ::SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    shown_ = WindowText(hwnd_);
}

// A combo box's window reaches down over its dropped list; the owner-drawn
// one's item and edit heights follow the form's DPI.
void ComboBox::FitList() {
    const Form& form = Owner();
    const int itemHeight = form.Scale(options_.itemHeight > 0 ? options_.itemHeight : 16);
    const Rect& b = Bounds();
    ::MoveWindow(hwnd_, b.left, b.top, b.width, b.height + options_.dropDownRows * itemHeight + form.Scale(2), FALSE);
    if (options_.itemHeight > 0) {
        ::SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, itemHeight);
        ::SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(b.height - form.Scale(6), 1));
    }
}

void ComboBox::BoundsChanged() {
    FitList();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ComboBox::DpiChanged() {
    WinControl::DpiChanged();
    FitList();
}

// The edit part shows parameter text (a stored value, in the ANSI code page)
// or one of the items, which are the plug-in's own Windows-1251 texts: each
// is shown in its own code page, and an untouched text comes back as its bytes.
std::string ComboBox::Text() const {
    const std::wstring now = WindowText(hwnd_);
    return now == shown_ ? text_ : NarrowParameter(now);
}

void ComboBox::SetText(std::string_view text) { Show(text, WidenParameter(text)); }

void ComboBox::ShowItem(int index) {
    const std::string& item = items_[static_cast<size_t>(index)];
    Show(item, Widen(item));
}

void ComboBox::Show(std::string_view text, const std::wstring& wide) {
    text_.assign(text);
    ::SetWindowTextW(hwnd_, wide.c_str());
    shown_ = WindowText(hwnd_);
}

int ComboBox::ItemIndex() const { return static_cast<int>(::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void ComboBox::SetItemIndex(int index) {
    ::SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index >= 0 && index < static_cast<int>(items_.size())) ShowItem(index);
}

void ComboBox::Command(WORD code) {
    if (code != CBN_SELCHANGE) return;
    const int index = ItemIndex();
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    ShowItem(index);
    if (onSelect) onSelect();
}

bool ComboBox::MeasureItem(MEASUREITEMSTRUCT& m) {
    if (options_.itemHeight <= 0) return false;
    m.itemHeight = m.itemID == static_cast<UINT>(-1) ? static_cast<UINT>(std::max(Bounds().height - Owner().Scale(6), 1))
                                                     : static_cast<UINT>(Owner().Scale(options_.itemHeight));
    return true;
}

bool ComboBox::DrawItem(const DRAWITEMSTRUCT& d) {
    if (options_.itemHeight <= 0) return false;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    RECT r = d.rcItem;
    ::FillRect(d.hDC, &r, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (d.itemID == static_cast<UINT>(-1) || d.itemID >= items_.size()) return true;
    SelectScope font(d.hDC, Owner().FontHandle(Font()));
    ::SetBkMode(d.hDC, TRANSPARENT);
    ::SetTextColor(d.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring text = Widen(items_[d.itemID]);
    r.left += Owner().Scale(2);
    ::DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return true;
}

bool ComboBox::ProbeClick() {
    ::SendMessageW(hwnd_, CB_SHOWDROPDOWN, TRUE, 0);
    return true;
}

bool ComboBox::ProbeSelect(const ControlProbe& p) {
    ::SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(p.itemIndex), 0);
    Command(CBN_SELCHANGE);
    return true;
}

void ComboBox::FillProbe(ControlProbe& p) const {
    WinControl::FillProbe(p);
    p.itemIndex = ItemIndex();
}

// ------------------------------------------------------------------ TrackBar

TrackBar::TrackBar(Form& form, std::string name, Rect bounds, int min, int max, int position)
    : WinControl(form, std::move(name), bounds), min_(min), max_(max), position_(std::clamp(position, min, max)) {
    Create(TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM, 0, "");
    ::SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, min_);
    ::SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, max_);
    ::SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, 2);
    ::SendMessageW(hwnd_, TBM_SETTICFREQ, 1, 0);
    ::SendMessageW(hwnd_, TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    if (::SendMessageW(hwnd_, TBM_GETPOS, 0, 0) != position) ::SendMessageW(hwnd_, TBM_SETPOS, TRUE, position);
    if (onChange) onChange();
}

void TrackBar::Scroll() { SetPosition(static_cast<int>(::SendMessageW(hwnd_, TBM_GETPOS, 0, 0))); }

void TrackBar::FillProbe(ControlProbe& p) const {
    WinControl::FillProbe(p);
    p.position = position_;
}

}  // namespace hq::ui
