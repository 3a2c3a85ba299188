// Helpers of the desktop, input and system tests: plain test windows and
// cursor files (import spies come from the shared support library).
#pragma once
#include <windows.h>

#include "import_patch.h"

#include <string>
#include <vector>

namespace systest {

using hqtest::ImportPatch;

// A top-level popup window of the tests' own class, painted with `color`,
// that records the mouse-button messages it receives.
struct TestWindow {
    HWND hwnd = nullptr;
    TestWindow(const wchar_t* title, int x, int y, int w, int h, COLORREF color = RGB(255, 255, 255),
               DWORD exStyle = 0);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    // Names of the button messages received ("LDOWN", "LUP", "LDBL", "RDOWN", ...).
    std::vector<std::string>& Clicks();
};

// Writes a 32x32 monochrome cursor file; returns its path.
std::string WriteCursorFile(const std::string& name, int hotX, int hotY);

}  // namespace systest
