// Every desktop, input and colour-dialog editor through the real export: each
// parameter reaches its holder, "OK" stores every holder into a new block and
// frees the old one, "Отмена" and the close box touch nothing, the focus
// starts where the dialog wants it, and every pick button serves its field.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogs54.h"
#include "driver.h"
#include "editors/editor_table.h"
#include "plugin/catalogue.h"
#include "fixture.h"

namespace {

using dialogs54::DialogCase;
using dialogs54::Dialogs;
using dialogs54::HostSlots;
using hqtest::Driver;
using hqtest::OpenForm;
using Origin = hqhost::Ledger::Origin;

class Dialogs54 : public hqtest::PluginTest {
protected:
    void TearDown() override {
        EXPECT_EQ(hqtest::FindOpenForm(), nullptr) << "a dialog outlived its call";
        PluginTest::TearDown();
    }
};

// Distinct text per dialog and parameter, with Cyrillic bytes and blanks kept as they are.
std::vector<std::string> Texts(const DialogCase& c) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < c.holders.size(); ++i)
        texts.push_back(" Знач" + std::to_string(c.id) + "_" + std::to_string(i + 1) + " [Var] ");
    return texts;
}

TEST_F(Dialogs54, EveryDialogIsInTheEditorTable) {
    for (const DialogCase& c : Dialogs()) {
        const hq::editors::EditorRow* row = hq::editors::FindEditor(c.id);
        ASSERT_NE(row, nullptr) << c.id;
        EXPECT_STREQ(row->dialogClass, c.dialogClass);
        EXPECT_EQ(static_cast<size_t>(hq::FindAction(c.id)->count), c.holders.size()) << c.dialogClass;
    }
}

TEST_F(Dialogs54, OkLoadsAndStoresEveryParameterAndTheFocusStartsInPlace) {
    for (const DialogCase& c : Dialogs()) {
        SCOPED_TRACE(c.dialogClass);
        const std::vector<std::string> texts = Texts(c);
        HostSlots slots(ledger(), texts);
        std::vector<std::string> expected = texts;
        if (c.resetParameter) expected[static_cast<size_t>(c.resetParameter - 1)] = c.resetTo;
        std::vector<std::string> shown;
        std::map<std::string, int> tabIndex;
        HWND focus = nullptr, expectedFocus = nullptr;
        Driver d([&](OpenForm& f) {
            for (const char* h : c.holders) shown.push_back(f.Text(h));
            focus = ::GetFocus();
            expectedFocus = f.Query(c.focus).hwnd;
            for (const char* name : c.tabOrder) tabIndex[name] = f.Query(name).tabIndex;
            f.Ok();
        });
        const size_t hostBlocks = ledger().LiveFrom(Origin::Host);
        const size_t pluginBlocks = ledger().LiveFrom(Origin::Plugin);
        EXPECT_TRUE(host().EditRaw(c.id, slots.data()));
        EXPECT_FALSE(d.ForcedClose());
        EXPECT_EQ(shown, expected);
        EXPECT_NE(expectedFocus, nullptr);
        EXPECT_EQ(focus, expectedFocus) << "the focus should start in " << c.focus;
        for (size_t i = 0; i < c.tabOrder.size(); ++i)
            EXPECT_EQ(tabIndex[c.tabOrder[i]], static_cast<int>(i)) << c.tabOrder[i];
        EXPECT_EQ(ledger().LiveFrom(Origin::Host), hostBlocks - texts.size()) << "every old block freed";
        EXPECT_EQ(ledger().LiveFrom(Origin::Plugin), pluginBlocks + texts.size()) << "one new block each";
        for (size_t i = 0; i < texts.size(); ++i) {
            ASSERT_TRUE(ledger().IsLive(slots[i]));
            EXPECT_EQ(slots[i], std::string_view(expected[i]));
            EXPECT_EQ(::GlobalSize(slots[i]), expected[i].size() + 1);
        }
        EXPECT_EQ(slots[texts.size()], nullptr) << "a slot past the parameters was written";
        EXPECT_FALSE(host().LastError().has_value());
    }
}

TEST_F(Dialogs54, CancelAndTheCloseBoxStoreNothing) {
    for (const DialogCase& c : Dialogs()) {
        for (bool closeBox : {false, true}) {
            SCOPED_TRACE(std::string(c.dialogClass) + (closeBox ? " close box" : " Отмена"));
            const std::vector<std::string> texts = Texts(c);
            HostSlots slots(ledger(), texts);
            Driver d([&](OpenForm& f) {
                for (const char* h : c.holders) f.Type(h, "changed");
                closeBox ? f.CloseBox() : f.Cancel();
            });
            const size_t blocks = ledger().Live();
            EXPECT_FALSE(host().EditRaw(c.id, slots.data()));
            EXPECT_TRUE(d.Ran());
            EXPECT_FALSE(d.ForcedClose());
            EXPECT_EQ(ledger().Live(), blocks);
            for (size_t i = 0; i < texts.size(); ++i) {
                EXPECT_EQ(slots[i], slots.Before()[i]);
                EXPECT_EQ(slots[i], std::string_view(texts[i]));
            }
        }
    }
}

