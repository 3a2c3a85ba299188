// The interactive picker: a small modal window that asks for the text a host
// picker would return (an object name, a variable name or a file path).
#include <string>

#include "console.h"
#include "hqhost.h"

namespace hqhost {

namespace {

struct PickerState {
    HWND edit = nullptr;
    bool done = false;
    bool ok = false;
    std::wstring text;
};

LRESULT CALLBACK PickerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* st = reinterpret_cast<PickerState*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            st->ok = LOWORD(wp) == IDOK;
            wchar_t buf[1024] = {};
            ::GetWindowTextW(st->edit, buf, 1024);
            st->text = buf;
            st->done = true;
            return 0;
        }
        break;
    case WM_CLOSE:
        st->done = true;
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

std::optional<std::string> PickerWindow(int32_t code, const std::string& initial) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PickerProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"hqhostPicker";
        ::RegisterClassW(&wc);
        registered = true;
    }
    const wchar_t* title = code == 1 ? L"Pick an object" : code == 14 ? L"Pick a variable" : L"Pick a file";
    PickerState st;
    HWND owner = ::GetActiveWindow();
    HWND win = ::CreateWindowExW(WS_EX_DLGMODALFRAME, L"hqhostPicker", title, WS_CAPTION | WS_SYSMENU | WS_POPUP,
                                 200, 200, 360, 120, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(win, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&st));
    st.edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", WideFromCp1251(initial).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 330, 22, win, nullptr,
                                nullptr, nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 180, 45, 75, 25, win,
                      reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 265, 45, 75, 25, win,
                      reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
    if (owner) ::EnableWindow(owner, FALSE);
    ::ShowWindow(win, SW_SHOW);
    ::SetFocus(st.edit);
    MSG msg;
    while (!st.done && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageW(win, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (owner) ::EnableWindow(owner, TRUE);
    ::DestroyWindow(win);
    if (!st.ok) return std::nullopt;
    return Cp1251FromWide(st.text);
}

}  // namespace hqhost
