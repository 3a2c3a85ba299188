// What tests, the shot command and benchmarks can ask an open form: a control
// found by its design name (kind, place, visibility, text, state) or the
// form's own paint bookkeeping, and a click on a control. The form answers the
// registered message ProbeMessage() with lParam pointing to a ControlProbe;
// the result is 1 when the name was found. Only a request sent from the
// form's own thread, lying on that thread's stack and carrying the right size
// and magic, is answered; anything else is answered 0 and nothing is written.
#pragma once
#include <windows.h>

#include <cstdint>

namespace hq::ui {

// Window class of every form, and the window property set (to 1) once the
// form's first paint has completed.
constexpr wchar_t kFormClassName[] = L"zeZoreredur.Form";
constexpr wchar_t kFirstPaintProperty[] = L"zeZoreredur.FirstPaint";

struct ControlProbe {
    enum Op : int32_t {
        kQuery = 1,  // fill the fields below for the control `name`
        kClick = 2,  // click the control `name` as the author would, then query it
        kForm = 3,   // fill the form fields (name ignored)
        kSelect = 4, // choose as the author would: a combo box item (itemIndex), a
                     // slider position (position); then query the control
    };
    static constexpr uint32_t kMagic = 0x7A51B0E5u;
    uint32_t size = sizeof(ControlProbe);
    uint32_t magic = kMagic;
    int32_t op = kQuery;
    char name[64] = {};

    // ---- control answer
    int32_t found = 0;
    HWND hwnd = nullptr;  // null for graphic controls
    int32_t left = 0, top = 0, width = 0, height = 0;  // client pixels at the form's DPI
    int32_t visible = 0, enabled = 0;
    int32_t checked = 0;     // radio buttons and check boxes
    int32_t position = 0;    // sliders (also the input of kSelect)
    int32_t itemIndex = -1;  // combo boxes (also the input of kSelect)
    int32_t handCursor = 0;
    int32_t tabIndex = -1;   // place in the tab order, -1 when not a tab stop
    int32_t fontHeight = 0, fontBold = 0;  // pixels at the form's DPI
    uint32_t fontColor = 0;  // resolved COLORREF
    char kind[24] = {};      // "Edit", "Label", "SpeedButton", "Gradient", ...
    char text[1024] = {};    // text or caption, Windows-1251, cut to fit
    char hint[128] = {};

    // ---- form answer
    int32_t paints = 0;             // completed WM_PAINT handlings
    int64_t firstPaintCounter = 0;  // QueryPerformanceCounter after the first one
    // QueryPerformanceCounter once the form and every control of it had
    // painted on showing (0 before)
    int64_t paintedCounter = 0;
    int32_t modalResult = 0;
    int32_t dpi = 0;  // the DPI the form is drawn at
};

inline UINT ProbeMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"zeZoreredur.ControlProbe");
    return message;
}

}  // namespace hq::ui
