// The form layer's event semantics that the dialogs rely on, and its modal
// loop's error path.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/error.h"
#include "form/controls.h"

#include <commctrl.h>

namespace {

namespace ui = hq::ui;

TEST(FormControls, RadioButtonsShareOneGroupAndClickOnlyWhenChecked) {
    ui::Form form("t", 200, 100);
    auto& a = form.Add<ui::RadioButton>("RadioButton1", ui::Rect{0, 0, 80, 17}, "a");
    auto& b = form.Add<ui::RadioButton>("RadioButton2", ui::Rect{0, 20, 80, 17}, "b");
    int clicksA = 0, clicksB = 0;
    a.onClick = [&] { ++clicksA; };
    b.onClick = [&] { ++clicksB; };
    a.SetChecked(true);
    EXPECT_EQ(clicksA, 1);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(b.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(b.Handle()));
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(a.Checked());
    EXPECT_EQ(::SendMessageW(a.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicksA, 1) << "clearing a button runs no click";
    EXPECT_EQ(clicksB, 1);
    b.SetChecked(true);
    EXPECT_EQ(clicksB, 1) << "already checked";
}

TEST(FormControls, CheckBoxClicksOnEveryChangeAndSliderOnEveryMove) {
    ui::Form form("t", 200, 100);
    auto& box = form.Add<ui::CheckBox>("CheckBox1", ui::Rect{0, 0, 80, 17}, "c");
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.SetChecked(true);
    box.SetChecked(false);
    box.SetChecked(false);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(box.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(box.Handle()));
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(box.Checked());

    auto& slider = form.Add<ui::TrackBar>("TrackBar1", ui::Rect{0, 30, 150, 20}, 0, 100, 85);
    int changes = 0;
    slider.onChange = [&] { ++changes; };
    EXPECT_EQ(slider.Position(), 85);
    EXPECT_EQ(changes, 0) << "the design position is no change";
    slider.SetPosition(85);
    slider.SetPosition(300);
    EXPECT_EQ(slider.Position(), 100);
    ::SendMessageW(slider.Handle(), TBM_SETPOS, TRUE, 40);
    ::SendMessageW(form.Handle(), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(slider.Handle()));
    EXPECT_EQ(slider.Position(), 40);
    EXPECT_EQ(changes, 2);
}

TEST(FormControls, ComboSelectionShowsTheItemBeforeTheEvent) {
    ui::Form form("t", 200, 100);
    auto& combo = form.Add<ui::ComboBox>("ComboBox1", ui::Rect{0, 0, 150, 24},
                                         std::vector<std::string>{"None", "Fade", "Center"});
    combo.SetText("Typed");
    std::string seen;
    combo.onSelect = [&] { seen = combo.Text(); };
    ::SendMessageW(combo.Handle(), CB_SETCURSEL, 2, 0);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(combo.Id(), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo.Handle()));
    EXPECT_EQ(seen, "Center");
    EXPECT_EQ(combo.ItemIndex(), 2);
}

TEST(FormControls, EditGivesBackUntouchedTextByteForByte) {
    ui::Form form("t", 200, 100);
    auto& edit = form.Add<ui::Edit>("Edit1", ui::Rect{0, 0, 150, 24});
    const std::string odd = std::string("a\x98z\r\nb", 6);  // a byte the code page leaves undefined, a line break
    edit.SetText(odd);
    EXPECT_EQ(edit.Text(), odd);

    ::SetWindowTextW(edit.Handle(), L"\u0416\u0436");
    EXPECT_EQ(edit.Text(), "\xC6\xE6") << "typed text in Windows-1251";
}

TEST(FormModal, AnErrorInAHandlerEndsTheLoopAndIsRethrownAfterDestruction) {
    ui::Form form("t", 200, 100);
    auto& ok = form.Add<ui::Button>("Button1", ui::Rect{0, 0, 60, 25}, "OK", ui::kModalOk);
    ok.onClick = [] { hq::Fail("handler failed"); };
    const HWND window = form.Handle();
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ok.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(ok.Handle()));
    try {
        form.ShowModal();
        ADD_FAILURE() << "no error";
    } catch (const hq::Error& e) {
        EXPECT_STREQ(e.what(), "handler failed");
        EXPECT_FALSE(::IsWindow(window)) << "rethrown only after the window is gone";
    }
}

bool g_otherEnabled = true;
HWND g_other = nullptr, g_form = nullptr;
void CALLBACK SeeAndClose(HWND, UINT, UINT_PTR, DWORD) {
    g_otherEnabled = ::IsWindowEnabled(g_other) != FALSE;
    ::PostMessageW(g_form, WM_CLOSE, 0, 0);
}

TEST(FormModal, CloseBoxEndsAsCancelAndHostWindowsAreDisabledMeanwhile) {
    HWND other = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
    ui::Form form("t", 200, 100);
    g_other = other;
    g_form = form.Handle();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &SeeAndClose);
    EXPECT_EQ(form.ShowModal(), ui::kModalCancel);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(g_otherEnabled);
    EXPECT_TRUE(::IsWindowEnabled(other));
    EXPECT_TRUE(::IsWindow(form.Handle())) << "the window lives until the form object goes";
    ::DestroyWindow(other);
}

}  // namespace
