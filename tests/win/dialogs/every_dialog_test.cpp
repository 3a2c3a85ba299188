// Every dialog of the editor table through the real export, checked against
// its own design: each parameter reaches its holder, "OK" stores every holder
// in a new block and frees the host's old one, "Отмена" and the close box
// store nothing, the focus starts on the first visible control of the tab
// order and exactly the listed controls are tab stops, and every pick button
// present serves its own field with its request (no other speed button exists).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_test.h"
#include "editors/editor_table.h"
#include "plugin/catalogue.h"

namespace {

using hq::editors::ControlDecl;
using hq::editors::ControlKind;
using hq::editors::DialogDesign;
using hq::editors::EditorRow;
using hqtest::Driver;
using hqtest::OpenForm;
using Origin = hqhost::Ledger::Origin;

// A parameter the dialog's show handler replaces before display, and its text.
struct Reset {
    int id, parameter;
    const char* text;
};
// The colour dialog's full-open switch opens as "0", in step with its check box.
constexpr Reset kResets[] = {{40, 1, "0"}};

// Controls with a window of their own (labels and speed buttons are drawn by the form).
bool IsWindowed(const ControlDecl& c) { return c.kind != ControlKind::Label && c.kind != ControlKind::SpeedButton; }

// What a row's design says, as the suite needs it.
struct Wiring {
    const EditorRow* row;
    const DialogDesign* design;
    std::string caption{};
    std::vector<std::string> holders{};   // parameter 1 first
    std::vector<std::string> tabOrder{};  // as the dialog gets it
    std::vector<const ControlDecl*> picks{};
    std::vector<std::string> speedButtons{};  // every declared one, sorted
};

Wiring WiringOf(const EditorRow& row) {
    Wiring w{&row, &row.design()};
    const DialogDesign& d = *w.design;
    w.caption = d.caption.empty() ? "Свойства " + d.action : d.caption;
    w.holders.resize(static_cast<size_t>(hq::FindAction(row.id)->count));
    for (const ControlDecl& c : d.controls) {
        if (c.holds > 0 && static_cast<size_t>(c.holds) <= w.holders.size()) w.holders[c.holds - 1] = c.name;
        if (c.pickCode) w.picks.push_back(&c);
        if (c.kind == ControlKind::SpeedButton) w.speedButtons.push_back(c.name);
    }
    w.tabOrder = d.tabOrder;
    if (w.tabOrder.empty()) {
        for (const ControlDecl& c : d.controls)
            if (IsWindowed(c) && !c.hidden) w.tabOrder.push_back(c.name);
        w.tabOrder.insert(w.tabOrder.end(), {"Button1", "Button2"});
    }
    std::sort(w.speedButtons.begin(), w.speedButtons.end());
    return w;
}

std::vector<Wiring> Rows() {
    std::vector<Wiring> rows;
    for (const EditorRow& row : hq::editors::kEditorTable) rows.push_back(WiringOf(row));
    return rows;
}

// Distinct text per dialog and parameter: Cyrillic, a variable reference, blanks at both ends.
std::vector<std::string> Texts(const Wiring& w, const char* what) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < w.holders.size(); ++i)
        texts.push_back(" " + std::string(what) + std::to_string(w.row->id) + "_" + std::to_string(i + 1) + " [Пер] ");
    return texts;
}

std::string Typed(const Wiring& w, size_t i) {
    return "C:\\Новая папка\\ввод " + std::to_string(w.row->id) + "." + std::to_string(i + 1) + ".bmp";
}

// Speed buttons the open form has, by the names designs use.
std::vector<std::string> SpeedButtonsOn(const OpenForm& f) {
    std::vector<std::string> present;
    for (int k = 0; k <= 16; ++k) {
        const std::string name = "SpeedButton" + std::to_string(k);
        if (f.Exists(name)) present.push_back(name);
    }
    std::sort(present.begin(), present.end());
    return present;
}

