// The editor routine through the real export, on TMBox12Form (ID 1): a null
// slot, an error while open, a fresh start from the design at every opening,
// the pick protocol for the variable and file buttons, the keyboard, the
// quality slider, and the field's text in the system's code page (this test
// runs again in 1252 as win_dialogs_1252). What every dialog shares is in
// every_dialog_test.cpp.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>

#include "dialog_test.h"

namespace {

using hqtest::Driver;
using hqtest::OpenForm;

// The two slots of ID 1: the file name and the quality.
using EditorRoutine = hqtest::DialogTest;

TEST_F(EditorRoutine, NullSlotShowsEmptyAndBecomesAOneByteBlockOnOk) {
    GiveNull(2);
    std::string field = "?", quality = "?";
    int position = -1;
    Driver d([&](OpenForm& f) {
        field = f.Text("Edit1");
        quality = f.Text("Label4");
        position = f.Query("TrackBar1").position;
        f.Ok();
    });
    EXPECT_TRUE(Edit(1));
    EXPECT_EQ(field, "");
    EXPECT_EQ(quality, "");
    EXPECT_EQ(position, 85);
    for (char* s : {slots_[0], slots_[1]}) {
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(::GlobalSize(s), 1u);
        EXPECT_EQ(s[0], '\0');
    }
}

TEST_F(EditorRoutine, AnErrorWhileOpenDestroysTheDialogAndWritesNoSlot) {
    Give({"a.jpg", "70"});
    const hqhost::ObjectCounts objects = host().LiveObjects();
    Driver d([&](OpenForm& f) {
        hqhost::FailGlobalAllocs(1);  // the pick button's host string cannot be made
        f.Click("SpeedButton2");
    });
    EXPECT_FALSE(Edit(1));
    hqhost::FailGlobalAllocs(0);
    ASSERT_TRUE(host().LastError().has_value());
    EXPECT_EQ(*host().LastError(), "Out of memory");
    EXPECT_FALSE(d.ForcedClose()) << "the error did not end the dialog";
    EXPECT_EQ(slots_[0], before_[0]);
    EXPECT_STREQ(slots_[1], "70");
    EXPECT_TRUE(host().PickRequests().empty());
    EXPECT_EQ(host().LiveObjects(), objects);
    // The plug-in goes on working: the next opening behaves normally.
    Driver again([](OpenForm& f) { f.Ok(); });
    EXPECT_TRUE(Edit(1));
}

TEST_F(EditorRoutine, EveryOpeningStartsFromTheDesignAndReleasesEverything) {
    const hqhost::ObjectCounts objects = host().LiveObjects();
    for (int round = 0; round < 3; ++round) {
        Give({"x.jpg", ""});
        int position = -1;
        Driver d(std::vector<Driver::Step>{[&](OpenForm& f) { position = f.Query("TrackBar1").position; f.Slide("TrackBar1", 10); },
                                           [](OpenForm& f) { f.Ok(); }});
        EXPECT_TRUE(Edit(1));
        EXPECT_EQ(position, 85) << "round " << round;
        EXPECT_STREQ(slots_[1], "10");
        TakeSlots();
    }
    EXPECT_EQ(host().LiveObjects(), objects);
}

// ---------------------------------------------------------------- pick buttons

TEST_F(EditorRoutine, FilePickAnsweredTrueReplacesTheWholeField) {
    Give({"C:\\old.jpg", "85"});
    host().PickAnswers().push_back({true, std::string("E:\\new.jpg"), 15});
    std::string after;
    Driver d([&](OpenForm& f) {
        f.Click("SpeedButton1");
        after = f.Text("Edit1");
        f.Ok();
    });
    EXPECT_TRUE(Edit(1));
    EXPECT_EQ(after, "E:\\new.jpg");
    ASSERT_EQ(host().PickRequests().size(), 1u);
    EXPECT_EQ(host().PickRequests()[0].code, 15);
    EXPECT_FALSE(host().PickRequests()[0].slotNull);
    EXPECT_EQ(host().PickRequests()[0].slotText, "C:\\old.jpg");
    EXPECT_STREQ(slots_[0], "E:\\new.jpg");
}

TEST_F(EditorRoutine, VariablePickAnsweredFalseLeavesTheFieldAndReleasesTheSlot) {
    Give({"C:\\old.jpg", "85"});
    // The host even replaced the slot's block before answering false.
    host().PickAnswers().push_back({false, std::string("[Ignored]"), 14});
    host().PickAnswers().push_back({true, std::nullopt, 14});  // true, slot left as sent
    std::string afterFalse, afterUntouched;
    Driver d([&](OpenForm& f) {
        f.Click("SpeedButton2");
        afterFalse = f.Text("Edit1");
        f.Click("SpeedButton2");
        afterUntouched = f.Text("Edit1");
        f.Ok();
    });
    EXPECT_TRUE(Edit(1));
    EXPECT_EQ(afterFalse, "C:\\old.jpg");
    EXPECT_EQ(afterUntouched, "C:\\old.jpg");
    ASSERT_EQ(host().PickRequests().size(), 2u);
    EXPECT_EQ(host().PickRequests()[0].code, 14);
    // TearDown's ledger check proves both temporary blocks were freed.
}

TEST_F(EditorRoutine, PickButtonsDoNothingWithoutAnInterfaceAccessCallback) {
    host().Unload();
    ASSERT_TRUE(host().LoadOnly(hqtest::PluginPath()));
    host().RegisterPlugIn();
    host().InitPlugIn();
    host().RegisterScriptProcessor();
    Give({"C:\\keep.jpg", "85"});
    const size_t blocks = ledger().Live();
    size_t during = 0;
    std::string after;
    Driver d([&](OpenForm& f) {
        f.Click("SpeedButton1");
        f.Click("SpeedButton2");
        during = ledger().Live();
        after = f.Text("Edit1");
        f.Cancel();
    });
    EXPECT_FALSE(Edit(1));
    EXPECT_EQ(after, "C:\\keep.jpg");
    EXPECT_EQ(during, blocks) << "a host string was made for nothing";
    EXPECT_TRUE(host().PickRequests().empty());
}

TEST_F(EditorRoutine, MouseOnAPickButtonShowsTheHandAndAClickAsks) {
    Give({"C:\\old.jpg", "85"});
    host().PickAnswers().push_back({true, std::string("C:\\clicked.jpg"), 15});
    bool hand = false;
    std::string after;
    Driver d(std::vector<Driver::Step>{
        [&](OpenForm& f) {
            POINT pt{330 + 12, 36 + 12};  // the middle of SpeedButton1
            ::ClientToScreen(f.hwnd(), &pt);
            ::SetCursorPos(pt.x, pt.y);
            ::SendMessageW(f.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            hand = ::GetCursor() == ::LoadCursorW(nullptr, IDC_HAND);
            const LPARAM at = MAKELPARAM(330 + 12, 36 + 12);
            ::PostMessageW(f.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::PostMessageW(f.hwnd(), WM_LBUTTONUP, 0, at);
        },
        [&](OpenForm& f) {
            after = f.Text("Edit1");
            f.Ok();
        }});
    EXPECT_TRUE(Edit(1));
    EXPECT_TRUE(hand);
    EXPECT_EQ(after, "C:\\clicked.jpg");
    EXPECT_STREQ(slots_[0], "C:\\clicked.jpg");
}

// ---------------------------------------------------------------- TMBox12Form

TEST_F(EditorRoutine, QualitySliderWritesItsPositionOnlyOnceMoved) {
    Give({"", "[Quality]"});
    std::string before, atEnd;
    Driver d(std::vector<Driver::Step>{
        [&](OpenForm& f) {
            before = f.Text("Label4");
            f.Key("TrackBar1", VK_END);  // the author drags to the right end
        },
        [&](OpenForm& f) {
            atEnd = f.Text("Label4");
            f.Ok();
        }});
    EXPECT_TRUE(Edit(1));
    EXPECT_EQ(before, "[Quality]");
    EXPECT_EQ(atEnd, "100");
    EXPECT_STREQ(slots_[1], "100");
}

TEST_F(EditorRoutine, Mbox12ControlsCarryTheirDesign) {
    Give({"", ""});
    hq::ui::ControlProbe file, variable, quality, slider, title, name, ok;
    std::string caption;
    Driver d([&](OpenForm& f) {
        file = f.Query("SpeedButton1");
        variable = f.Query("SpeedButton2");
        quality = f.Query("Label4");
        slider = f.Query("TrackBar1");
        title = f.Query("LabelSection2");
        name = f.Query("LabelNameComand");
        ok = f.Query("Button1");
        caption = f.Form().text;
        f.Cancel();
    });
    EXPECT_FALSE(Edit(1));
    EXPECT_EQ(caption, "Свойства fzShotDesktopToJpg");
    EXPECT_STREQ(file.hint, "Выбрать файл");
    EXPECT_STREQ(variable.hint, "Вставить переменную");
    EXPECT_TRUE(file.handCursor && variable.handCursor && slider.handCursor);
    EXPECT_EQ((std::array{file.left, file.top, file.width, file.height}), (std::array{330, 36, 24, 24}));
    EXPECT_EQ((std::array{quality.left, quality.top, quality.width, quality.height}), (std::array{118, 73, 38, 16}));
    EXPECT_EQ(quality.fontHeight, 13);
    EXPECT_EQ(quality.fontColor, RGB(0, 0, 0));
    EXPECT_EQ((std::array{slider.left, slider.top, slider.width, slider.height}), (std::array{48, 104, 200, 17}));
    EXPECT_STREQ(title.text, "Качество снимка:");
    EXPECT_EQ(title.fontHeight, 12);
    EXPECT_EQ(name.fontHeight, 12);
    EXPECT_STREQ(ok.text, "OK");
    EXPECT_EQ(ok.fontHeight, 12);
    EXPECT_EQ(std::string(ok.kind), "Button");
}

BOOL CALLBACK FindTooltip(HWND h, LPARAM lp) {
    auto* want = reinterpret_cast<std::pair<HWND, HWND>*>(lp);
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (std::wcscmp(cls, L"tooltips_class32") == 0 && ::GetWindow(h, GW_OWNER) == want->first) want->second = h;
    return TRUE;
}

// The tools are made once the dialog has painted and get their mouse
// messages from the form: hovering a pick button still shows its hint.
TEST_F(EditorRoutine, EachPickButtonWithAHintHasATooltipThatShowsOnHover) {
    Give({"", ""});
    LRESULT tools = -1;
    bool shown = false;
    wchar_t text[80] = {};
    Driver d([&](OpenForm& f) {
        std::pair<HWND, HWND> search{f.hwnd(), nullptr};
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindTooltip, reinterpret_cast<LPARAM>(&search));
        const HWND tip = search.second;
        if (tip) tools = ::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
        POINT pt{330 + 12, 36 + 12};  // the middle of SpeedButton1, the file pick
        ::ClientToScreen(f.hwnd(), &pt);
        ::SetCursorPos(pt.x, pt.y);
        ::PostMessageW(f.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(330 + 12, 36 + 12));
        shown = tip && hqtest::WaitUntil([tip] { return ::IsWindowVisible(tip) != FALSE; });
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.lpszText = text;
        if (shown) ::SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        f.Cancel();
    });
    EXPECT_FALSE(Edit(1));
    EXPECT_EQ(tools, 2);
    EXPECT_TRUE(shown);
    EXPECT_STREQ(text, L"Выбрать файл");
}

TEST_F(EditorRoutine, LineBreaksAndUndefinedBytesSurviveOkUnchanged) {
    const std::string odd = "C:\\a\r\nb\x98.jpg";  // a line break and a byte Windows-1251 leaves undefined
    Give({odd, "85"});
    Driver d([](OpenForm& f) { f.Ok(); });
    EXPECT_TRUE(Edit(1));
    EXPECT_EQ(std::string(slots_[0]), odd);
}

// Byte 0xFA of a stored path is the letter of the system's ANSI code page, in
// the field and back in the slot; what the author types is stored in that code
// page, and a letter it lacks as "?", not as a look-alike naming another file.
TEST_F(EditorRoutine, AnsiCodePageFieldShowsAndStoresTheParameterBytes) {
    const char* expected = std::getenv("HQ_EXPECT_ACP");
    ASSERT_EQ(::GetACP(), expected && *expected ? std::strtoul(expected, nullptr, 10) : 1251u);
    const std::wstring letter = ::GetACP() == 1252 ? L"\u00FA" : L"\u044A";  // u acute / hard sign
    struct Case {
        const char* what;
        std::wstring typed;  // empty: untouched
        std::string stored;
    };
    const Case cases[] = {
        {"untouched", L"", "C:\\M\xFAsica\\a.jpg"},
        {"typed", L"D:\\" + letter + L"\\b.jpg", "D:\\\xFA\\b.jpg"},
        {"a letter the code page lacks", L"D:\\\u0142.jpg", "D:\\?.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Give({"C:\\M\xFAsica\\a.jpg", "85"});
        std::wstring shown;
        Driver d([&](OpenForm& f) {
            const HWND field = f.Query("Edit1").hwnd;
            wchar_t text[64] = {};
            ::GetWindowTextW(field, text, 64);
            shown = text;
            if (!c.typed.empty()) ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
            f.Ok();
        });
        EXPECT_TRUE(Edit(1));
        EXPECT_EQ(shown, L"C:\\M" + letter + L"sica\\a.jpg");
        EXPECT_EQ(std::string(slots_[0]), c.stored);
        TakeSlots();
    }
}

TEST_F(EditorRoutine, StoredVariableQualitySurvivesWhileTheSliderIsUntouched) {
    Give({"x.jpg", "[Q]"});
    Driver d([](OpenForm& f) { f.Ok(); });
    EXPECT_TRUE(Edit(1));
    EXPECT_STREQ(slots_[1], "[Q]");
}

TEST_F(EditorRoutine, TabOrderFocusEnterAndEscape) {
    Give({"a", "1"});
    HWND focusAtStart = nullptr, edit1 = nullptr, okButton = nullptr, focusAfterTabs = nullptr;
    int tabs[4] = {};
    bool openAfterEscape = false;
    Driver d(std::vector<Driver::Step>{
        [&](OpenForm& f) {
            focusAtStart = ::GetFocus();
            edit1 = f.Query("Edit1").hwnd;
            okButton = f.Query("Button1").hwnd;
            const char* names[4] = {"Edit1", "TrackBar1", "Button1", "Button2"};
            for (int i = 0; i < 4; ++i) tabs[i] = f.Query(names[i]).tabIndex;
            f.Key("Edit1", VK_ESCAPE);
        },
        [&](OpenForm& f) {
            openAfterEscape = hqtest::FindOpenForm() != nullptr;
            f.Key("Edit1", VK_TAB);
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);  // TrackBar1 -> OK
        },
        [&](OpenForm&) {
            focusAfterTabs = ::GetFocus();
            ::PostMessageW(focusAfterTabs, WM_KEYDOWN, VK_RETURN, 1);
        }});
    EXPECT_TRUE(Edit(1)) << "Enter on the focused OK button ends the dialog with OK";
    EXPECT_EQ(focusAtStart, edit1);
    EXPECT_EQ(tabs[0], 0);
    EXPECT_EQ(tabs[1], 1);
    EXPECT_EQ(tabs[2], 2);
    EXPECT_EQ(tabs[3], 3);
    EXPECT_TRUE(openAfterEscape) << "Escape must do nothing";
    EXPECT_EQ(focusAfterTabs, okButton);
}

}  // namespace
