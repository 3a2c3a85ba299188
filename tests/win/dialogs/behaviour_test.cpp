// Option controls and handlers of single dialogs: the switch dialogs, the
// click kinds, the system-colour list with its "Подробнее" message, the
// colour-dialog editor's show handler, style buttons, animation list and
// full-open check box, and the copy-to-clipboard dialog's Enter.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "driver.h"
#include "editors/dialogs.h"
#include "editors/editor_table.h"
#include "fixture.h"
#include "base/text.h"

namespace {

using hqtest::Driver;
using hqtest::OpenForm;

class DialogBehaviour : public hqtest::PluginTest {
protected:
    void TearDown() override {
        EXPECT_EQ(hqtest::FindOpenForm(), nullptr) << "a dialog outlived its call";
        PluginTest::TearDown();
    }
    // Opens `id` over `params`, runs `steps`, and returns the dialog's result.
    bool Edit(int id, std::vector<std::string>& params, std::vector<Driver::Step> steps) {
        Driver d(std::move(steps));
        const bool ok = host().Edit(id, params);
        EXPECT_TRUE(d.Ran());
        EXPECT_FALSE(d.ForcedClose()) << "the script did not end the dialog";
        return ok;
    }
};

// ---------------------------------------------------------------- switch dialogs

TEST_F(DialogBehaviour, SwitchDialogsOpenClearKeepTheStoredValueAndWriteZeroOrOne) {
    for (int id : {26, 30, 35}) {
        SCOPED_TRACE(id);
        std::vector<std::string> params = {"1"};
        bool anyChecked = true;
        EXPECT_TRUE(Edit(id, params, {[&](OpenForm& f) {
                             anyChecked = f.Query("RadioButton1").checked || f.Query("RadioButton2").checked;
                             EXPECT_FALSE(f.Query("Edit1").visible);
                             f.Ok();
                         }}));
        EXPECT_FALSE(anyChecked) << "the stored switch is not shown";
        EXPECT_EQ(params[0], "1");

        EXPECT_TRUE(Edit(id, params, {[](OpenForm& f) {
                             f.Click("RadioButton1");
                             f.Ok();
                         }}));
        EXPECT_EQ(params[0], "0");

        bool firstCleared = false;
        EXPECT_TRUE(Edit(id, params, {[&](OpenForm& f) {
                             f.Click("RadioButton1");
                             f.Click("RadioButton2");
                             firstCleared = !f.Query("RadioButton1").checked;
                             f.Ok();
                         }}));
        EXPECT_TRUE(firstCleared);
        EXPECT_EQ(params[0], "1");

        params = {"Любой текст"};  // an unknown switch survives while no button is clicked
        EXPECT_TRUE(Edit(id, params, {[](OpenForm& f) { f.Ok(); }}));
        EXPECT_EQ(params[0], "Любой текст");
    }
}

// ---------------------------------------------------------------- TMBox7Form

TEST_F(DialogBehaviour, CopyToClipboardOpensOnOkSoEnterConfirmsAtOnce) {
    std::vector<std::string> params = {"C:\\file.txt"};
    EXPECT_TRUE(Edit(44, params, {[](OpenForm&) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }}));
    EXPECT_EQ(params[0], "C:\\file.txt");
}

// ---------------------------------------------------------------- TMBox25Form

TEST_F(DialogBehaviour, ClickKindsAreWrittenByTheirButtonsAndNeverShownOnOpening) {
    const char* kinds[] = {"LeftButton", "MiddleButton", "RightButton", "DoubleLeft"};
    for (int i = 0; i < 4; ++i) {
        std::vector<std::string> params = {"10", "20", ""};
        const std::string radio = "RadioButton" + std::to_string(i + 1);
        EXPECT_TRUE(Edit(31, params, {[&](OpenForm& f) {
                             f.Click(radio);
                             f.Ok();
                         }}));
        EXPECT_EQ(params, (std::vector<std::string>{"10", "20", kinds[i]})) << radio;
    }
    std::vector<std::string> params = {"[X]", "[Y]", "DoubleLeft"};
    int checked = -1;
    EXPECT_TRUE(Edit(31, params, {[&](OpenForm& f) {
                         checked = 0;
                         for (int i = 1; i <= 4; ++i) checked += f.Query("RadioButton" + std::to_string(i)).checked;
                         f.Ok();
                     }}));
    EXPECT_EQ(checked, 0) << "reopening shows no click kind";
    EXPECT_EQ(params[2], "DoubleLeft");
}

