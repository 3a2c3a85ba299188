#include "form/form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "base/dpi.h"
#include "base/error.h"
#include "base/host.h"
#include "base/text.h"
#include "base/work_area.h"

namespace hq::ui {

uint32_t ResolveColor(Color c) {
    if (IsSystemColor(c)) return ::GetSysColor(static_cast<int>(c & 0xFF));
    return c & 0x00FFFFFFu;
}

namespace {

// The window class is registered by the first form and unregistered when the
// module unloads (this object's destructor runs then): a plug-in may be loaded
// again at another address, so the class must not outlive its procedure.
struct FormClass {
    bool registered = false;
    ~FormClass() {
        if (registered) ::UnregisterClassW(kFormClassName, PluginModule());
    }
    void Register() {
        if (registered) return;
        // The forms' common controls are the trackbar and the tooltip (edits,
        // buttons and combo boxes are the system's own classes): ICC_BAR_CLASSES,
        // which every comctl32 knows, also the 5.8 a host without a version-6
        // manifest loads (ICC_STANDARD_CLASSES belongs to version 6). Without
        // them a dialog would lack its slider, so no form opens; a failure is
        // not remembered, the next form tries again.
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        if (!::InitCommonControlsEx(&icc)) Fail(kCommonControlsText);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Form::WindowProc;
        wc.hInstance = PluginModule();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = nullptr;  // the paint fills the background itself
        wc.lpszClassName = kFormClassName;
        registered = ::RegisterClassExW(&wc) != 0;
    }
} g_formClass;

// Posted to itself by a form after its first paint.
constexpr UINT kHintsOnMessage = WM_APP + 1;

void CopyText(char* to, size_t size, const std::string& from) {
    const size_t n = std::min(size - 1, from.size());
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

// The visible, enabled top-level windows of the thread other than `self`.
struct ThreadWindows {
    HWND self;
    std::vector<HWND> windows;
    CallbackGuard guard;  // raises after the enumeration has returned
};

BOOL CALLBACK CollectEnabledWindow(HWND h, LPARAM lp) {
    auto* c = reinterpret_cast<ThreadWindows*>(lp);
    if (h == c->self || !::IsWindowVisible(h) || !::IsWindowEnabled(h)) return TRUE;
    return c->guard.Run([&] { c->windows.push_back(h); });
}

}  // namespace

// ------------------------------------------------------------------ Control

Control::Control(Form& form, std::string name, Rect design)
    : form_(form), name_(std::move(name)), design_(design), bounds_(form.Scale(design)) {}

void Control::DpiChanged() {
    SetBounds(form_.Scale(design_));
    FontChanged();
}

void Control::SetBounds(const Rect& r) {
    if (r == bounds_) return;
    bounds_ = r;
    BoundsChanged();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibilityChanged();
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void Control::SetFont(const FontSpec& f) {
    if (f == font_) return;
    font_ = f;
    FontChanged();
}

void Control::SetFontColor(Color c) {
    if (c == fontColor_) return;
    fontColor_ = c;
    FontChanged();
}

void Control::SetText(std::string_view text) {
    if (text == text_) return;
    text_.assign(text);
    TextChanged();
}

void Control::FillProbe(ControlProbe& p) const {
    p.found = 1;
    p.hwnd = Handle();
    p.left = bounds_.left;
    p.top = bounds_.top;
    p.width = bounds_.width;
    p.height = bounds_.height;
    p.visible = visible_;
    p.enabled = enabled_;
    p.handCursor = hand_;
    p.fontHeight = form_.Scale(font_.height);
    p.fontBold = font_.bold;
    p.fontColor = ResolveColor(fontColor_);
    CopyText(p.kind, sizeof p.kind, Kind());
    CopyText(p.text, sizeof p.text, Text());
    CopyText(p.hint, sizeof p.hint, hint_);
}

// ------------------------------------------------------------------ GraphicControl

// A hidden form is painted whole when it is shown, so nothing of it needs to
// be marked for painting before; and in Wine each invalidation is a round
// trip to the server, which made up much of a dialog's building.
void GraphicControl::Invalidate() {
    if (!Owner().Handle() || !::IsWindowVisible(Owner().Handle())) return;
    const RECT rc = PaintArea().ToRECT();
    ::InvalidateRect(Owner().Handle(), &rc, Opaque() ? FALSE : TRUE);
}

void GraphicControl::InvalidateArea(const Rect& r) {
    if (!Owner().Handle() || !::IsWindowVisible(Owner().Handle())) return;
    const RECT rc = r.ToRECT();
    ::InvalidateRect(Owner().Handle(), &rc, TRUE);
}

void GraphicControl::BoundsChanged() {
    InvalidateArea(painted_);
    painted_ = PaintArea();
    Invalidate();
}

// ------------------------------------------------------------------ WinControl

WinControl::WinControl(Form& form, std::string name, Rect bounds)
    : Control(form, std::move(name), bounds), id_(form.NextControlId()) {}

WinControl::~WinControl() = default;

void WinControl::Create(const wchar_t* windowClass, DWORD style, DWORD exStyle, std::string_view text) {
    text_.assign(text);
    if (Visible()) style |= WS_VISIBLE;
    const Rect& b = Bounds();
    hwnd_ = ::CreateWindowExW(exStyle, windowClass, Widen(text).c_str(), style | WS_CHILD, b.left, b.top, b.width,
                              b.height, Owner().Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              PluginModule(), nullptr);
    if (!hwnd_) Fail("Cannot create the control " + Name());
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Owner().FontHandle(Font())), FALSE);
}

void WinControl::Focus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

bool WinControl::Focused() const {
    const HWND f = ::GetFocus();
    return hwnd_ && f && (f == hwnd_ || ::IsChild(hwnd_, f));
}

void WinControl::FillProbe(ControlProbe& p) const {
    Control::FillProbe(p);
    p.tabIndex = Owner().TabIndex(this);
}

void WinControl::BoundsChanged() {
    const Rect& b = Bounds();
    if (hwnd_) ::MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
}

void WinControl::VisibilityChanged() {
    if (hwnd_) ::ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void WinControl::EnabledChanged() {
    if (hwnd_) ::EnableWindow(hwnd_, Enabled());
}

void WinControl::FontChanged() {
    if (hwnd_) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Owner().FontHandle(Font())), TRUE);
}