// ---------------------------------------------------------------- pick buttons

struct PickCase {
    int id;
    const char* button;
    int code;
    const char* field;
    bool hint;  // shows its tooltip
    bool hand;  // hand cursor
};

const PickCase kPicks[] = {
    {27, "SpeedButton2", 14, "Edit1", true, true},   {27, "SpeedButton4", 14, "Edit2", true, true},
    {27, "SpeedButton1", 14, "Edit3", true, false},  {28, "SpeedButton1", 14, "Edit1", true, false},
    {28, "SpeedButton2", 14, "Edit2", true, true},   {28, "SpeedButton3", 14, "Edit3", false, false},
    {28, "SpeedButton4", 14, "Edit4", false, false}, {31, "SpeedButton2", 14, "Edit1", true, false},
    {31, "SpeedButton4", 14, "Edit2", true, false},  {32, "SpeedButton1", 14, "Edit1", true, false},
    {33, "SpeedButton2", 15, "Edit1", true, false},  {33, "SpeedButton1", 14, "Edit1", true, false},
    {40, "SpeedButton2", 14, "Edit1", true, false},  {40, "SpeedButton4", 14, "Edit2", true, false},
    {40, "SpeedButton3", 14, "Edit4", true, false},  {40, "SpeedButton5", 14, "Edit5", false, false},
    {40, "SpeedButton6", 14, "Edit6", false, false}, {40, "SpeedButton8", 14, "Edit8", false, false},
    {40, "SpeedButton9", 14, "Edit9", false, false}, {46, "SpeedButton1", 14, "Edit1", true, false},
};

const char* HintOf(int code) { return code == 15 ? "Выбрать файл" : "Вставить переменную"; }

TEST_F(Dialogs54, PickButtonsSitOnTheRowsThatHaveThemAndNowhereElse) {
    for (const DialogCase& c : Dialogs()) {
        std::set<std::string> expected, declared;
        for (const PickCase& p : kPicks)
            if (p.id == c.id) expected.insert(p.button);
        for (const auto& decl : hq::editors::FindEditor(c.id)->design().controls)
            if (decl.pickCode != 0) declared.insert(decl.name);
        EXPECT_EQ(declared, expected) << c.dialogClass;
    }
}

TEST_F(Dialogs54, EveryPickButtonAsksForItsCodeAndFillsItsOwnField) {
    for (const DialogCase& c : Dialogs()) {
        std::vector<const PickCase*> picks;
        for (const PickCase& p : kPicks)
            if (p.id == c.id) picks.push_back(&p);
        if (picks.empty()) continue;
        SCOPED_TRACE(c.dialogClass);
        host().PickRequests().clear();
        HostSlots slots(ledger(), std::vector<std::string>(c.holders.size(), "old"));
        struct Seen {
            std::string field, othersBefore, othersAfter, hint;
            bool hand = false;
        };
        std::vector<Seen> seen;
        Driver d([&](OpenForm& f) {
            for (const PickCase* p : picks) {
                Seen s;
                const std::string answer = std::string("[") + p->button + "]";
                host().PickAnswers().push_back({true, answer, p->code});
                auto others = [&] {
                    std::string all;
                    for (const char* h : c.holders)
                        if (std::string(h) != p->field) all += f.Text(h) + ";";
                    return all;
                };
                f.Type(p->field, p->field);
                s.othersBefore = others();
                f.Click(p->button);
                s.field = f.Text(p->field);
                s.othersAfter = others();
                const hq::ui::ControlProbe q = f.Query(p->button);
                s.hint = q.hint;
                s.hand = q.handCursor != 0;
                seen.push_back(s);
                f.Type(p->field, "old");
            }
            f.Cancel();
        });
        EXPECT_FALSE(host().EditRaw(c.id, slots.data()));
        ASSERT_EQ(seen.size(), picks.size());
        ASSERT_EQ(host().PickRequests().size(), picks.size());
        for (size_t i = 0; i < picks.size(); ++i) {
            const PickCase& p = *picks[i];
            SCOPED_TRACE(p.button);
            EXPECT_EQ(host().PickRequests()[i].code, p.code);
            EXPECT_EQ(host().PickRequests()[i].slotText, p.field) << "the field's own text goes to the host";
            EXPECT_EQ(seen[i].field, std::string("[") + p.button + "]");
            EXPECT_EQ(seen[i].othersAfter, seen[i].othersBefore) << "another field changed";
            EXPECT_EQ(seen[i].hint, p.hint ? HintOf(p.code) : "");
            EXPECT_EQ(seen[i].hand, p.hand);
        }
    }
}

}  // namespace