// Types `text` into every holder that is a field (holder labels take no typing).
void ChangeEveryField(const OpenForm& f, const Wiring& w, const std::string& text) {
    for (const std::string& h : w.holders)
        if (f.Query(h).hwnd) f.Type(h, text);
}

class EveryDialog : public hqtest::DialogTest {
protected:
    // Opens `id` on the slots given with `texts`; the driver declines the
    // dialog, and no slot nor any block may change.
    void ExpectNothingStored(int id, const Driver& d, const std::vector<std::string>& texts) {
        const size_t blocks = ledger().Live();
        EXPECT_FALSE(Edit(id));
        EXPECT_TRUE(d.Ran());
        EXPECT_FALSE(d.ForcedClose());
        EXPECT_EQ(ledger().Live(), blocks);
        EXPECT_TRUE(Untouched()) << "a slot was replaced";
        for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(Slot(i), texts[i]);
    }
};

TEST_F(EveryDialog, ParametersReachTheirHoldersFocusAndTabsFollowTheDesignAndOkStoresEveryHolder) {
    for (const Wiring& w : Rows()) {
        SCOPED_TRACE(w.row->dialogClass);
        const std::vector<std::string> texts = Texts(w, "Знач");
        std::vector<std::string> shown = texts;
        for (const Reset& r : kResets)
            if (r.id == w.row->id) shown[static_cast<size_t>(r.parameter - 1)] = r.text;
        Give(texts);
        const hqhost::ObjectCounts objects = host().LiveObjects();

        std::vector<std::string> seen, expected = shown, strayTabStops, present;
        std::vector<int> tabIndex;
        std::string caption;
        HWND focus = nullptr, wantFocus = nullptr;
        Driver d([&](OpenForm& f) {
            std::vector<hq::ui::ControlProbe> holders;
            for (const std::string& h : w.holders) {
                holders.push_back(f.Query(h));
                seen.push_back(holders.back().text);
            }
            caption = f.Form().text;
            focus = ::GetFocus();
            for (const std::string& name : w.tabOrder) {
                const hq::ui::ControlProbe p = f.Query(name);
                tabIndex.push_back(p.tabIndex);
                if (!wantFocus && p.visible) wantFocus = p.hwnd;
            }
            for (const ControlDecl& c : w.design->controls) {
                if (!IsWindowed(c) || std::find(w.tabOrder.begin(), w.tabOrder.end(), c.name) != w.tabOrder.end())
                    continue;
                if (f.Query(c.name).tabIndex != -1) strayTabStops.push_back(c.name);
            }
            present = SpeedButtonsOn(f);
            // The author types into every visible field that holds a parameter.
            for (size_t i = 0; i < w.holders.size(); ++i) {
                if (std::string(holders[i].kind) != "Edit" || !holders[i].visible) continue;
                f.Type(w.holders[i], Typed(w, i));
                expected[i] = Typed(w, i);
            }
            f.Ok();
        });
        const size_t hostBlocks = ledger().LiveFrom(Origin::Host);
        const size_t pluginBlocks = ledger().LiveFrom(Origin::Plugin);
        ASSERT_TRUE(Edit(w.row->id));
        EXPECT_FALSE(d.ForcedClose());
        EXPECT_FALSE(host().LastError().has_value());
        EXPECT_EQ(seen, shown) << "a parameter did not reach its holder";
        EXPECT_EQ(caption, w.caption);
        EXPECT_NE(wantFocus, nullptr) << "no visible control in the tab order";
        EXPECT_EQ(focus, wantFocus) << "the focus should start on the first visible control of the tab order";
        for (size_t i = 0; i < tabIndex.size(); ++i) EXPECT_EQ(tabIndex[i], static_cast<int>(i)) << w.tabOrder[i];
        EXPECT_TRUE(strayTabStops.empty()) << strayTabStops.front() << " is a tab stop the order does not list";
        EXPECT_EQ(present, w.speedButtons) << "a speed button the design does not declare, or one missing";

        const size_t n = w.holders.size();
        EXPECT_EQ(ledger().LiveFrom(Origin::Host), hostBlocks - n) << "every old block freed";
        EXPECT_EQ(ledger().LiveFrom(Origin::Plugin), pluginBlocks + n) << "one new block each";
        for (size_t i = 0; i < n; ++i) {
            ASSERT_TRUE(ledger().IsLive(At(i))) << "parameter " << i + 1;
            EXPECT_EQ(Slot(i), expected[i]) << "parameter " << i + 1;
            EXPECT_EQ(::GlobalSize(At(i)), expected[i].size() + 1) << "parameter " << i + 1;
        }
        EXPECT_TRUE(NothingPastTheEnd()) << "a slot past the last parameter was written";
        TakeSlots();
        EXPECT_EQ(host().LiveObjects(), objects) << "GDI or USER objects left behind";
    }
}