void WinControl::TextChanged() {
    if (hwnd_) ::SetWindowTextW(hwnd_, Widen(text_).c_str());
}

// ------------------------------------------------------------------ Form

namespace {

// Centred on the work area of the owner's monitor (the primary monitor's
// without an owner), never partly off it: a window larger than the work area
// keeps its caption at the work area's top-left corner.
POINT CentredOnOwnersMonitor(HWND owner, int width, int height) {
    const ScreenArea work = OwnersWorkArea(owner);
    return POINT{CentredIn(work.left, work.right, width), CentredIn(work.top, work.bottom, height)};
}

}  // namespace

Form::Form(std::string_view caption, int clientWidth, int clientHeight, HWND owner)
    : caption_(caption), clientWidth_(clientWidth), clientHeight_(clientHeight) {
    g_formClass.Register();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const POINT at = CentredOnOwnersMonitor(owner, w, h);
    hwnd_.reset(::CreateWindowExW(exStyle, kFormClassName, Widen(caption).c_str(), style, at.x, at.y, w, h, owner, nullptr,
                                  PluginModule(), this));
    if (!hwnd_) Fail("Cannot create a form window");
    FitClientToDpi(owner);
    // A fixed dialog frame: the system menu offers only moving and closing.
    if (HMENU menu = ::GetSystemMenu(hwnd_.get(), FALSE)) {
        for (UINT cmd : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) ::DeleteMenu(menu, cmd, MF_BYCOMMAND);
    }
}

