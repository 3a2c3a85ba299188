// Time from hqEditAction until the dialog has painted with every control, for
// the largest dialog (TMBox11Form), TMBox12Form and the dialog with the most
// windowless controls, through the stand-in host and the real plug-in file;
// against it, in the same run, a bare Win32 window that creates the same
// controls with CreateWindowExW and is shown and updated (the window, then
// each child window). Also TGradient::RebuildPattern on a real DIB against
// memset of the same pixels, and where a dialog's opening goes, in process.
// The last line is "goal met" or "goal missed: ..." with what missed.
//   bench_editor_first_paint.exe [PLUGIN] [rounds]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/handles.h"
#include "form/gradient.h"
#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "editors/editor_table.h"
#include "hqhost.h"
#include "form/probe.h"

namespace {

int64_t g_firstPaint = 0, g_painted = 0;
int g_formDpi = 0;  // the DPI the last dialog was drawn at

BOOL CALLBACK FindForm(HWND h, LPARAM lp) {
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (std::wcscmp(cls, hq::ui::kFormClassName) == 0 && ::GetPropW(h, hq::ui::kFirstPaintProperty)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND form = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindForm, reinterpret_cast<LPARAM>(&form));
    if (!form) return;
    hq::ui::ControlProbe p;
    p.op = hq::ui::ControlProbe::kForm;
    ::SendMessageW(form, hq::ui::ProbeMessage(), 0, reinterpret_cast<LPARAM>(&p));
    if (!p.paintedCounter) return;
    g_firstPaint = p.firstPaintCounter;
    g_painted = p.paintedCounter;
    g_formDpi = p.dpi;
    ::PostMessageW(form, WM_CLOSE, 0, 0);
}

double Ms(int64_t ticks) {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

// Returns the worst ratio. A sample repeats each call over about 64K pixels,
// so that a small pattern's time is many counter ticks, not one or two.
double GradientRebuilds(int rounds) {
    hq::ui::Form form("bench", 100, 100);
    hq::TGradient& g = form.Add<hq::TGradient>("Gradient1", hq::ui::Rect{0, 0, 100, 100});
    double worst = 0;
    for (int s = 1; s < hq::kGradientStyleCount; ++s) {
        g.SetStyle(static_cast<hq::GradientStyle>(s));
        const size_t n = static_cast<size_t>(g.Pattern().Width()) * g.Pattern().Height();
        const int repeat = static_cast<int>(std::max<size_t>(1, 65536 / n));
        LARGE_INTEGER t0, t1;
        int64_t rebuild = INT64_MAX, fill = INT64_MAX;
        for (int r = 0; r < rounds; ++r) {
            ::QueryPerformanceCounter(&t0);
            for (int k = 0; k < repeat; ++k) g.RebuildPattern();
            ::QueryPerformanceCounter(&t1);
            rebuild = std::min<int64_t>(rebuild, t1.QuadPart - t0.QuadPart);
            ::QueryPerformanceCounter(&t0);
            for (int k = 0; k < repeat; ++k) std::memset(g.Pattern().Pixels(), (r + k) & 0x7F, n * 4);
            ::QueryPerformanceCounter(&t1);
            fill = std::min<int64_t>(fill, t1.QuadPart - t0.QuadPart);
        }
        const double ratio = static_cast<double>(rebuild) / static_cast<double>(std::max<int64_t>(fill, 1));
        worst = std::max(worst, ratio);
        std::printf("style %2d  %6zu px  rebuild %8.4f ms  memset %8.4f ms  ratio %6.2f\n", s, n,
                    Ms(rebuild) / repeat, Ms(fill) / repeat, ratio);
    }
    std::printf("RebuildPattern worst ratio %.2f (goal <= 5): %s\n", worst, worst <= 5 ? "met" : "missed");
    return worst;
}

// Where the opening time goes, inside this process: building the form and its
// controls, showing it, and its first paint, for the full design of the largest
// dialog and for the same design with one part taken out at a time. The
// thread is DPI aware as in the plug-in's export, so the form is laid out at
// the display's DPI.
void Phases(int rounds) {
    const hq::DpiAwareScope aware;
    using hq::editors::DialogDesign;
    const DialogDesign& full = hq::editors::MBox11Design();
    DialogDesign noSections = full, noControls = full, noHints = full, noWindowed = full;
    noSections.sections.clear();
    noControls.controls.clear();
    noControls.tabOrder.clear();
    noControls.formCreate = nullptr;
    noControls.formShow = nullptr;
    for (auto& c : noHints.controls) c.hint.clear();
    std::erase_if(noWindowed.controls, [](const hq::editors::ControlDecl& c) {
        return c.kind != hq::editors::ControlKind::Label && c.kind != hq::editors::ControlKind::SpeedButton;
    });
    noWindowed.tabOrder.clear();
    noWindowed.formCreate = nullptr;
    noWindowed.formShow = nullptr;
    const struct {
        const char* what;
        const DialogDesign* design;
    } variants[] = {{"TMBox11Form", &full},
                    {"  without section strips", &noSections},
                    {"  without its controls", &noControls},
                    {"  without hints (no tooltip tools)", &noHints},
                    {"  without windowed controls", &noWindowed}};
    for (const auto& v : variants) {
        double build = 0, show = 0, paint = 0;
        for (int r = 0; r < rounds; ++r) {
            LARGE_INTEGER t0, t1, t2, t3;
            ::QueryPerformanceCounter(&t0);
            hq::editors::EditorForm form(*v.design);
            ::QueryPerformanceCounter(&t1);
            ::ShowWindow(form.Handle(), SW_SHOW);
            ::QueryPerformanceCounter(&t2);
            ::UpdateWindow(form.Handle());
            ::QueryPerformanceCounter(&t3);
            build += Ms(t1.QuadPart - t0.QuadPart);
            show += Ms(t2.QuadPart - t1.QuadPart);
            paint += Ms(t3.QuadPart - t2.QuadPart);
            ::ShowWindow(form.Handle(), SW_HIDE);
        }
        std::printf("in process, %-36s building %7.2f ms, showing %7.2f ms, first paint %7.2f ms (means)\n", v.what,
                    build / rounds, show / rounds, paint / rounds);
    }
}

// ---- the bare Win32 baseline

int64_t g_bareFirstPaint = 0;

LRESULT CALLBACK BareProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        ::BeginPaint(h, &ps);
        ::FillRect(ps.hdc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ::EndPaint(h, &ps);
        if (!g_bareFirstPaint) {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            g_bareFirstPaint = now.QuadPart;
        }
        return 0;
    }
    return ::DefWindowProcW(h, m, w, l);
}

const wchar_t* BareClass(hq::editors::ControlKind kind, DWORD& style) {
    using K = hq::editors::ControlKind;
    switch (kind) {
        case K::Edit: style |= ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP; return L"EDIT";
        case K::Label: return L"STATIC";
        case K::Radio: style |= BS_AUTORADIOBUTTON | WS_TABSTOP; return L"BUTTON";
        case K::Check: style |= BS_AUTOCHECKBOX | WS_TABSTOP; return L"BUTTON";
        case K::Combo: style |= CBS_DROPDOWNLIST | WS_TABSTOP; return L"COMBOBOX";
        case K::Slider: style |= WS_TABSTOP; return TRACKBAR_CLASSW;
        case K::SpeedButton: style |= BS_PUSHBUTTON; return L"BUTTON";
    }
    return L"STATIC";
}

// One opening: until the window's own first paint, and until it and every
// child window had painted.
struct Opening {
    double firstPaint = 0, painted = 0;
};

// `v` in 96-DPI units at `dpi`, as the form scales it, written out here so the
// baseline does not lean on the form layer.
int AtDpi(int v, int dpi) { return ::MulDiv(v, dpi, hq::kDesignDpi); }

// A plain window of the dialog's size holding the design's controls (and the
// two buttons) as system controls, shown and updated; destroyed again. It is
// laid out as the form is: the thread in the same DPI awareness as the
// plug-in's export sets, the window's DPI read once it exists, the client
// area, every rectangle (by its edges) and every font height scaled to it.
Opening BareOpening(const hq::editors::DialogDesign& design, int& dpi) {
    static const ATOM atom = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &BareProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HqBareBaseline";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        return ::RegisterClassW(&wc);
    }();
    (void)atom;
    const int clientWidth = hq::editors::EditorForm::kClientWidth, clientHeight = design.height;
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    const hq::DpiAwareScope aware;
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, exStyle = WS_EX_DLGMODALFRAME;
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    hq::UniqueWindow top(::CreateWindowExW(exStyle, L"HqBareBaseline", L"Baseline", style, 100, 100, r.right - r.left,
                                           r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    dpi = hq::WindowDpi(top.get());
    RECT client{}, window{};
    ::GetClientRect(top.get(), &client);
    ::GetWindowRect(top.get(), &window);
    ::SetWindowPos(top.get(), nullptr, 0, 0,
                   AtDpi(clientWidth, dpi) + (window.right - window.left) - client.right,
                   AtDpi(clientHeight, dpi) + (window.bottom - window.top) - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // One font per height and weight, as the form keeps them.
    std::map<std::pair<int, bool>, hq::UniqueFont> fonts;
    auto font = [&](const hq::ui::FontSpec& f) {
        hq::UniqueFont& slot = fonts[{f.height, f.bold}];
        if (!slot)
            slot.reset(::CreateFontW(-AtDpi(f.height, dpi), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, L"Arial"));
        return slot.get();
    };
    auto add = [&](const wchar_t* cls, DWORD style, const hq::ui::Rect& b, const std::wstring& text,
                   const hq::ui::FontSpec& f) {
        const int left = AtDpi(b.left, dpi), topEdge = AtDpi(b.top, dpi);
        HWND c = ::CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, left, topEdge,
                                   AtDpi(b.left + b.width, dpi) - left, AtDpi(b.top + b.height, dpi) - topEdge,
                                   top.get(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font(f)), FALSE);
    };
    for (const hq::editors::ControlDecl& d : design.controls) {
        DWORD style = 0;
        const wchar_t* cls = BareClass(d.kind, style);
        std::wstring text(d.text.begin(), d.text.end());
        add(cls, style, d.bounds, text, d.font.value_or(hq::ui::FontSpec{}));
    }
    // The form's OK and Cancel buttons.
    add(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, hq::ui::Rect{250, design.height - 34, 69, 25}, L"OK", {12});
    add(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, hq::ui::Rect{322, design.height - 34, 69, 25}, L"Cancel", {12});
    g_bareFirstPaint = 0;
    ::ShowWindow(top.get(), SW_SHOW);
    ::UpdateWindow(top.get());  // the window, then each child window
    ::QueryPerformanceCounter(&t1);
    top.reset();  // the children go with it, before their fonts
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    return {Ms(g_bareFirstPaint - t0.QuadPart), Ms(t1.QuadPart - t0.QuadPart)};
}

struct Figures {
    double min, median, max;
};

Figures Summary(const std::vector<Opening>& openings, double Opening::*field) {
    std::vector<double> times;
    for (const Opening& o : openings) times.push_back(o.*field);
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

// hqEditAction -> the dialog of `id` painted, `rounds` times; the timer
// closes each dialog once it has painted.
std::vector<Opening> OpenThroughTheHost(hqhost::Host& host, int id, size_t parameters, int rounds) {
    std::vector<Opening> openings;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5, &Tick);
    for (int r = 0; r < rounds; ++r) {
        std::vector<std::string> slots(parameters);
        g_firstPaint = g_painted = 0;
        LARGE_INTEGER start;
        ::QueryPerformanceCounter(&start);
        host.Edit(id, slots);
        if (g_firstPaint && g_painted)
            openings.push_back({Ms(g_firstPaint - start.QuadPart), Ms(g_painted - start.QuadPart)});
    }
    ::KillTimer(nullptr, timer);
    return openings;
}

size_t ParameterCount(const hq::editors::DialogDesign& design) {
    int n = 0;
    for (const auto& c : design.controls) n = std::max(n, c.holds);
    return static_cast<size_t>(n);
}

// Controls without a window of their own: each section's four strips and
// title, the info panel's icon and two labels, and the design's labels and
// pick buttons.
int WindowlessControls(const hq::editors::DialogDesign& design) {
    int n = static_cast<int>(design.sections.size()) * 5 + 3;
    for (const auto& c : design.controls)
        if (c.kind == hq::editors::ControlKind::Label || c.kind == hq::editors::ControlKind::SpeedButton) ++n;
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    const char* plugin = argc > 1 ? argv[1] : "zeZoreredur.hqp";
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    std::vector<std::string> missed;
    if (GradientRebuilds(rounds * 5) > 5) missed.push_back("RebuildPattern");
    Phases(rounds);

    hqhost::Host& host = hqhost::Host::Instance();
    if (!host.Load(plugin)) {
        std::printf("cannot load %s\n", plugin);
        return 1;
    }
    using hq::editors::kEditorTable;
    const hq::editors::EditorRow* windowless = &kEditorTable[0];
    for (const auto& row : kEditorTable)
        if (WindowlessControls(row.design()) > WindowlessControls(windowless->design())) windowless = &row;
    struct Measured {
        const hq::editors::EditorRow* row;
        const char* why;
    };
    std::vector<Measured> dialogs = {{hq::editors::FindEditor(41), "the largest"}, {hq::editors::FindEditor(1), ""}};
    if (windowless->id != 41 && windowless->id != 1) dialogs.push_back({windowless, "the most windowless controls"});
    else dialogs.front().why = "the largest, also the most windowless controls";
    std::set<int> dpis;  // every DPI a dialog or a bare window was drawn at
    for (const Measured& m : dialogs) {
        const hq::editors::DialogDesign& design = m.row->design();
        // One opening of each in turn, so that a machine busy with other
        // work slows both alike.
        std::vector<Opening> form, bare;
        int bareDpi = 0;
        for (int r = 0; r < rounds; ++r) {
            for (const Opening& o : OpenThroughTheHost(host, m.row->id, ParameterCount(design), 1)) form.push_back(o);
            bare.push_back(BareOpening(design, bareDpi));
        }
        if (form.empty()) {
            std::printf("%s never painted\n", m.row->dialogClass);
            return 1;
        }
        // Both must be laid out at one scale, or the comparison means nothing.
        if (g_formDpi != bareDpi) {
            std::printf("%s drawn at DPI %d, the bare window at DPI %d\n", m.row->dialogClass, g_formDpi, bareDpi);
            missed.push_back(std::string(m.row->dialogClass) + " DPI");
        }
        dpis.insert(g_formDpi);
        dpis.insert(bareDpi);
        const Figures f = Summary(form, &Opening::painted), b = Summary(bare, &Opening::painted);
        const Figures f1 = Summary(form, &Opening::firstPaint), b1 = Summary(bare, &Opening::firstPaint);
        const double adds = 100.0 * (f.median / b.median - 1.0);
        std::printf("%s (ID %d%s%s, %d windowless controls), %zu openings:\n", m.row->dialogClass, m.row->id,
                    *m.why ? ", " : "", m.why, WindowlessControls(design), form.size());
        std::printf("  hqEditAction -> painted with every control: min %.2f ms, median %.2f ms, max %.2f ms\n", f.min,
                    f.median, f.max);
        std::printf("  bare Win32 window with the same controls:   min %.2f ms, median %.2f ms, max %.2f ms\n", b.min,
                    b.median, b.max);
        std::printf("  the form layer adds %.0f %% to the median (goal <= 30 %%): %s\n", adds,
                    adds <= 30 ? "met" : "missed");
        std::printf("  (the window's own first paint: form median %.2f ms, bare median %.2f ms)\n", f1.median,
                    b1.median);
        if (adds > 30) missed.push_back(m.row->dialogClass);
    }
    host.Unload();
    std::string dpiList;
    for (int d : dpis) dpiList += (dpiList.empty() ? "" : ", ") + std::to_string(d);
    std::printf("DPI %s (%d %%)\n", dpiList.c_str(), *dpis.begin() * 100 / hq::kDesignDpi);
    if (missed.empty()) {
        std::printf("goal met\n");
    } else {
        std::string list;
        for (const std::string& m : missed) list += (list.empty() ? "" : ", ") + m;
        std::printf("goal missed: %s\n", list.c_str());
    }
    return 0;
}
