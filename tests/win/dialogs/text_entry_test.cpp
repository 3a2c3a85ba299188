// TMBox9Form (ID 38): the option controls restored from the stored strings when
// the dialog opens, the holders they write, and the object button that asks
// the host for text-entry objects only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test.h"

namespace {

using hqtest::DialogTest;
using hqtest::Driver;
using hqtest::OpenForm;

constexpr int kId = 38;

// What the option controls show: the index of the checked radio button (-1
// for none) and the check box.
struct Shown {
    int radio = -2;
    bool readOnly = false;
    bool operator==(const Shown&) const = default;
};

Shown Read(const OpenForm& f) {
    Shown s;
    s.radio = -1;
    for (int i = 0; i < 4; ++i)
        if (f.Query("RadioButton" + std::to_string(i)).checked) {
            EXPECT_EQ(s.radio, -1) << "two radio buttons checked";
            s.radio = i;
        }
    s.readOnly = f.Query("CheckBox1").checked != 0;
    return s;
}

std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << "{radio " << s.radio << ", read-only " << s.readOnly << "}";
}

class TextEntryDialog : public DialogTest {
protected:
    // Opens the dialog on the three texts, reads the options, runs `more`, presses OK.
    Shown OpenAndConfirm(const std::vector<std::string>& texts, const std::function<void(OpenForm&)>& more = {}) {
        Give(texts);
        Shown shown;
        Driver d([&](OpenForm& f) {
            shown = Read(f);
            if (more) more(f);
            f.Ok();
        });
        EXPECT_TRUE(Edit(kId));
        return shown;
    }
};

TEST_F(TextEntryDialog, StoredOptionsShowAndComeBackUnchanged) {
    EXPECT_EQ(OpenAndConfirm({"ВводТекста1", "2", "1"}), (Shown{2, true}));
    EXPECT_EQ(Slot(0), "ВводТекста1");
    EXPECT_EQ(Slot(1), "2");
    EXPECT_EQ(Slot(2), "1");
}

// Only the exact texts select an option; anything else shows no choice and is
// stored back as it was.
TEST_F(TextEntryDialog, OnlyExactTextsSelectAnOption) {
    struct Row {
        const char* option;
        const char* readOnly;
        Shown shown;
    };
    const Row rows[] = {
        {"0", "0", {0, false}},  {"1", "", {1, false}},        {"3", "1", {3, true}},
        {" 1", " 1", {-1, false}}, {"01", "01", {-1, false}}, {"4", "true", {-1, false}},
        {"[Опция]", "[Только]", {-1, false}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("option '") + r.option + "', read-only '" + r.readOnly + "'");
        EXPECT_EQ(OpenAndConfirm({"E", r.option, r.readOnly}), r.shown);
        EXPECT_EQ(Slot(1), r.option);
        EXPECT_EQ(Slot(2), r.readOnly);
    }
}

TEST_F(TextEntryDialog, NewActionShowsNoChoiceAndStoresEmptyStrings) {
    std::string edit2 = "?", edit3 = "?";
    bool holdersShown = true;
    EXPECT_EQ(OpenAndConfirm({"", "", ""},
                             [&](OpenForm& f) {
                                 edit2 = f.Text("Edit2");
                                 edit3 = f.Text("Edit3");
                                 holdersShown = f.Query("Edit2").visible || f.Query("Edit3").visible;
                             }),
              (Shown{-1, false}));
    EXPECT_EQ(edit2, "") << "the design text \"0\" never shows";
    EXPECT_EQ(edit3, "");
    EXPECT_FALSE(holdersShown) << "the option holders are hidden";
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(Slot(i), "");
}

TEST_F(TextEntryDialog, ClickedOptionsWriteTheirHolders) {
    // The box clicked twice ends clear and writes "0"; the last radio button wins.
    OpenAndConfirm({"", "", ""}, [](OpenForm& f) {
        f.Click("CheckBox1");
        f.Click("CheckBox1");
        f.Click("RadioButton1");
        f.Click("RadioButton3");
    });
    EXPECT_EQ(Slot(1), "3");
    EXPECT_EQ(Slot(2), "0");

    // A stored text no option reflects is replaced once an option is clicked.
    std::vector<std::string> holders;
    Shown after;
    OpenAndConfirm({"E", "[Опция]", "x"}, [&](OpenForm& f) {
        f.Click("RadioButton0");
        f.Click("CheckBox1");
        after = Read(f);
        holders = {f.Text("Edit2"), f.Text("Edit3")};
    });
    EXPECT_EQ(after, (Shown{0, true}));
    EXPECT_EQ(holders, (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(Slot(1), "0");
    EXPECT_EQ(Slot(2), "1");

    // Clearing a restored box writes "0"; moving off a restored option writes the new one.
    OpenAndConfirm({"E", "2", "1"}, [](OpenForm& f) {
        f.Click("CheckBox1");
        f.Click("RadioButton1");
    });
    EXPECT_EQ(Slot(1), "1");
    EXPECT_EQ(Slot(2), "0");
}

// The host receives the filter, never the field's text, and the field takes
// the host's choice whatever the answer. A reply that leaves the filter in the
// slot (the list closed without a choice) keeps the name the author had: the
// filter text never becomes the object name.
TEST_F(TextEntryDialog, ObjectButtonSendsOnlyTheFilter) {
    host().PickAnswers().push_back({false, std::nullopt, 1});         // list closed, slot left alone
    host().PickAnswers().push_back({true, std::nullopt, 1});          // confirmed, slot left alone
    host().PickAnswers().push_back({false, std::string("Ввод7"), 1});  // chosen, answered false
    host().PickAnswers().push_back({true, std::string(""), 1});       // chosen: nothing
    std::vector<std::string> after;
    Shown options;
    OpenAndConfirm({"МойВвод", "1", "1"}, [&](OpenForm& f) {
        for (int i = 0; i < 4; ++i) {
            f.Click("SpeedButton1");
            after.push_back(f.Text("Edit1"));
            if (i == 2) f.Type("Edit1", "Правка");
        }
        options = Read(f);
    });
    ASSERT_EQ(host().PickRequests().size(), 4u);
    for (const hqhost::PickRequest& r : host().PickRequests()) {
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.slotText, "ObjectType=8") << "never the field's text";
    }
    EXPECT_EQ(after, (std::vector<std::string>{"МойВвод", "МойВвод", "Ввод7", ""}));
    EXPECT_EQ(options, (Shown{1, true})) << "the object button touches no option";
    EXPECT_EQ(Slot(0), "");
    EXPECT_EQ(Slot(1), "1");
    EXPECT_EQ(Slot(2), "1");
}

}  // namespace
