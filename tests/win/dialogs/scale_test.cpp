// The dialogs at the display's scale: every property dialog and the About box
// laid out at the DPI of the display (the design's client size, rectangles
// and fonts times dpi/96), a dialog moved to a monitor of another DPI laid out
// again without losing what the author typed, and the thread's DPI awareness
// handed back to the host on every path. The suite runs this at 96 DPI;
// win_dialogs_144 runs it again on a display scaled to 150 %.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "dialog_test.h"
#include "editors/editor_table.h"
#include "import_patch.h"
#include "plugin/catalogue.h"

namespace {

using hq::editors::ControlDecl;
using hq::editors::ControlKind;
using hq::ui::ControlProbe;
using hq::ui::Rect;
using hqhost::Host;
using hqtest::Driver;
using hqtest::OpenForm;

// The DPI the run was started at (HQ_EXPECT_DPI, 96 without it).
int DisplayDpi() {
    const char* v = std::getenv("HQ_EXPECT_DPI");
    return v && *v ? std::atoi(v) : 96;
}

// A design rectangle at `dpi`, by its edges as the form scales it.
Rect At(const Rect& r, int dpi) {
    const int left = ::MulDiv(r.left, dpi, 96), top = ::MulDiv(r.top, dpi, 96);
    return Rect{left, top, ::MulDiv(r.right(), dpi, 96) - left, ::MulDiv(r.bottom(), dpi, 96) - top};
}

// What one control of a design must show at a DPI.
struct Expected {
    std::string name;
    Rect design;
    int fontHeight;   // 96-DPI pixels
    bool sized;       // false: an auto-sized label, whose size follows its text
    bool windowed;
    bool combo = false;
    bool option = false;  // a radio button or check box: widened where its caption needs it
};

std::vector<Expected> ExpectedControls(const hq::editors::DialogDesign& d) {
    std::vector<Expected> out;
    for (const ControlDecl& c : d.controls) {
        const bool windowed = c.kind != ControlKind::Label && c.kind != ControlKind::SpeedButton;
        const bool sized = c.kind != ControlKind::Label || c.fixedSize;
        out.push_back({c.name, c.bounds, c.font ? c.font->height : 13, sized, windowed, c.kind == ControlKind::Combo,
                       c.kind == ControlKind::Radio || c.kind == ControlKind::Check});
    }
    out.push_back({"Button1", {250, d.height - 34, 69, 25}, 12, true, true});
    out.push_back({"Button2", {322, d.height - 34, 69, 25}, 12, true, true});
    return out;
}

// The width of a button's caption in its own font, or in Arial of a height.
int CaptionWidth(HWND button, int arialHeight = 0) {
    wchar_t text[256] = {};
    const int n = ::GetWindowTextW(button, text, 256);
    const HFONT arial = arialHeight ? ::CreateFontW(-arialHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                                    DEFAULT_CHARSET, 0, 0, 0, DEFAULT_PITCH | FF_SWISS, L"Arial")
                                    : nullptr;
    const HDC dc = ::GetDC(button);
    const HGDIOBJ old =
        ::SelectObject(dc, arial ? arial : reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, n, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(button, dc);
    if (arial) ::DeleteObject(arial);
    return size.cx;
}

// Checks each control of the open form against its design at `dpi`: its
// place as the form reports it and, for a control with a window, the
// window's own place and the height of the font it was given (±1 pixel for
// the rounding of a scaled edge).
void ExpectControlsAt(const OpenForm& f, const std::vector<Expected>& controls, int dpi) {
    EXPECT_EQ(f.Form().dpi, dpi);
    for (const Expected& e : controls) {
        SCOPED_TRACE(e.name);
        const ControlProbe p = f.Query(e.name);
        const Rect want = At(e.design, dpi);
        EXPECT_NEAR(p.left, want.left, 1);
        EXPECT_NEAR(p.top, want.top, 1);
        if (e.sized) {
            if (e.option) {
                EXPECT_GE(p.width, want.width - 1);
            } else {
                EXPECT_NEAR(p.width, want.width, 1);
            }
            EXPECT_NEAR(p.height, want.height, 1);
        }
        EXPECT_EQ(p.fontHeight, ::MulDiv(e.fontHeight, dpi, 96));
        if (!e.windowed) continue;
        RECT w{};
        ::GetWindowRect(p.hwnd, &w);
        ::MapWindowPoints(nullptr, f.hwnd(), reinterpret_cast<POINT*>(&w), 2);
        EXPECT_EQ(w.left, p.left);
        EXPECT_EQ(w.top, p.top);
        EXPECT_EQ(w.right - w.left, p.width);
        if (!e.combo) {  // a combo box's window reaches over its list
            EXPECT_EQ(w.bottom - w.top, p.height);
        }
        if (std::string(p.kind) == "TrackBar") continue;  // a slider has no text and keeps no font
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(p.hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -::MulDiv(e.fontHeight, dpi, 96));
        if (e.option) {  // the room beside the caption is the design's at this scale, or the button reaches the edge
            RECT client{};
            ::GetClientRect(f.hwnd(), &client);
            const int room = ::MulDiv(e.design.width - CaptionWidth(p.hwnd, e.fontHeight), dpi, 96);
            EXPECT_TRUE(p.left + p.width >= client.right || CaptionWidth(p.hwnd) + room <= p.width)
                << CaptionWidth(p.hwnd) << " + " << room << " > " << p.width;
        }
    }
}

// The client size and every control at `dpi`.
void ExpectLaidOutAt(const OpenForm& f, int clientWidth, int clientHeight, const std::vector<Expected>& controls,
                     int dpi) {
    RECT client{};
    ::GetClientRect(f.hwnd(), &client);
    const Rect size = At(Rect{0, 0, clientWidth, clientHeight}, dpi);
    EXPECT_NEAR(client.right, size.width, 1);
    EXPECT_NEAR(client.bottom, size.height, 1);
    ExpectControlsAt(f, controls, dpi);
}

class DialogScale : public hqtest::DialogTest {
protected:
    void GiveEmpty(int id) { Give(std::vector<std::string>(static_cast<size_t>(hq::FindAction(id)->count), "")); }
};

TEST_F(DialogScale, EveryDialogAndTheAboutBoxIsLaidOutAtTheDisplayDpi) {
    const int dpi = DisplayDpi();
    for (const hq::editors::EditorRow& row : hq::editors::kEditorTable) {
        SCOPED_TRACE("dialog of ID " + std::to_string(row.id));
        const hq::editors::DialogDesign& design = row.design();
        const std::vector<Expected> controls = ExpectedControls(design);
        GiveEmpty(row.id);
        Driver d([&](OpenForm& f) {
            ExpectLaidOutAt(f, 399, design.height, controls, dpi);
            f.Cancel();
        });
        Edit(row.id);
        ASSERT_TRUE(d.Ran());
    }
    SCOPED_TRACE("the About box");
    Driver d([&](OpenForm& f) {
        ExpectLaidOutAt(f, 204, 185,
                        {{"Image1", {8, 8, 188, 132}, 13, true, false},
                         {"Label2", {8, 152, 0, 0}, 13, false, false},
                         {"Button1", {123, 150, 73, 29}, 13, true, true}},
                        dpi);
        f.Click("Button1");
    });
    host().About();
    EXPECT_TRUE(d.Ran());
}

TEST_F(DialogScale, MovingToAMonitorOfAnotherDpiLaysTheDialogOutAgainAndKeepsItsFields) {
    const hq::editors::DialogDesign& design = hq::editors::FindEditor(1)->design();
    const std::vector<Expected> controls = ExpectedControls(design);
    const RECT suggested{-700, 40, -700 + 830, 40 + 600};  // on a monitor left of the primary
    RECT taken{};
    std::string text;
    DWORD selection = 0;
    bool focused = false;
    GiveEmpty(1);
    Driver d(std::vector<Driver::Step>{
        [&](OpenForm& f) {
            f.Type("Edit1", "C:\\снимок.jpg");
            const HWND edit = f.Query("Edit1").hwnd;
            ::SetFocus(edit);
            ::SendMessageW(edit, EM_SETSEL, 3, 6);
            ::SendMessageW(f.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        },
        [&](OpenForm& f) {
            ::GetWindowRect(f.hwnd(), &taken);
            ExpectControlsAt(f, controls, 192);
            const HWND edit = f.Query("Edit1").hwnd;
            focused = ::GetFocus() == edit;
            selection = static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0));
            text = f.Text("Edit1");
            f.Ok();
        }});
    Edit(1);
    ASSERT_TRUE(d.Ran());
    EXPECT_TRUE(::EqualRect(&taken, &suggested)) << taken.left << "," << taken.top << " " << taken.right << "," << taken.bottom;
    EXPECT_TRUE(focused);
    EXPECT_EQ(selection, static_cast<DWORD>(MAKELONG(3, 6)));
    EXPECT_EQ(text, "C:\\снимок.jpg");
    EXPECT_EQ(Slot(0), "C:\\снимок.jpg");
}

// ---- the thread's DPI awareness, through a stand-in for the system's
// SetThreadDpiAwarenessContext (the plug-in looks it up by name)

const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

struct FakeContext {
    bool offered = true;
    bool windowDpi = true;  // GetDpiForWindow offered
    int screenDpi = 0;      // LOGPIXELSY answered for the screen, 0: the system's
    HANDLE current = kUnaware;
    std::vector<intptr_t> set;  // every context set, in order
    void* getProcAddress = nullptr;
} g_context;

HANDLE WINAPI FakeSetThreadDpiAwarenessContext(HANDLE context) {
    g_context.set.push_back(reinterpret_cast<intptr_t>(context));
    return std::exchange(g_context.current, context);
}

FARPROC WINAPI SpyGetProcAddress(HMODULE module, LPCSTR name) {
    if (HIWORD(reinterpret_cast<uintptr_t>(name)) && std::string(name) == "SetThreadDpiAwarenessContext")
        return g_context.offered ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeSetThreadDpiAwarenessContext))
                                 : nullptr;
    if (HIWORD(reinterpret_cast<uintptr_t>(name)) && std::string(name) == "GetDpiForWindow" && !g_context.windowDpi)
        return nullptr;
    return reinterpret_cast<decltype(&::GetProcAddress)>(g_context.getProcAddress)(module, name);
}