// The window was made for 96 DPI; on a monitor of another DPI its client
// area takes the design's size at that DPI, with the frame the system gives
// it there, centred again.
void Form::FitClientToDpi(HWND owner) {
    dpi_ = WindowDpi(hwnd_.get());
    RECT client{}, window{};
    if (!::GetClientRect(hwnd_.get(), &client) || !::GetWindowRect(hwnd_.get(), &window)) return;
    const int width = Scale(clientWidth_), height = Scale(clientHeight_);
    if (client.right == width && client.bottom == height) return;
    const int w = width + (window.right - window.left) - client.right;
    const int h = height + (window.bottom - window.top) - client.bottom;
    const POINT at = CentredOnOwnersMonitor(owner, w, h);
    ::SetWindowPos(hwnd_.get(), nullptr, at.x, at.y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Scale(int length) const { return ScaleToDpi(length, dpi_); }

Rect Form::Scale(const Rect& design) const {
    if (dpi_ == kDesignDpi) return design;
    const int left = Scale(design.left), top = Scale(design.top);
    return Rect{left, top, Scale(design.right()) - left, Scale(design.bottom()) - top};
}

// The form moved to a monitor of another DPI (or the scale changed): every
// control takes its design place and font at the new DPI, the pictures are
// loaded again, and the window takes the rectangle the system suggests. The
// controls' windows stay, with their text, selection and focus; the old
// fonts are deleted only once no control uses them.
void Form::ChangeDpi(int dpi, const RECT* suggested) {
    if (dpi > 0 && dpi != dpi_) {
        const std::map<FontSpec, UniqueFont> old = std::exchange(fonts_, {});
        dpi_ = dpi;
        for (const auto& c : controls_) c->DpiChanged();
        DpiChanged();
    }
    if (suggested)
        ::SetWindowPos(hwnd_.get(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

Form::~Form() {
    DestroyHandle();
    controls_.clear();
    measure_.reset();
    fonts_.clear();
    designFonts_.clear();
}

void Form::DestroyHandle() {
    if (!hwnd_) return;
    ::RemovePropW(hwnd_.get(), kFirstPaintProperty);
    hwnd_.reset();  // destroys the children and the owned tooltip window too
    tooltip_ = nullptr;
}

void Form::MissingControl(std::string_view name) {
    Fail("The form has no control " + std::string(name) + " of that kind");
}

Control* Form::Find(std::string_view name) const {
    for (const auto& c : controls_)
        if (c->Name() == name) return c.get();
    return nullptr;
}

void Form::SetTabOrder(std::vector<WinControl*> order) {
    tabOrder_ = std::move(order);
    for (const auto& c : controls_) {
        auto* w = dynamic_cast<WinControl*>(c.get());
        if (!w || !w->Handle()) continue;
        LONG_PTR style = ::GetWindowLongPtrW(w->Handle(), GWL_STYLE);
        style = TabIndex(w) >= 0 ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowLongPtrW(w->Handle(), GWL_STYLE, style);
    }
}

int Form::TabIndex(const WinControl* c) const {
    for (size_t i = 0; i < tabOrder_.size(); ++i)
        if (tabOrder_[i] == c) return static_cast<int>(i);
    return -1;
}

namespace {

// Arial of a font at a pixel height, kept in `cache`.
HFONT CachedArial(std::map<FontSpec, UniqueFont>& cache, const FontSpec& font, int height) {
    auto it = cache.find(font);
    if (it != cache.end()) return it->second.get();
    HFONT f = ::CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    return cache.emplace(font, UniqueFont(f)).first->second.get();
}

}  // namespace

HFONT Form::FontHandle(const FontSpec& font) { return CachedArial(fonts_, font, Scale(font.height)); }

HFONT Form::DesignFontHandle(const FontSpec& font) { return CachedArial(designFonts_, font, font.height); }

HDC Form::MeasureDc() {
    if (!measure_) measure_.reset(::CreateCompatibleDC(nullptr));
    return measure_.get();
}

HWND Form::Tooltip() {
    if (!tooltip_ && hwnd_ && hintsOn_) {
        tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_.get(), nullptr,
                                     PluginModule(), nullptr);
    }
    return tooltip_;
}

void Form::EnableHints() {
    if (hintsOn_ || !hwnd_) return;
    hintsOn_ = true;
    for (const auto& c : controls_) c->HintsOn();
}

// The tools do not subclass the form (every message would then pass through
// the subclass chain, which costs a window-property lookup a message): the
// form hands the tooltip its mouse messages itself.
void Form::RelayToTooltip(UINT msg, WPARAM wp, LPARAM lp) {
    EnableHints();
    if (!tooltip_) return;
    MSG m{hwnd_.get(), msg, wp, lp, static_cast<DWORD>(::GetMessageTime()), {}};
    const DWORD pos = ::GetMessagePos();
    m.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

WinControl* Form::ByHandle(HWND h) const {
    if (!h) return nullptr;
    for (const auto& c : controls_) {
        auto* w = dynamic_cast<WinControl*>(c.get());
        if (w && w->Handle() && (w->Handle() == h || ::IsChild(w->Handle(), h))) return w;
    }
    return nullptr;
}

WinControl* Form::ById(int id) const {
    for (const auto& c : controls_) {
        auto* w = dynamic_cast<WinControl*>(c.get());
        if (w && w->Id() == id) return w;
    }
    return nullptr;
}

WinControl* Form::FocusedControl() const { return ByHandle(::GetFocus()); }

GraphicControl* Form::GraphicAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* g = dynamic_cast<GraphicControl*>(it->get());
        if (g && g->Visible() && g->Bounds().Contains(x, y)) return g;
    }
    return nullptr;
}

void Form::TrackMouse(int x, int y) {
    GraphicControl* now = GraphicAt(x, y);
    if (now == hover_) return;
    GraphicControl* was = std::exchange(hover_, now);
    if (was) was->MouseLeave();
    if (now) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_.get(), 0};
        ::TrackMouseEvent(&tme);
        now->MouseEnter();
    }
}

void Form::MoveFocus(bool forward) {
    const int n = static_cast<int>(tabOrder_.size());
    if (n == 0) return;
    int at = TabIndex(FocusedControl());
    for (int step = 0; step < n; ++step) {
        at = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
        WinControl* c = tabOrder_[static_cast<size_t>(at)];
        if (c->Visible() && c->Enabled() && c->Handle()) {
            c->Focus();
            c->TabbedInto();
            return;
        }
    }
}

// Keys handled by the form before the focused control sees them: Tab moves
// through the tab order, Enter presses the focused push button, Escape does
// nothing (the form has no default or cancel button).
bool Form::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
    if (msg.hwnd != hwnd_.get() && !::IsChild(hwnd_.get(), msg.hwnd)) return false;
    const auto key = static_cast<UINT>(msg.wParam);
    WinControl* focused = FocusedControl();
    const bool dropped = focused && std::strcmp(focused->Kind(), "ComboBox") == 0 &&
                         ::SendMessageW(focused->Handle(), CB_GETDROPPEDSTATE, 0, 0);
    if (msg.message == WM_CHAR) return key == L'\t' || ((key == L'\r' || key == 27) && !dropped);
    if (key == VK_TAB && !(::GetKeyState(VK_CONTROL) & 0x8000)) {
        MoveFocus(!(::GetKeyState(VK_SHIFT) & 0x8000));
        return true;
    }
    if (key == VK_RETURN && !dropped) {
        if (focused && std::strcmp(focused->Kind(), "Button") == 0) guard_.Run([&] { focused->ProbeClick(); });
        return true;
    }
    return key == VK_ESCAPE && !dropped;
}

