#include "driver.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/text.h"

namespace hqtest {

namespace {

Driver* g_driver = nullptr;

BOOL CALLBACK FindForm(HWND h, LPARAM lp) {
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (std::wcscmp(cls, hq::ui::kFormClassName) == 0 && ::IsWindowVisible(h) &&
        ::GetPropW(h, hq::ui::kFirstPaintProperty)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindOpenForm() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindForm, reinterpret_cast<LPARAM>(&found));
    return found;
}

hq::ui::ControlProbe OpenForm::Send(hq::ui::ControlProbe p) const {
    const LRESULT r = ::SendMessageW(hwnd_, hq::ui::ProbeMessage(), 0, reinterpret_cast<LPARAM>(&p));
    EXPECT_EQ(r, 1) << "no control named " << p.name;
    return p;
}

hq::ui::ControlProbe OpenForm::Query(const std::string& name) const {
    hq::ui::ControlProbe p;
    p.op = hq::ui::ControlProbe::kQuery;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    return Send(p);
}

bool OpenForm::Exists(const std::string& name) const {
    hq::ui::ControlProbe p;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    return ::SendMessageW(hwnd_, hq::ui::ProbeMessage(), 0, reinterpret_cast<LPARAM>(&p)) == 1;
}

hq::ui::ControlProbe OpenForm::Form() const {
    hq::ui::ControlProbe p;
    p.op = hq::ui::ControlProbe::kForm;
    return Send(p);
}

void OpenForm::Type(const std::string& name, const std::string& text) const {
    const HWND h = Query(name).hwnd;
    ASSERT_NE(h, nullptr) << name << " has no window";
    ::SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(hq::Widen(text).c_str()));
}

void OpenForm::Click(const std::string& name) const {
    hq::ui::ControlProbe p;
    p.op = hq::ui::ControlProbe::kClick;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    Send(p);
}

void OpenForm::Select(const std::string& name, int itemIndex) const {
    hq::ui::ControlProbe p;
    p.op = hq::ui::ControlProbe::kSelect;
    p.itemIndex = itemIndex;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    Send(p);
}

void OpenForm::Slide(const std::string& name, int position) const {
    hq::ui::ControlProbe p;
    p.op = hq::ui::ControlProbe::kSelect;
    p.position = position;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    Send(p);
}

void OpenForm::Key(const std::string& name, UINT vk) const {
    const HWND h = Query(name).hwnd;
    ASSERT_NE(h, nullptr);
    ::SetFocus(h);
    ::PostMessageW(h, WM_KEYDOWN, vk, 1);
    ::PostMessageW(h, WM_KEYUP, vk, 0xC0000001);
}

COLORREF OpenForm::Pixel(int x, int y) const {
    HDC dc = ::GetDC(hwnd_);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd_, dc);
    return c;
}

Driver::Driver(std::vector<Step> steps, unsigned graceMs) : steps_(std::move(steps)), graceMs_(graceMs) {
    g_driver = this;
    timer_ = ::SetTimer(nullptr, 0, 5, &Driver::Tick);
}

Driver::~Driver() {
    ::KillTimer(nullptr, timer_);
    g_driver = nullptr;
}

void CALLBACK Driver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver* d = g_driver;
    if (!d) return;
    const HWND form = FindOpenForm();
    if (d->next_ < d->steps_.size()) {
        if (!form) return;
        d->ran_ = true;
        d->ranAt_ = ::GetTickCount();
        OpenForm f(form);
        d->steps_[d->next_++](f);
        return;
    }
    if (form && ::GetTickCount() - d->ranAt_ > d->graceMs_) {
        d->forced_ = true;
        ::PostMessageW(form, WM_CLOSE, 0, 0);
    }
}

}  // namespace hqtest
