// Drives an open form of the plug-in from inside its modal loop: a thread
// timer, set before the call that opens the form, finds the form once it has
// painted and runs the test's script on it (query controls by design name,
// type into fields, click, choose, close).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "form/probe.h"

namespace hqtest {

class OpenForm {
public:
    explicit OpenForm(HWND hwnd) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }
    // The control's state; fails the test when no control has that name.
    hq::ui::ControlProbe Query(const std::string& name) const;
    hq::ui::ControlProbe Form() const;
    bool Exists(const std::string& name) const;
    std::string Text(const std::string& name) const { return Query(name).text; }
    // Types `text` (Windows-1251) into a windowed control as the author would.
    void Type(const std::string& name, const std::string& text) const;
    void Click(const std::string& name) const;
    void Select(const std::string& name, int itemIndex) const;
    void Slide(const std::string& name, int position) const;
    // A key pressed in a windowed control (WM_KEYDOWN through the form's loop).
    void Key(const std::string& name, UINT vk) const;
    void Ok() const { Click("Button1"); }
    void Cancel() const { Click("Button2"); }
    void CloseBox() const { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }
    COLORREF Pixel(int x, int y) const;

private:
    hq::ui::ControlProbe Send(hq::ui::ControlProbe p) const;
    HWND hwnd_;
};

// The top-level plug-in form of this thread that is visible and has painted, or null.
HWND FindOpenForm();

// Runs `script` once on the first open, painted form (or each of `steps` on
// successive timer ticks, so that posted input is handled in between); when
// the form is still open after a grace period, the driver closes it (and
// ForcedClose() tells the test) so that no test can hang. One driver at a time.
class Driver {
public:
    using Step = std::function<void(OpenForm&)>;
    explicit Driver(Step script, unsigned graceMs = 3000) : Driver(std::vector<Step>{std::move(script)}, graceMs) {}
    explicit Driver(std::vector<Step> steps, unsigned graceMs = 3000);
    ~Driver();
    bool Ran() const { return ran_; }
    bool ForcedClose() const { return forced_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
    bool forced_ = false;
    DWORD ranAt_ = 0;
    unsigned graceMs_;
};

}  // namespace hqtest