// Each pick button asks for its code with its field's text (or its filter);
// the field takes the answer (an object list's whatever the host answers) and
// no other holder changes. Then "Отмена" stores none of it.
TEST_F(EveryDialog, PickButtonsServeTheirOwnFieldAndCancelStoresNothing) {
    for (const Wiring& w : Rows()) {
        SCOPED_TRACE(w.row->dialogClass);
        const std::vector<std::string> texts = Texts(w, "Старое");
        Give(texts);
        host().PickRequests().clear();
        host().PickAnswers().clear();
        for (const ControlDecl* p : w.picks)
            host().PickAnswers().push_back({p->pickCode != hq::editors::kPickObject, "Выбор " + p->name, p->pickCode});
        struct Seen {
            std::string field, othersBefore, othersAfter;
            hq::ui::ControlProbe probe;
        };
        std::vector<Seen> seen;
        Driver d([&](OpenForm& f) {
            auto others = [&](const std::string& field) {
                std::string all;
                for (const std::string& h : w.holders)
                    if (h != field) all += f.Text(h) + "|";
                return all;
            };
            for (const ControlDecl* p : w.picks) {
                Seen s;
                f.Type(p->pickField, "Поле " + p->name);
                s.othersBefore = others(p->pickField);
                f.Click(p->name);
                s.field = f.Text(p->pickField);
                s.othersAfter = others(p->pickField);
                s.probe = f.Query(p->name);
                seen.push_back(s);
            }
            ChangeEveryField(f, w, "изменено");
            f.Cancel();
        });
        ExpectNothingStored(w.row->id, d, texts);
        EXPECT_TRUE(host().PickAnswers().empty()) << "a pick button did not ask the host";
        ASSERT_EQ(seen.size(), w.picks.size());
        ASSERT_EQ(host().PickRequests().size(), w.picks.size());
        for (size_t i = 0; i < w.picks.size(); ++i) {
            const ControlDecl& p = *w.picks[i];
            SCOPED_TRACE(p.name);
            EXPECT_EQ(host().PickRequests()[i].code, p.pickCode);
            EXPECT_EQ(host().PickRequests()[i].slotText, p.pickFilter.value_or("Поле " + p.name))
                << "the host receives the field's own text, or the filter";
            EXPECT_EQ(seen[i].field, "Выбор " + p.name) << "the answer went elsewhere";
            EXPECT_EQ(seen[i].othersAfter, seen[i].othersBefore) << "another field changed";
            EXPECT_STREQ(seen[i].probe.kind, "SpeedButton");
            EXPECT_EQ(seen[i].probe.hint, p.hint);
            EXPECT_EQ(seen[i].probe.handCursor != 0, p.hand);
        }
    }
}

TEST_F(EveryDialog, TheCloseBoxStoresNothing) {
    for (const Wiring& w : Rows()) {
        SCOPED_TRACE(w.row->dialogClass);
        const std::vector<std::string> texts = Texts(w, "Старое");
        Give(texts);
        Driver d([&](OpenForm& f) {
            ChangeEveryField(f, w, "изменено");
            f.CloseBox();
        });
        ExpectNothingStored(w.row->id, d, texts);
    }
}

}  // namespace