// ---------------------------------------------------------------- TMBox27Form

TEST_F(DialogBehaviour, SystemColourListStoresTheIndexNotTheBlankEndedName) {
    std::vector<std::string> params = {"3", "[Colour]"};
    int indexAtOpening = 0;
    std::string textAtOpening = "?", shown, holderAfterTyping;
    EXPECT_TRUE(Edit(46, params, {[&](OpenForm& f) {
                         indexAtOpening = f.Query("ComboBox1").itemIndex;
                         textAtOpening = f.Text("ComboBox1");
                         f.Type("ComboBox1", "COLOR_MENU");
                         holderAfterTyping = f.Text("Edit2");
                         f.Select("ComboBox1", 15);
                         shown = f.Text("ComboBox1");
                         f.Ok();
                     }}));
    EXPECT_EQ(indexAtOpening, -1) << "the list opens with no item shown";
    EXPECT_EQ(textAtOpening, "");
    EXPECT_EQ(holderAfterTyping, "3") << "typed text changes nothing";
    EXPECT_EQ(shown, "COLOR_BTNFACE ") << "the trailing blank is shown";
    EXPECT_EQ(params, (std::vector<std::string>{"15", "[Colour]"}));

    // The first and last items, on either side of the names with a blank.
    for (int index : {0, 9, 10, 20}) {
        EXPECT_TRUE(Edit(46, params, {[&](OpenForm& f) {
                             f.Select("ComboBox1", index);
                             f.Ok();
                         }}));
        EXPECT_EQ(params[0], std::to_string(index));
    }
}

TEST_F(DialogBehaviour, SystemColourListShowsAllItemsAtOnceInBoldSmallText) {
    std::vector<std::string> params = {"", ""};
    hq::ui::ControlProbe combo;
    LRESULT itemHeight = 0, count = 0;
    RECT list = {};
    std::vector<std::string> items;
    EXPECT_TRUE(Edit(46, params, {[&](OpenForm& f) {
                         combo = f.Query("ComboBox1");
                         const HWND h = combo.hwnd;
                         itemHeight = ::SendMessageW(h, CB_GETITEMHEIGHT, 0, 0);
                         count = ::SendMessageW(h, CB_GETCOUNT, 0, 0);
                         for (LRESULT i = 0; i < count; ++i) {
                             wchar_t text[64] = {};
                             ::SendMessageW(h, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
                             items.push_back(hq::Narrow(text));
                         }
                         f.Click("ComboBox1");  // drops the list down
                         COMBOBOXINFO info{};
                         info.cbSize = sizeof info;
                         ::GetComboBoxInfo(h, &info);
                         ::GetClientRect(info.hwndList, &list);
                         ::SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);
                         f.Ok();
                     }}));
    EXPECT_EQ(combo.fontHeight, 11);
    EXPECT_TRUE(combo.fontBold);
    EXPECT_EQ(itemHeight, 14);
    ASSERT_EQ(count, 21);
    EXPECT_GE(list.bottom - list.top, 21 * 14) << "the whole list shows without scrolling";
    EXPECT_EQ(combo.left, 16);
    EXPECT_EQ(combo.width, 342);
    ASSERT_EQ(items.size(), 21u);
    EXPECT_EQ(items[9], "COLOR_CAPTIONTEXT");
    EXPECT_EQ(items[10], "COLOR_ACTIVEBORDER ");
    EXPECT_EQ(items[19], "COLOR_INACTIVECAPTIONTEXT ");
}

