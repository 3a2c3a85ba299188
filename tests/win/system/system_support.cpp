#include "system_support.h"

#include <map>

#include "bmp_craft.h"
#include "fixture.h"

namespace systest {

namespace {

std::map<HWND, std::vector<std::string>> g_clicks;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const char* name = nullptr;
    switch (msg) {
    case WM_LBUTTONDOWN: name = "LDOWN"; break;
    case WM_LBUTTONUP: name = "LUP"; break;
    case WM_LBUTTONDBLCLK: name = "LDBL"; break;
    case WM_RBUTTONDOWN: name = "RDOWN"; break;
    case WM_RBUTTONUP: name = "RUP"; break;
    case WM_RBUTTONDBLCLK: name = "RDBL"; break;
    case WM_MBUTTONDOWN: name = "MDOWN"; break;
    case WM_MBUTTONUP: name = "MUP"; break;
    case WM_MBUTTONDBLCLK: name = "MDBL"; break;
    case WM_ERASEBKGND: {
        RECT r;
        ::GetClientRect(hwnd, &r);
        HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        ::FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        ::DeleteObject(brush);
        return 1;
    }
    default: break;
    }
    if (name) g_clicks[hwnd].push_back(name);
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* TestClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"HqSystemTestWindow";
        ::RegisterClassW(&wc);
        return L"HqSystemTestWindow";
    }();
    return name;
}

}  // namespace

TestWindow::TestWindow(const wchar_t* title, int x, int y, int w, int h, COLORREF color, DWORD exStyle) {
    hwnd = ::CreateWindowExW(exStyle, TestClass(), title, WS_POPUP, x, y, w, h, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    // Until it is the window under its centre and the screen shows its colour
    // there (tests click, point and read pixels there).
    const POINT centre{x + w / 2, y + h / 2};
    hqtest::WaitUntil(
        [&] { return ::WindowFromPoint(centre) == hwnd && hqtest::ScreenPixel(centre.x, centre.y) == color; }, 2000);
}

TestWindow::~TestWindow() {
    g_clicks.erase(hwnd);
    ::DestroyWindow(hwnd);
}

std::vector<std::string>& TestWindow::Clicks() { return g_clicks[hwnd]; }

std::string WriteCursorFile(const std::string& name, int hotX, int hotY) {
    const std::string path = hqtest::ExeDirPath(name);
    hqtest::WriteBytes(path, bmptest::CursorFile(hotX, hotY));
    return path;
}

}  // namespace systest