int WINAPI FakeGetDeviceCaps(HDC dc, int index) {
    if (index == LOGPIXELSY && g_context.screenDpi) return g_context.screenDpi;
    return ::GetDeviceCaps(dc, index);
}

HWND WINAPI RefuseCreateWindowExW(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// A dialog runs per-monitor aware, a pick button's call to the host runs in
// the host's own awareness, and the host gets its own back when the export
// returns: after OK, Cancel, an error and an exception the host raised, and
// from the About box. Where the system lacks the function (before Windows 10
// 1607, which also has no DPI per window), nothing is set and the dialog takes
// the DPI the process sees for the screen (120 here; a virtualised host sees 96).
TEST_F(DialogScale, TheHostGetsItsDpiAwarenessBackOnEveryPath) {
    const std::vector<std::string> texts{"C:\\old.jpg", "85"};
    struct Case {
        const char* what;
        std::function<void()> call;
        std::vector<intptr_t> set;  // the contexts set, in order
        bool offered = true;
    };
    const auto edit = [&](Driver::Step step, std::function<void()> before = {}) {
        return [this, texts, step, before] {
            if (before) before();
            Give(texts);
            Driver d(step);
            Edit(1);
        };
    };
    const std::vector<intptr_t> dialog{-4, -1};
    const Case cases[] = {
        {"OK", edit([](OpenForm& f) { f.Ok(); }), dialog},
        {"Cancel", edit([](OpenForm& f) { f.Cancel(); }), dialog},
        {"an error", [&] {
             hqtest::ImportPatch refuse(host().Module(), "CreateWindowExW",
                                        reinterpret_cast<void*>(&RefuseCreateWindowExW));
             Give(texts);
             Edit(1);
             EXPECT_EQ(host().LastError().value_or(""), "Cannot create a form window");
         }, dialog},
        {"the host raising in a pick", edit([](OpenForm& f) { f.Click("SpeedButton1"); },
                                            [&] { host().RaiseInNextCallback(Host::Callback::InterfaceAccess); }),
         {-4, -1, -4, -1}},
        {"a pick the host answers", edit([](OpenForm& f) { f.Click("SpeedButton1"), f.Cancel(); }), {-4, -1, -4, -1}},
        {"the About box", [&] {
             Driver d([](OpenForm& f) { f.Click("Button1"); });
             host().About();
         }, dialog},
        {"a system without the function", edit([](OpenForm& f) {
             const hq::editors::DialogDesign& design = hq::editors::FindEditor(1)->design();
             ExpectLaidOutAt(f, 399, design.height, ExpectedControls(design), 120);
             f.Ok();
         }), {}, false},
    };
    hqtest::ImportPatch procs(host().Module(), "GetProcAddress", reinterpret_cast<void*>(&SpyGetProcAddress));
    hqtest::ImportPatch caps(host().Module(), "GetDeviceCaps", reinterpret_cast<void*>(&FakeGetDeviceCaps));
    ASSERT_TRUE(procs.installed() && caps.installed());
    g_context.getProcAddress = procs.previous();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_context = FakeContext{c.offered, c.offered, c.offered ? 0 : 120, kUnaware, {}, procs.previous()};
        c.call();
        EXPECT_EQ(g_context.current, kUnaware);
        EXPECT_EQ(g_context.set, c.set);
        EXPECT_EQ(hqtest::FindOpenForm(), nullptr);
    }
}

}  // namespace
