// Fault sweep of the window appearance actions: after any failed call the
// main window is visible, never layered without a colour key or content, and
// a text-entry object either has its options or an error reached the host.
#include <memory>
#include <string>
#include <vector>

#include "../window_shape/shape_files.h"
#include "import_patch.h"
#include "sweep.h"

namespace {

using namespace faultsweep;

bool g_contentShown = false;  // UpdateLayeredWindow succeeded in this run
void* g_updateLayered = nullptr;

BOOL WINAPI SpyUpdateLayeredWindow(HWND w, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* at, COLORREF key,
                                   BLENDFUNCTION* blend, DWORD flags) {
    const BOOL ok = reinterpret_cast<decltype(&::UpdateLayeredWindow)>(g_updateLayered)(w, dst, pos, size, src, at,
                                                                                       key, blend, flags);
    if (ok) g_contentShown = true;
    return ok;
}

bool Layered(HWND w) { return (::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

bool HasColourKey(HWND w) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    return ::GetLayeredWindowAttributes(w, &key, &alpha, &flags) && (flags & LWA_COLORKEY);
}

std::vector<uint8_t> RegionBytes(HWND w) {
    HRGN r = ::CreateRectRgn(0, 0, 0, 0);
    std::vector<uint8_t> bytes;
    if (::GetWindowRgn(w, r) != ERROR) {
        bytes.resize(::GetRegionData(r, 0, nullptr));
        ::GetRegionData(r, static_cast<DWORD>(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
    }
    ::DeleteObject(r);
    return bytes;
}

class WindowSweep : public SweepTest {
protected:
    // A fresh main window known to the plug-in, a text entry and an external window.
    void Fresh() {
        host().ResetWindows();
        host().InitPlugIn();
        host().CreateTextEntry("Field", 10, 10, 120, 24);
        host().CreateExternalWindow("Ext", 560, 300, 200, 150);
        g_contentShown = false;
    }
    HWND Main() { return host().MainWindow(); }
    HWND Ext() { return host().Object("Ext"); }
    HWND Field() { return host().Object("Field"); }

    Case Exec(std::string name, int id, std::vector<std::string> params, std::function<void()> before = {}) {
        Case c;
        c.name = std::move(name);
        c.prepare = [this, before] {
            Fresh();
            if (before) before();
        };
        c.run = [this, id, params] { return host().Exec(id, params); };
        return c;
    }
    // The window keeps a colour key whenever it is layered.
    Case Keyed(Case c, std::function<HWND()> window) {
        c.verify = [window](const RunResult&, std::vector<std::string>& problems) {
            if (Layered(window()) && !HasColourKey(window())) problems.push_back("layered without a colour key");
        };
        return c;
    }
    bool FieldHasOptions() {
        const LONG style = ::GetWindowLongW(Field(), GWL_STYLE);
        return (style & ES_NUMBER) && (style & ES_READONLY);
    }
};

TEST_F(WindowSweep, EveryFailedCallLeavesAUsableWindow) {
    const std::string mask = shapetest::WriteMask("faults_mask.bmp", 48, 32, [](int x, int y) {
        return (x < 8 || y < 6) ? 0xFFFFFFu : 0x000000u;
    });
    const std::string png = shapetest::WritePng("faults_shape.png", 60, 40, [](int x, int) {
        return x < 30 ? 0xFFFF0000u : 0x800000FFu;
    });
    std::vector<Case> cases;
    for (int id = 6; id <= 19; ++id) cases.push_back(Exec("style " + std::to_string(id), id, {}));

    auto region = std::make_shared<std::vector<uint8_t>>();
    Case maskCase = Exec("20 fzSetWindowMask", 20, {mask});
    maskCase.verify = [this, region](const RunResult& r, std::vector<std::string>& problems) {
        const std::vector<uint8_t> now = RegionBytes(Main());
        if (r.clean()) *region = now;
        else if (!now.empty() && now != *region) problems.push_back("the window has a region unlike the mask's");
    };
    cases.push_back(maskCase);

    cases.push_back(Keyed(Exec("21 fzSetColorTransparent", 21, {"255", "0", "255"}), [this] { return Main(); }));
    cases.push_back(Keyed(Exec("22 fzNoColorTransparent", 22, {},
                               [this] { host().Exec(21, {"255", "0", "255"}); }),
                          [this] { return Main(); }));
    cases.push_back(Exec("23 fzCustomWindowSizeBox", 23, {"Ext"}));
    cases.push_back(Keyed(Exec("24 fzSetColorTransparentCustomWindow", 24, {"Ext", "0", "255", "0"}),
                          [this] { return Ext(); }));
    // A handle text too long to be kept inline: its copy is an allocation of its own.
    cases.push_back(Keyed(Exec("24 fzSetColorTransparentCustomWindow, long handle text", 24, {"Ext", "0", "255", "0"},
                               [this] {
                                   host().SetVar("[Ext.WinHandle]",
                                                 "   0000000000" + std::to_string(reinterpret_cast<uintptr_t>(Ext())));
                               }),
                          [this] { return Ext(); }));
    cases.push_back(Keyed(Exec("25 fzNoColorTransparentCustomWindow", 25, {"Ext"},
                               [this] { host().Exec(24, {"Ext", "0", "255", "0"}); }),
                          [this] { return Ext(); }));

    Case pngCase = Exec("45 fzSetWindowPngMaskShadow", 45, {png});
    pngCase.run = [this, png] {  // the spy lives only during the call: a fault may reload the plug-in
        hqtest::ImportPatch spy(host().Module(), "UpdateLayeredWindow",
                                reinterpret_cast<void*>(&SpyUpdateLayeredWindow));
        g_updateLayered = spy.previous();
        return host().Exec(45, {png});
    };
    pngCase.verify = [this](const RunResult& r, std::vector<std::string>& problems) {
        if (Layered(Main()) && !HasColourKey(Main()) && !g_contentShown)
            problems.push_back("layered without content");
        if (r.error.empty() && host().Var("[PubHeight]") != "40" && g_contentShown)
            problems.push_back("[PubHeight] is " + host().Var("[PubHeight]"));
    };
    cases.push_back(pngCase);

    Case options = Exec("38 fzSetTextEntryOptions", 38, {"Field", "1", "1"});
    options.verify = [this](const RunResult& r, std::vector<std::string>& problems) {
        if (r.error.empty() && !FieldHasOptions()) problems.push_back("no error, but the options are not applied");
    };
    cases.push_back(options);

    Case message;
    message.name = "message 6";
    message.prepare = [this] {
        Fresh();
        host().Exec(38, {"Field", "1", "1"});
        host().Object("Field");
        ::SendMessageW(Field(), EM_SETREADONLY, FALSE, 0);
        ::SetWindowLongW(Field(), GWL_STYLE, ::GetWindowLongW(Field(), GWL_STYLE) & ~ES_NUMBER);
    };
    message.run = [this] {
        host().Message(6);
        return true;
    };
    message.verify = options.verify;
    cases.push_back(message);

    EXPECT_GT(Sweep("window appearance", cases), 0u);
}

}  // namespace
