// Time from hqEditAction to the first completed paint of TMBox12Form and of
// the largest dialog, TMBox11Form, through the stand-in host and the real
// plug-in file; against it, a bare Win32 window that creates the same
// controls with CreateWindowExW and paints once, in the same run. Also
// TGradient::RebuildPattern on a real DIB against memset of the same pixels.
//   bench_editor_first_paint.exe [PLUGIN] [rounds]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "form/gradient.h"
#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "hqhost.h"
#include "form/probe.h"

namespace {

int64_t g_firstPaint = 0;

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
    g_firstPaint = p.firstPaintCounter;
    ::PostMessageW(form, WM_CLOSE, 0, 0);
}

double Ms(int64_t ticks) {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

void GradientRebuilds(int rounds) {
    hq::ui::Form form("bench", 100, 100);
    hq::TGradient& g = form.Add<hq::TGradient>("Gradient1", hq::ui::Rect{0, 0, 100, 100});
    std::vector<uint32_t> buffer(512 * 512);
    double worst = 0;
    for (int s = 1; s < hq::kGradientStyleCount; ++s) {
        g.SetStyle(static_cast<hq::GradientStyle>(s));
        const size_t n = static_cast<size_t>(g.Pattern().Width()) * g.Pattern().Height();
        LARGE_INTEGER t0, t1;
        int64_t rebuild = INT64_MAX, fill = INT64_MAX;
        for (int r = 0; r < rounds; ++r) {
            ::QueryPerformanceCounter(&t0);
            g.RebuildPattern();
            ::QueryPerformanceCounter(&t1);
            rebuild = std::min<int64_t>(rebuild, t1.QuadPart - t0.QuadPart);
            ::QueryPerformanceCounter(&t0);
            std::memset(g.Pattern().Pixels(), r & 0x7F, n * 4);
            ::QueryPerformanceCounter(&t1);
            fill = std::min<int64_t>(fill, t1.QuadPart - t0.QuadPart);
        }
        const double ratio = static_cast<double>(rebuild) / static_cast<double>(std::max<int64_t>(fill, 1));
        worst = std::max(worst, ratio);
        std::printf("style %2d  %6zu px  rebuild %8.3f ms  memset %8.3f ms  ratio %6.2f\n", s, n, Ms(rebuild),
                    Ms(fill), ratio);
    }
    std::printf("RebuildPattern worst ratio %.2f (goal <= 5)\n", worst);
}

// Where the opening time goes, inside this process: building the form and its
// controls, showing it, and its first paint, for the full design of the largest
// dialog and for the same design with one part taken out at a time.
void Phases(int rounds) {
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

bool g_barePainted = false;

LRESULT CALLBACK BareProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        ::BeginPaint(h, &ps);
        ::FillRect(ps.hdc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ::EndPaint(h, &ps);
        g_barePainted = true;
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

// Opens a plain window of the dialog's size holding the design's controls
// (and the two buttons) as system controls, and returns the time to its
// first paint; the window is destroyed again.
double BareFirstPaint(const hq::editors::DialogDesign& design) {
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
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    RECT r{0, 0, 399, design.height};
    ::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    HWND top = ::CreateWindowExW(WS_EX_DLGMODALFRAME, L"HqBareBaseline", L"Baseline", WS_CAPTION | WS_SYSMENU, 100,
                                 100, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    auto add = [&](const wchar_t* cls, DWORD style, const hq::ui::Rect& b, const std::wstring& text) {
        HWND c = ::CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.left, b.top, b.width,
                                   b.height, top, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    };
    for (const hq::editors::ControlDecl& d : design.controls) {
        DWORD style = 0;
        const wchar_t* cls = BareClass(d.kind, style);
        std::wstring text(d.text.begin(), d.text.end());
        add(cls, style, d.bounds, text);
    }
    add(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, hq::ui::Rect{224, design.height - 33, 75, 25}, L"OK");
    add(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, hq::ui::Rect{308, design.height - 33, 75, 25}, L"Cancel");
    g_barePainted = false;
    ::ShowWindow(top, SW_SHOW);
    MSG m;
    while (!g_barePainted && ::GetMessageW(&m, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    ::QueryPerformanceCounter(&t1);
    ::DestroyWindow(top);
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    return Ms(t1.QuadPart - t0.QuadPart);
}

struct Figures {
    double min, median, max;
};

Figures Summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

// hqEditAction -> first paint of the dialog of `id`, `rounds` times.
std::vector<double> OpenThroughTheHost(hqhost::Host& host, int id, std::vector<std::string> params, int rounds) {
    std::vector<double> times;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5, &Tick);
    for (int r = 0; r < rounds; ++r) {
        std::vector<std::string> slots = params;
        g_firstPaint = 0;
        LARGE_INTEGER start;
        ::QueryPerformanceCounter(&start);
        host.Edit(id, slots);
        if (g_firstPaint) times.push_back(Ms(g_firstPaint - start.QuadPart));
    }
    ::KillTimer(nullptr, timer);
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    const char* plugin = argc > 1 ? argv[1] : "zeZoreredur.hqp";
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    GradientRebuilds(rounds * 5);
    Phases(rounds);

    hqhost::Host& host = hqhost::Host::Instance();
    if (!host.Load(plugin)) {
        std::printf("cannot load %s\n", plugin);
        return 1;
    }
    const std::vector<double> small = OpenThroughTheHost(host, 1, {"C:\\shot.jpg", "85"}, rounds);
    const std::vector<double> large = OpenThroughTheHost(
        host, 41, {"C:\\a.bmp", "C:\\b.bmp", "0", "0", "Tr", "128", "", "Jpg", "75", "C:\\c.jpg"}, rounds);
    host.Unload();
    if (small.empty() || large.empty()) {
        std::printf("a dialog never painted\n");
        return 1;
    }
    std::vector<double> bare;
    for (int r = 0; r < rounds; ++r) bare.push_back(BareFirstPaint(hq::editors::MBox11Design()));
    const Figures s = Summary(small), l = Summary(large), b = Summary(bare);
    std::printf("hqEditAction -> first paint of TMBox12Form over %zu openings: min %.2f ms, median %.2f ms, max %.2f ms\n",
                small.size(), s.min, s.median, s.max);
    std::printf("hqEditAction -> first paint of TMBox11Form over %zu openings: min %.2f ms, median %.2f ms, max %.2f ms "
                "(goal: median <= 16 ms)\n",
                large.size(), l.min, l.median, l.max);
    std::printf("bare Win32 window with the same controls (CreateWindowExW): min %.2f ms, median %.2f ms, max %.2f ms\n",
                b.min, b.median, b.max);
    std::printf("the form layer adds %.0f %% to the median (goal <= 30 %%)\n", 100.0 * (l.median / b.median - 1.0));
    return 0;
}
