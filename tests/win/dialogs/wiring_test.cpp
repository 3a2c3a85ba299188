// What each dialog is described to be, written down independently of its
// design: the form class, a caption ending in a blank, which control holds
// each parameter, the tab order (the focus starts on its first visible
// control) and every pick button with its request, field, hint and cursor.
// The designs must say the same; the dialog suite then proves on the real
// dialogs that they behave as their designs say. A wiring fault therefore
// cannot hide by being made in the design alone.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editors/editor_table.h"
#include "plugin/catalogue.h"

namespace {

using hq::editors::ControlDecl;
using hq::editors::ControlKind;
using hq::editors::DialogDesign;

constexpr int kObject = 1, kVariable = 14, kFile = 15;

struct Pick {
    const char* button;
    int code;
    const char* field;
    bool hand = false;             // the hand cursor over it
    bool hint = true;              // its tooltip names what it picks
    const char* filter = nullptr;  // sent instead of the field's text
};

struct Dialog {
    int id;
    const char* dialogClass;
    std::vector<const char*> holders;   // parameter 1 first
    std::vector<const char*> tabOrder;  // the focus starts on the first visible one
    std::vector<Pick> picks;
    bool captionEndsWithBlank = false;
};

const std::vector<const char*> kSwitchTabs = {"Button1", "Button2", "RadioButton1", "RadioButton2"};
const std::vector<const char*> kOneField = {"Edit1", "Button1", "Button2"};

const std::vector<Dialog>& Described() {
    static const std::vector<Dialog> dialogs = {
        {1, "TMBox12Form", {"Edit1", "Label4"}, {"Edit1", "TrackBar1", "Button1", "Button2"},
         {{"SpeedButton1", kFile, "Edit1", true}, {"SpeedButton2", kVariable, "Edit1", true}}},
        {2, "TMBox13Form", {"Edit1"}, kOneField, {{"SpeedButton1", kFile, "Edit1"}, {"SpeedButton2", kVariable, "Edit1"}}},
        {3, "TMBox14Form", {"Edit1", "Edit2"}, {"Edit1", "Edit2", "Button1", "Button2"},
         {{"SpeedButton2", kVariable, "Edit1", true},
          {"SpeedButton3", kFile, "Edit2", true},
          {"SpeedButton4", kVariable, "Edit2", true}}},
        {4, "TMBox15Form", {"Edit1", "Edit2"}, {"Edit1", "Edit2", "Button1", "Button2"},
         {{"SpeedButton2", kVariable, "Edit1", true},
          {"SpeedButton3", kFile, "Edit2", true},
          {"SpeedButton4", kVariable, "Edit2", true}}},
        {5, "TMBox16Form", {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"},
         {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Button1", "Button2"},
         {{"SpeedButton1", kFile, "Edit1"},
          {"SpeedButton2", kVariable, "Edit1"},
          {"SpeedButton3", kVariable, "Edit2"},
          {"SpeedButton4", kVariable, "Edit3"},
          {"SpeedButton5", kVariable, "Edit4"},
          {"SpeedButton6", kVariable, "Edit5"}}},
        {20, "TMBox17Form", {"Edit1"}, kOneField, {{"SpeedButton1", kFile, "Edit1"}, {"SpeedButton2", kVariable, "Edit1"}}},
        {21, "TMBox19Form", {"Edit2", "Edit3", "Edit4"}, {"Edit2", "Edit3", "Edit4", "Button1", "Button2"}, {}},
        {23, "TMBox18Form", {"Edit1"}, kOneField, {{"SpeedButton1", kObject, "Edit1"}}},
        {24, "TMBox20Form", {"Edit1", "Edit2", "Edit3", "Edit4"},
         {"Edit1", "Edit2", "Edit3", "Edit4", "Button1", "Button2"}, {{"SpeedButton1", kObject, "Edit1"}}},
        {25, "TMBox21Form", {"Edit1"}, kOneField, {{"SpeedButton1", kObject, "Edit1"}}},
        {26, "TMBox1Form", {"Edit1"}, kSwitchTabs, {}},
        {27, "TMBox4Form", {"Edit1", "Edit2", "Edit3"}, {"Edit3", "Button1", "Button2", "Edit1", "Edit2"},
         {{"SpeedButton2", kVariable, "Edit1", true},
          {"SpeedButton4", kVariable, "Edit2", true},
          {"SpeedButton1", kVariable, "Edit3"}}},
        {28, "TMBox8Form", {"Edit1", "Edit2", "Edit3", "Edit4"}, {"Edit3", "Button1", "Button2", "Edit1", "Edit4", "Edit2"},
         {{"SpeedButton1", kVariable, "Edit1"},
          {"SpeedButton2", kVariable, "Edit2", true},
          {"SpeedButton3", kVariable, "Edit3", false, false},
          {"SpeedButton4", kVariable, "Edit4", false, false}}},
        {30, "TMBox6Form", {"Edit1"}, kSwitchTabs, {}},
        {31, "TMBox25Form", {"Edit1", "Edit2", "Edit3"},
         {"Edit1", "Edit2", "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "Button1", "Button2"},
         {{"SpeedButton2", kVariable, "Edit1"}, {"SpeedButton4", kVariable, "Edit2"}}},
        {32, "TMBox26Form", {"Edit1"}, kOneField, {{"SpeedButton1", kVariable, "Edit1"}}},
        {33, "TMBox28Form", {"Edit1"}, kOneField, {{"SpeedButton2", kFile, "Edit1"}, {"SpeedButton1", kVariable, "Edit1"}}},
        {35, "TMBox5Form", {"Edit1"}, kSwitchTabs, {}},
        {38, "TMBox9Form", {"Edit1", "Edit2", "Edit3"},
         {"Edit1", "RadioButton1", "RadioButton2", "RadioButton3", "CheckBox1", "RadioButton0", "Button1", "Button2"},
         {{"SpeedButton1", kObject, "Edit1", false, true, "ObjectType=8"}},
         true},
        {39, "TMBox10Form", {"Edit1", "Edit2"}, {"Edit1", "Edit2", "Button1", "Button2"},
         {{"SpeedButton2", kFile, "Edit1"},
          {"SpeedButton1", kVariable, "Edit1"},
          {"SpeedButton3", kFile, "Edit2"},
          {"SpeedButton4", kVariable, "Edit2"}}},
        {40, "TMBox24Form", {"Edit0", "Edit1", "Edit2", "Edit3", "Edit7", "Edit4", "Edit5", "Edit6", "Edit8", "Edit9"},
         {"Edit1", "Edit2", "Edit5", "RadioButton1", "RadioButton2", "RadioButton3", "ComboBox1", "Edit4", "CheckBox1",
          "Edit6", "Edit9", "Edit8", "Button1", "Button2"},
         {{"SpeedButton2", kVariable, "Edit1"},
          {"SpeedButton4", kVariable, "Edit2"},
          {"SpeedButton3", kVariable, "Edit4"},
          {"SpeedButton5", kVariable, "Edit5", false, false},
          {"SpeedButton6", kVariable, "Edit6", false, false},
          {"SpeedButton8", kVariable, "Edit8", false, false},
          {"SpeedButton9", kVariable, "Edit9", false, false}}},
        // Paths, offsets, mode (hidden), opacity, colour, format (hidden),
        // quality (a label), output path.
        {41, "TMBox11Form", {"Edit1", "Edit2", "Edit4", "Edit5", "Edit9", "Edit3", "Edit8", "Edit7", "Label12", "Edit6"},
         {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "RadioButton1", "RadioButton2", "TrackBar1", "Edit8",
          "Button1", "Button2"},
         {{"SpeedButton7", kFile, "Edit1"},
          {"SpeedButton1", kVariable, "Edit1"},
          {"SpeedButton8", kFile, "Edit2"},
          {"SpeedButton2", kVariable, "Edit2"},
          {"SpeedButton4", kVariable, "Edit4"},
          {"SpeedButton5", kVariable, "Edit5"},
          {"SpeedButton3", kVariable, "Edit3"},
          {"SpeedButton10", kVariable, "Edit8"},
          {"SpeedButton9", kFile, "Edit6"},
          {"SpeedButton6", kVariable, "Edit6"}}},
        // The focus starts on "OK", so Enter confirms at once.
        {44, "TMBox7Form", {"Edit1"}, {"Button1", "Button2", "Edit1"},
         {{"SpeedButton2", kFile, "Edit1"}, {"SpeedButton1", kVariable, "Edit1"}},
         true},
        {45, "TMBox22Form", {"Edit1"}, kOneField, {{"SpeedButton1", kFile, "Edit1"}, {"SpeedButton2", kVariable, "Edit1"}}},
        {46, "TMBox27Form", {"Edit2", "Edit1"}, {"Edit1", "ComboBox1", "Button1", "Button2"},
         {{"SpeedButton1", kVariable, "Edit1"}}},
        {100, "TMBox100Form", {"Edit1", "Edit2"},
         {"Edit1", "Edit2", "Button1", "Button2", "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
          "RadioButton5"},
         {{"SpeedButton4", kFile, "Edit1"}, {"SpeedButton1", kVariable, "Edit1"}}},
    };
    return dialogs;
}

std::string HintOf(int code) {
    switch (code) {
    case kObject: return "Выбрать объект из списка";
    case kVariable: return "Вставить переменную";
    case kFile: return "Выбрать файл";
    }
    return "?";
}

std::vector<std::string> Strings(const std::vector<const char*>& names) { return {names.begin(), names.end()}; }

// The tab order the dialog gets from its design: the listed one, or the
// visible windowed controls in creation order followed by the two buttons.
std::vector<std::string> TabOrderOf(const DialogDesign& d) {
    if (!d.tabOrder.empty()) return d.tabOrder;
    std::vector<std::string> order;
    for (const ControlDecl& c : d.controls)
        if (c.kind != ControlKind::Label && c.kind != ControlKind::SpeedButton && !c.hidden) order.push_back(c.name);
    order.push_back("Button1");
    order.push_back("Button2");
    return order;
}

TEST(DialogWiring, EveryRowIsDescribedAndEveryDescribedDialogIsARow) {
    std::set<int> rows, described;
    for (const auto& row : hq::editors::kEditorTable) rows.insert(row.id);
    for (const Dialog& d : Described()) described.insert(d.id);
    EXPECT_EQ(rows, described);
}

TEST(DialogWiring, EveryDesignWiresTheDescribedControls) {
    for (const Dialog& want : Described()) {
        const hq::editors::EditorRow* row = hq::editors::FindEditor(want.id);
        ASSERT_NE(row, nullptr) << want.id;
        SCOPED_TRACE(want.dialogClass);
        EXPECT_STREQ(row->dialogClass, want.dialogClass);
        ASSERT_NE(row->design, nullptr);
        const DialogDesign& design = row->design();
        const hq::CatalogueRow* action = hq::FindAction(want.id);
        ASSERT_NE(action, nullptr);

        const std::string caption = design.caption.empty() ? "Свойства " + design.action : design.caption;
        EXPECT_EQ(caption, std::string("Свойства ") + action->name + (want.captionEndsWithBlank ? " " : ""));

        std::vector<std::string> holders(static_cast<size_t>(action->count));
        for (const ControlDecl& c : design.controls) {
            if (c.holds == 0) continue;
            ASSERT_TRUE(c.holds >= 1 && c.holds <= action->count) << c.name << " holds parameter " << c.holds;
            EXPECT_EQ(holders[static_cast<size_t>(c.holds - 1)], "") << "two holders of parameter " << c.holds;
            holders[static_cast<size_t>(c.holds - 1)] = c.name;
        }
        EXPECT_EQ(holders, Strings(want.holders));
        EXPECT_EQ(TabOrderOf(design), Strings(want.tabOrder));

        std::set<std::string> declared, described;
        for (const Pick& p : want.picks) described.insert(p.button);
        for (const ControlDecl& c : design.controls) {
            if (c.pickCode == 0) continue;
            declared.insert(c.name);
            const Pick* p = nullptr;
            for (const Pick& q : want.picks)
                if (c.name == q.button) p = &q;
            if (!p) continue;
            SCOPED_TRACE(c.name);
            EXPECT_EQ(c.kind, ControlKind::SpeedButton);
            EXPECT_EQ(c.pickCode, p->code);
            EXPECT_EQ(c.pickField, p->field);
            EXPECT_EQ(c.pickFilter.value_or("(none)"), p->filter ? p->filter : "(none)");
            EXPECT_EQ(c.hint, p->hint ? HintOf(p->code) : "");
            EXPECT_EQ(c.hand, p->hand);
        }
        EXPECT_EQ(declared, described) << "a pick button where the dialog has none, or one missing";
    }
}

}  // namespace