// The message box of this thread and what it shows.
struct MessageBoxSeen {
    HWND box = nullptr;
    std::string text;  // the longest static text, Windows-1251
    int buttons = 0;
    HWND owner = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND h, LPARAM lp) {
    wchar_t cls[16] = {};
    ::GetClassNameW(h, cls, 16);
    if (std::wcscmp(cls, L"#32770") == 0 && ::IsWindowVisible(h)) {
        reinterpret_cast<MessageBoxSeen*>(lp)->box = h;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadMessageBoxChild(HWND h, LPARAM lp) {
    auto* seen = reinterpret_cast<MessageBoxSeen*>(lp);
    wchar_t cls[16] = {};
    ::GetClassNameW(h, cls, 16);
    if (!::IsWindowVisible(h)) return TRUE;
    if (::_wcsicmp(cls, L"Button") == 0) ++seen->buttons;
    if (::_wcsicmp(cls, L"Static") == 0) {
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(h)) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
        if (text.size() > seen->text.size()) seen->text = hq::Narrow(text);
    }
    return TRUE;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

TEST_F(DialogBehaviour, MoreButtonShowsTheExplanationModallyAndChangesNothing) {
    std::vector<std::string> params = {"7", "[C]"};
    MessageBoxSeen seen;
    bool formDisabled = false;
    std::string holderAfter, comboAfter;
    EXPECT_TRUE(Edit(46, params,
                     {[&](OpenForm& f) { f.Click("SpeedButton2"); },  // returns when the message is closed
                      [&](OpenForm& f) {
                          ::EnumThreadWindows(::GetCurrentThreadId(), &FindMessageBox, reinterpret_cast<LPARAM>(&seen));
                          if (!seen.box) return;
                          ::EnumChildWindows(seen.box, &ReadMessageBoxChild, reinterpret_cast<LPARAM>(&seen));
                          seen.owner = ::GetWindow(seen.box, GW_OWNER);
                          formDisabled = !::IsWindowEnabled(f.hwnd());
                          ::PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
                      },
                      [&](OpenForm& f) {
                          holderAfter = f.Text("Edit2");
                          comboAfter = f.Text("ComboBox1");
                          f.Ok();
                      }}));
    ASSERT_NE(seen.box, nullptr) << "no message box";
    EXPECT_EQ(seen.buttons, 1) << "a single OK button";
    EXPECT_NE(seen.owner, nullptr);
    EXPECT_TRUE(formDisabled) << "the message is modal over the dialog";
    EXPECT_EQ(seen.text, hq::editors::SystemColourExplanation());
    EXPECT_EQ(holderAfter, "7");
    EXPECT_EQ(comboAfter, "");
    EXPECT_EQ(params, (std::vector<std::string>{"7", "[C]"}));
}

TEST(SystemColourExplanation, OneLinePerListItemInListOrder) {
    const std::string text = hq::editors::SystemColourExplanation();
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_NE(text.substr(text.size() - 2), "\r\n") << "no line break after the last line";
    const std::vector<std::string>& items = hq::editors::FindEditor(46)->design().controls.front().items;
    ASSERT_EQ(items.size(), 21u);
    for (size_t i = 0; i < 21; ++i) {
        std::string name = items[i];
        while (!name.empty() && name.back() == ' ') name.pop_back();
        SCOPED_TRACE(lines[i]);
        ASSERT_GT(lines[i].size(), name.size() + 3);
        EXPECT_EQ(lines[i].substr(0, name.size() + 2), name + " -") << "line " << i + 1 << " names item " << i;
        EXPECT_NE(lines[i][name.size() + 2], ' ') << "no blank after the hyphen";
        EXPECT_EQ(lines[i].find('\n'), std::string::npos);
    }
    EXPECT_EQ(lines[4], "COLOR_MENU -Фон меню.");
    EXPECT_EQ(lines[12], "COLOR_APPWORKSPACE -Цвет фона многодокументного интерфейса  (MDI) приложения.");
    EXPECT_EQ(lines[9],
              "COLOR_CAPTIONTEXT -Текст в заголовке, блоке управленя размером, и окошко с изображением стрелки "
              "линейки прокрутки.");
}

// ---------------------------------------------------------------- TMBox24Form

// Parameters of ID 40: full-open, X, Y, style, animation, duration, RGB, HTML, FLASH, TCOLOR.
std::vector<std::string> ColourDialogParams(std::string fullOpen, std::string style, std::string animation) {
    return {fullOpen, "10", "20", style, animation, "300", "[R]", "[H]", "[F]", "[T]"};
}

TEST_F(DialogBehaviour, ColourDialogShowDiscardsTheFullOpenSwitchAndShowsTheAnimation) {
    std::vector<std::string> params = ColourDialogParams("1", "2", "Fade");
    bool boxChecked = true, anyStyle = true;
    std::string fullOpen, comboText;
    EXPECT_TRUE(Edit(40, params, {[&](OpenForm& f) {
                         boxChecked = f.Query("CheckBox1").checked;
                         anyStyle = f.Query("RadioButton1").checked || f.Query("RadioButton2").checked ||
                                    f.Query("RadioButton3").checked;
                         fullOpen = f.Text("Edit0");
                         comboText = f.Text("ComboBox1");
                         f.Ok();
                     }}));
    EXPECT_FALSE(boxChecked);
    EXPECT_FALSE(anyStyle);
    EXPECT_EQ(fullOpen, "0");
    EXPECT_EQ(comboText, "Fade");
    EXPECT_EQ(params, ColourDialogParams("0", "2", "Fade"));

    // A name that is not in the list shows too, and is kept.
    params = ColourDialogParams("", "", "Zoom Out");
    EXPECT_TRUE(Edit(40, params, {[&](OpenForm& f) {
                         comboText = f.Text("ComboBox1");
                         f.Ok();
                     }}));
    EXPECT_EQ(comboText, "Zoom Out");
    EXPECT_EQ(params, ColourDialogParams("0", "", "Zoom Out"));
}

TEST_F(DialogBehaviour, ColourDialogAnimationOnlyAChoiceFromTheListIsStored) {
    std::vector<std::string> params = ColourDialogParams("0", "1", "Fade");
    EXPECT_TRUE(Edit(40, params, {[](OpenForm& f) {
                         f.Type("ComboBox1", "Center");
                         f.Ok();
                     }}));
    EXPECT_EQ(params[4], "Fade") << "typed text does not reach the holder";

    std::string holder;
    EXPECT_TRUE(Edit(40, params, {[&](OpenForm& f) {
                         f.Select("ComboBox1", 9);
                         holder = f.Text("Edit7");
                         f.Ok();
                     }}));
    EXPECT_EQ(holder, "Center");
    EXPECT_EQ(params[4], "Center");

    EXPECT_TRUE(Edit(40, params, {[&](OpenForm& f) {
                         f.Select("ComboBox1", 0);
                         f.Ok();
                     }}));
    EXPECT_EQ(params[4], "None");
}

TEST_F(DialogBehaviour, ColourDialogStyleButtonsAndFullOpenCheckBox) {
    for (int i = 1; i <= 3; ++i) {
        std::vector<std::string> params = ColourDialogParams("0", "[Style]", "");
        EXPECT_TRUE(Edit(40, params, {[&](OpenForm& f) {
                             f.Click("RadioButton" + std::to_string(i));
                             f.Ok();
                         }}));
        EXPECT_EQ(params[3], std::to_string(i));
    }
    std::vector<std::string> params = ColourDialogParams("0", "1", "None");
    std::string checkedOnce, checkedTwice;
    EXPECT_TRUE(Edit(40, params, {[&](OpenForm& f) {
                         f.Click("CheckBox1");
                         checkedOnce = f.Text("Edit0");
                         f.Click("CheckBox1");
                         checkedTwice = f.Text("Edit0");
                         f.Click("CheckBox1");
                         f.Ok();
                     }}));
    EXPECT_EQ(checkedOnce, "1");
    EXPECT_EQ(checkedTwice, "0");
    EXPECT_EQ(params, ColourDialogParams("1", "1", "None"));
}

}  // namespace