int Form::ShowModal() {
    if (!hwnd_) return kModalCancel;  // the window was destroyed from outside
    modalResult_ = kModalNone;
    if (onShow) onShow();
    // Active again afterwards: the window that was, else the owner.
    HWND previous = ::GetActiveWindow();
    if (!previous || previous == hwnd_.get()) previous = ::GetWindow(hwnd_.get(), GW_OWNER);
    // Every other window of the thread stops taking input while the form is up.
    ThreadWindows collect{hwnd_.get(), {}, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&collect));
    collect.guard.Rethrow();
    const std::vector<HWND>& disabled = collect.windows;
    for (HWND h : disabled) ::EnableWindow(h, FALSE);

    inModalLoop_ = true;
    ::ShowWindow(hwnd_.get(), SW_SHOW);
    ::SetForegroundWindow(hwnd_.get());
    WinControl* first = active_;
    if (!first) {
        for (WinControl* c : tabOrder_)
            if (c->Visible() && c->Enabled()) {
                first = c;
                break;
            }
    }
    if (first) first->Focus();
    ::UpdateWindow(hwnd_.get());  // the form, then each of its child windows
    LARGE_INTEGER painted;
    ::QueryPerformanceCounter(&painted);
    paintedCounter_ = painted.QuadPart;

    MSG msg;
    while (modalResult_ == kModalNone && !guard_.Failed()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: leave it for the host's own loop
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            modalResult_ = kModalCancel;
            break;
        }
        if (got < 0) break;
        if (msg.message == ProbeMessage()) continue;  // a probe is sent, never posted
        if (PreTranslate(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    inModalLoop_ = false;

    for (HWND h : disabled)
        if (::IsWindow(h)) ::EnableWindow(h, TRUE);
    if (hwnd_) ::ShowWindow(hwnd_.get(), SW_HIDE);
    if (previous && ::IsWindow(previous) && previous != hwnd_.get()) ::SetActiveWindow(previous);
    if (guard_.Failed()) {
        DestroyHandle();
        guard_.Rethrow();
    }
    return modalResult_ == kModalNone ? kModalCancel : modalResult_;
}

// The form and its graphic controls are drawn into a bitmap of the dirty
// rectangle and copied onto the window at once: a stretched copy or a line of
// text onto the window itself costs much more than into memory, and the
// author sees no half-drawn dialog. Where no bitmap can be had, they are
// drawn onto the window directly.
void Form::Paint() {
    {
        PaintScope ps(hwnd_.get());
        const RECT& dirty = ps.info().rcPaint;
        const int width = dirty.right - dirty.left, height = dirty.bottom - dirty.top;
        if (width > 0 && height > 0) {
            UniqueBitmap buffer(::CreateCompatibleBitmap(ps.dc(), width, height));
            const MemoryDc memory(ps.dc(), buffer.get());
            if (buffer && memory) {
                ::SetViewportOrgEx(memory.get(), -dirty.left, -dirty.top, nullptr);
                ::FillRect(memory.get(), &dirty, ::GetSysColorBrush(COLOR_BTNFACE));  // what erasing gave
                PaintOnto(memory.get(), dirty);
                ::BitBlt(ps.dc(), dirty.left, dirty.top, width, height, memory.get(), dirty.left, dirty.top, SRCCOPY);
            } else {
                ::FillRect(ps.dc(), &dirty, ::GetSysColorBrush(COLOR_BTNFACE));
                PaintOnto(ps.dc(), dirty);
            }
        }
    }
    if (paints_++ == 0) {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        firstPaintCounter_ = now.QuadPart;
        ::SetPropW(hwnd_.get(), kFirstPaintProperty, reinterpret_cast<HANDLE>(1));
        ::PostMessageW(hwnd_.get(), kHintsOnMessage, 0, 0);
    }
}

void Form::PaintOnto(HDC dc, const RECT& dirty) {
    if (onPaint) {
        SavedDc saved(dc);
        guard_.Run([&] { onPaint(dc); });
    }
    for (const auto& c : controls_) {
        auto* g = dynamic_cast<GraphicControl*>(c.get());
        if (!g || !g->Visible()) continue;
        const RECT b = g->PaintArea().ToRECT();
        RECT both;
        if (!::IntersectRect(&both, &b, &dirty)) continue;
        SavedDc saved(dc);
        ::IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
        guard_.Run([&] { g->Paint(dc); });
    }
}

// The probe request behind lParam, or null when it is not one to answer: it
// must be sent by this thread (not posted, not from another thread or
// process), lie wholly in the live part of this thread's stack (the sender's
// frame, above ours), and carry the right size and magic.
ControlProbe* Form::TrustedProbe(LPARAM lp) const {
    if (::InSendMessageEx(nullptr) != ISMEX_NOSEND) return nullptr;
    if (::GetWindowThreadProcessId(hwnd_.get(), nullptr) != ::GetCurrentThreadId()) return nullptr;
    const auto* tib = reinterpret_cast<const NT_TIB*>(::NtCurrentTeb());
    const auto here = reinterpret_cast<uintptr_t>(&tib);
    const auto base = reinterpret_cast<uintptr_t>(tib->StackBase);
    const auto at = static_cast<uintptr_t>(lp);
    if (at <= here || at >= base || base - at < sizeof(ControlProbe)) return nullptr;
    auto* p = reinterpret_cast<ControlProbe*>(at);
    if (p->size != sizeof(ControlProbe) || p->magic != ControlProbe::kMagic) return nullptr;
    return p;
}

bool Form::Probe(ControlProbe& p) {
    if (p.op == ControlProbe::kForm) {
        p.found = 1;
        p.paints = paints_;
        p.firstPaintCounter = firstPaintCounter_;
        p.paintedCounter = paintedCounter_;
        p.modalResult = modalResult_;
        std::strncpy(p.text, caption_.c_str(), sizeof p.text - 1);
        p.width = clientWidth_;
        p.height = clientHeight_;
        p.dpi = dpi_;
        return true;
    }
    p.name[sizeof p.name - 1] = '\0';
    Control* c = Find(p.name);
    if (!c) return false;
    if (p.op == ControlProbe::kClick) guard_.Run([&] { c->ProbeClick(); });
    if (p.op == ControlProbe::kSelect) guard_.Run([&] { c->ProbeSelect(p); });
    c->FillProbe(p);
    return true;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form || !form->hwnd_ || form->hwnd_.get() != hwnd) return ::DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    form->guard_.Run([&] { result = form->HandleMessage(msg, wp, lp); });
    return result;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const HWND self = hwnd_.get();
    if (msg == ProbeMessage() && msg != 0) {
        ControlProbe* p = TrustedProbe(lp);
        return p && Probe(*p) ? 1 : 0;
    }
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayToTooltip(msg, wp, lp);
    switch (msg) {
    case kHintsOnMessage:
        EnableHints();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint fills the background itself
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_COMMAND:
        if (lp) {
            if (WinControl* c = ByHandle(reinterpret_cast<HWND>(lp))) c->Command(HIWORD(wp));
            return 0;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lp) {
            if (WinControl* c = ByHandle(reinterpret_cast<HWND>(lp))) c->Scroll();
            return 0;
        }
        break;
    case WM_MEASUREITEM:
        if (WinControl* c = ById(static_cast<int>(wp)))
            if (c->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (WinControl* c = ById(static_cast<int>(wp)))
            if (c->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const HDC dc = reinterpret_cast<HDC>(wp);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        if (WinControl* c = ByHandle(reinterpret_cast<HWND>(lp))) ::SetTextColor(dc, ResolveColor(c->FontColor()));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR: {
        bool hand = false;
        if (reinterpret_cast<HWND>(wp) == self) {
            if (LOWORD(lp) == HTCLIENT) {
                POINT pt;
                ::GetCursorPos(&pt);
                ::ScreenToClient(self, &pt);
                GraphicControl* g = GraphicAt(pt.x, pt.y);
                hand = g && g->HandCursor();
            }
        } else if (WinControl* c = ByHandle(reinterpret_cast<HWND>(wp))) {
            hand = c->HandCursor();
        }
        if (hand) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE:
        TrackMouse(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_MOUSELEAVE:
        if (GraphicControl* was = std::exchange(hover_, nullptr)) was->MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        GraphicControl* g = GraphicAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        if (g && g->Enabled()) {
            pressed_ = g;
            ::SetCapture(self);
            g->MouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (GraphicControl* g = std::exchange(pressed_, nullptr)) {
            ::ReleaseCapture();
            const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
            g->MouseUp(x, y, g->Bounds().Contains(x, y));
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != self) pressed_ = nullptr;
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            const HWND f = ::GetFocus();
            if (f && ::IsChild(self, f)) savedFocus_ = f;
        } else if (savedFocus_ && ::IsWindow(savedFocus_)) {
            ::SetFocus(savedFocus_);
            return 0;
        }
        break;
    case WM_DESTROY:
        // Destroyed from outside (our own destruction releases hwnd_ first):
        // forget the handle and end the modal loop as cancelled.
        ::RemovePropW(self, kFirstPaintProperty);
        hwnd_.release();
        tooltip_ = nullptr;
        hover_ = pressed_ = nullptr;
        if (modalResult_ == kModalNone) modalResult_ = kModalCancel;
        break;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_SETTINGCHANGE: {
        const LRESULT r = ::DefWindowProcW(self, msg, wp, lp);
        for (const auto& c : controls_) c->SettingChange();
        return r;
    }
    default:
        break;
    }
    return ::DefWindowProcW(self, msg, wp, lp);
}

}  // namespace hq::ui
