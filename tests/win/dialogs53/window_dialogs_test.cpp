// The window-shape, transparency, PNG-mask and text-entry dialogs (IDs 20, 21,
// 23, 24, 25, 38, 45) through the real export: slots in and out, Cancel and the close box,
// the focus at the start, the pick buttons and what they ask the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases.h"
#include "slots.h"

namespace dialogs53 {
namespace {

using hqtest::Driver;
using hqtest::OpenForm;

// Distinct texts, Cyrillic and a variable reference among them, one per parameter.
std::vector<std::string> Texts(const DialogCase& c, const char* prefix) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < c.holders.size(); ++i)
        texts.push_back(std::string(prefix) + std::to_string(i + 1) + (i % 2 ? " [Пер]" : " Окно"));
    return texts;
}

class WindowDialogs : public DialogTest {};

TEST_F(WindowDialogs, LoadEveryHolderAndStoreNewBlocksOnOk) {
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE(c.action);
        const std::vector<std::string> texts = Texts(c, "п");
        Give(texts);
        const hqhost::ObjectCounts objects = host().LiveObjects();
        std::vector<std::string> shown;
        std::string caption;
        bool focusAtStart = false;
        Driver d([&](OpenForm& f) {
            for (const char* h : c.holders) shown.push_back(f.Text(h));
            caption = f.Form().text;
            focusAtStart = ::GetFocus() == f.Query(c.focus).hwnd;
            f.Ok();
        });
        const size_t hostBlocks = ledger().LiveFrom(hqhost::Ledger::Origin::Host);
        const size_t pluginBlocks = ledger().LiveFrom(hqhost::Ledger::Origin::Plugin);
        EXPECT_TRUE(Edit(c.id));
        EXPECT_EQ(shown, texts);
        EXPECT_EQ(caption, c.Caption());
        EXPECT_TRUE(focusAtStart) << "focus should start in " << c.focus;
        EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Host), hostBlocks - texts.size()) << "old blocks freed";
        EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), pluginBlocks + texts.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(Slot(i), texts[i]);
            EXPECT_TRUE(ledger().IsLive(slots_[i]));
        }
        EXPECT_EQ(host().LiveObjects(), objects) << "GDI or USER objects left behind";
    }
}

TEST_F(WindowDialogs, CancelAndTheCloseBoxStoreNothing) {
    for (const DialogCase& c : Cases())
        for (bool closeBox : {false, true}) {
            SCOPED_TRACE(std::string(c.action) + (closeBox ? " close box" : " Отмена"));
            Give(Texts(c, "k"));
            Driver d([&](OpenForm& f) {
                for (const char* h : c.holders) f.Type(h, "changed");
                closeBox ? f.CloseBox() : f.Cancel();
            });
            EXPECT_FALSE(Edit(c.id));
            EXPECT_TRUE(d.Ran());
            EXPECT_FALSE(d.ForcedClose());
            EXPECT_TRUE(Untouched());
            EXPECT_EQ(Slot(0), Texts(c, "k")[0]);
        }
}

// Each pick button: only where the dialog has one, with its hint; a click asks
// the host with the field's text (or the filter) and the field takes the
// answer (object lists: whatever the slot then holds, even when the host
// answers false). Where the buttons sit is checked over every dialog by the
// layout test of the dialogs52 folder.
TEST_F(WindowDialogs, PickButtonsOnTheirRowsAskTheHost) {
    const char* const hints[16] = {nullptr, "Выбрать объект из списка", nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   "Вставить переменную", "Выбрать файл"};
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE(c.action);
        Give(Texts(c, "p"));
        host().PickRequests().clear();
        for (size_t i = 0; i < c.picks.size(); ++i) {
            const bool answer = c.picks[i].code == 1 ? false : true;
            host().PickAnswers().push_back({answer, "Выбор" + std::to_string(i), c.picks[i].code});
        }
        std::vector<std::string> sent, after;
        std::vector<std::string> untouchedBefore, untouchedAfter;
        Driver d([&](OpenForm& f) {
            for (int n = c.picks.size() + 1; n <= 4; ++n)
                EXPECT_FALSE(f.Exists("SpeedButton" + std::to_string(n))) << "no pick button beyond the listed ones";
            for (const char* h : c.holders)
                if (c.picks.empty() || std::string(h) != c.picks[0].field) untouchedBefore.push_back(f.Text(h));
            for (const PickCase& p : c.picks) {
                const hq::ui::ControlProbe b = f.Query(p.button);
                EXPECT_STREQ(b.kind, "SpeedButton");
                EXPECT_STREQ(b.hint, hints[p.code]);
                sent.push_back(f.Text(p.field));
                f.Click(p.button);
                after.push_back(f.Text(p.field));
            }
            for (const char* h : c.holders)
                if (c.picks.empty() || std::string(h) != c.picks[0].field) untouchedAfter.push_back(f.Text(h));
            f.Ok();
        });
        EXPECT_TRUE(Edit(c.id));
        EXPECT_TRUE(host().PickAnswers().empty()) << "a pick button did not ask the host";
        ASSERT_EQ(host().PickRequests().size(), c.picks.size());
        for (size_t i = 0; i < c.picks.size(); ++i) {
            EXPECT_EQ(host().PickRequests()[i].code, c.picks[i].code);
            EXPECT_EQ(host().PickRequests()[i].slotText, c.picks[i].sent ? c.picks[i].sent : sent[i])
                << "the host receives the field's text or the filter";
            EXPECT_EQ(after[i], "Выбор" + std::to_string(i));
        }
        EXPECT_EQ(untouchedAfter, untouchedBefore) << "a pick changed another field";
        if (!c.picks.empty()) {
            EXPECT_EQ(Slot(0), "Выбор" + std::to_string(c.picks.size() - 1));
        }
    }
}

TEST_F(WindowDialogs, ColourComponentsAreStoredAsTyped) {
    Give({"0", "0", "0"});
    Driver d([](OpenForm& f) {
        f.Type("Edit2", "256");
        f.Type("Edit3", "-1");
        f.Type("Edit4", "[Синий]");
        f.Ok();
    });
    EXPECT_TRUE(Edit(21));
    EXPECT_EQ(Slot(0), "256");
    EXPECT_EQ(Slot(1), "-1");
    EXPECT_EQ(Slot(2), "[Синий]");
}

}  // namespace
}  // namespace dialogs53
