// Every dialog through the real export: each parameter reaches its holder,
// "OK" stores every holder in a new block (the host's old blocks freed),
// "Отмена" and the close box store nothing, the focus and the tab order, and
// the pick buttons with the field each one serves.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs52.h"
#include "driver.h"

namespace {

using dialogs52::Cases;
using dialogs52::DialogCase;
using dialogs52::Slots;
using hqtest::Driver;
using hqtest::OpenForm;

class Dialogs52 : public hqtest::PluginTest {};

std::string Stored(int id, size_t i) { return "Параметр " + std::to_string(i + 1) + " [" + std::to_string(id) + "]"; }
std::string Typed(size_t i) { return "C:\\Новая папка\\ввод " + std::to_string(i + 1) + ".bmp"; }
bool IsEdit(const char* name) { return std::string(name).rfind("Edit", 0) == 0; }

TEST_F(Dialogs52, EachParameterReachesItsHolderAndOkStoresEveryHolder) {
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE(c.dialogClass);
        std::vector<std::string> texts;
        for (size_t i = 0; i < c.holders.size(); ++i) texts.push_back(Stored(c.id, i));
        Slots slots(ledger(), texts);
        std::vector<std::string> shown, expected;
        std::string caption;
        HWND focus = nullptr, first = nullptr;
        std::vector<int> tabs;
        Driver d([&](OpenForm& f) {
            for (const char* h : c.holders) shown.push_back(f.Text(h));
            caption = dialogs52::WindowCaption(f.hwnd());
            focus = ::GetFocus();
            first = f.Query(c.tabOrder.front()).hwnd;
            for (const char* n : c.tabOrder) tabs.push_back(f.Query(n).tabIndex);
            // The author types into every edit holder; label holders keep their text.
            for (size_t i = 0; i < c.holders.size(); ++i) {
                expected.push_back(IsEdit(c.holders[i]) ? Typed(i) : texts[i]);
                if (IsEdit(c.holders[i])) f.Type(c.holders[i], Typed(i));
            }
            f.Ok();
        });
        const size_t hostBlocks = ledger().LiveFrom(hqhost::Ledger::Origin::Host);
        const size_t pluginBlocks = ledger().LiveFrom(hqhost::Ledger::Origin::Plugin);
        ASSERT_TRUE(host().EditRaw(c.id, slots.data()));
        EXPECT_FALSE(d.ForcedClose());
        EXPECT_EQ(shown, texts);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(focus, first) << "the focus starts on " << c.tabOrder.front();
        for (size_t i = 0; i < tabs.size(); ++i) EXPECT_EQ(tabs[i], static_cast<int>(i)) << c.tabOrder[i];
        const size_t n = c.holders.size();
        EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Host), hostBlocks - n);
        EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), pluginBlocks + n);
        for (size_t i = 0; i < n; ++i) {
            ASSERT_TRUE(ledger().IsLive(slots[i]));
            EXPECT_EQ(std::string(slots[i]), expected[i]) << "parameter " << i + 1;
            EXPECT_EQ(::GlobalSize(slots[i]), expected[i].size() + 1);
        }
        EXPECT_EQ(slots[n], nullptr) << "a slot past the last parameter was written";
    }
}

TEST_F(Dialogs52, CancelAndTheCloseBoxStoreNothing) {
    for (const DialogCase& c : Cases()) {
        for (bool closeBox : {false, true}) {
            SCOPED_TRACE(std::string(c.dialogClass) + (closeBox ? " close box" : " Отмена"));
            std::vector<std::string> texts;
            for (size_t i = 0; i < c.holders.size(); ++i) texts.push_back(Stored(c.id, i));
            Slots slots(ledger(), texts);
            Driver d([&](OpenForm& f) {
                for (size_t i = 0; i < c.holders.size(); ++i)
                    if (IsEdit(c.holders[i])) f.Type(c.holders[i], Typed(i));
                closeBox ? f.CloseBox() : f.Cancel();
            });
            EXPECT_FALSE(host().EditRaw(c.id, slots.data()));
            EXPECT_TRUE(d.Ran());
            EXPECT_FALSE(d.ForcedClose());
            for (size_t i = 0; i < c.holders.size(); ++i) {
                EXPECT_EQ(slots[i], slots.before(i));
                EXPECT_EQ(std::string(slots[i]), texts[i]);
            }
        }
    }
}

TEST_F(Dialogs52, EveryPickButtonServesItsOwnRowAndNoOtherExists) {
    const char* hints[16] = {};
    hints[1] = "Выбрать объект из списка";
    hints[14] = "Вставить переменную";
    hints[15] = "Выбрать файл";
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE(c.dialogClass);
        host().PickRequests().clear();
        for (const auto& p : c.picks) host().PickAnswers().push_back({true, std::string("Ответ ") + p.button, p.code});
        std::vector<std::string> before, after, present;
        std::vector<hq::ui::ControlProbe> probes;
        Driver d([&](OpenForm& f) {
            for (const auto& p : c.picks) {
                before.push_back(f.Text(p.field));
                f.Click(p.button);
                after.push_back(f.Text(p.field));
                probes.push_back(f.Query(p.button));
            }
            for (int k = 1; k <= 16; ++k) {
                const std::string name = "SpeedButton" + std::to_string(k);
                if (f.Exists(name)) present.push_back(name);
            }
            f.Cancel();
        });
        std::vector<std::string> texts(c.holders.size(), "старый текст");
        Slots slots(ledger(), texts);
        EXPECT_FALSE(host().EditRaw(c.id, slots.data()));
        ASSERT_EQ(after.size(), c.picks.size());
        ASSERT_EQ(host().PickRequests().size(), c.picks.size());
        std::vector<std::string> declared;
        for (size_t i = 0; i < c.picks.size(); ++i) {
            const auto& p = c.picks[i];
            declared.push_back(p.button);
            EXPECT_EQ(host().PickRequests()[i].code, p.code) << p.button;
            EXPECT_EQ(host().PickRequests()[i].slotText, before[i]) << p.button << " sent another field's text";
            EXPECT_EQ(after[i], std::string("Ответ ") + p.button) << p.button << " filled another field";
            EXPECT_STREQ(probes[i].kind, "SpeedButton");
            EXPECT_EQ(probes[i].width, 24);
            EXPECT_EQ(probes[i].height, 24);
            EXPECT_STREQ(probes[i].hint, hints[p.code]) << p.button;
            EXPECT_EQ(probes[i].handCursor != 0, c.handCursorPicks) << p.button;
        }
        std::sort(declared.begin(), declared.end());
        std::sort(present.begin(), present.end());
        EXPECT_EQ(present, declared) << "a pick button where the dialog has none, or one missing";
    }
}

TEST_F(Dialogs52, CopyToClipboardOpensOnOkSoEnterConfirmsAtOnce) {
    Driver d([](OpenForm&) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); });
    std::vector<std::string> params = {"C:\\file.txt"};
    EXPECT_TRUE(host().Edit(44, params));
    EXPECT_FALSE(d.ForcedClose());
    EXPECT_EQ(params[0], "C:\\file.txt");
}

}  // namespace
