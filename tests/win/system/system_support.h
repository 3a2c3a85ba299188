// Helpers of the desktop, input and system tests: replacing one imported
// function of the loaded plug-in with a spy that records and forwards, and
// plain test windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace systest {

// Routes the plug-in's import `name` (any DLL) to `spy` while alive. The
// previous target (the host's counting wrapper, or the system function) is
// kept in `previous()` so the spy can forward to it. Must be destroyed before
// the plug-in is unloaded.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* name, void* spy);
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    ~ImportPatch();
    void* previous() const { return previous_; }
    bool installed() const { return slot_ != nullptr; }

private:
    void** slot_ = nullptr;
    void* previous_ = nullptr;
};

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

// Pumps messages for `ms` milliseconds.
void PumpFor(unsigned ms);

}  // namespace systest
