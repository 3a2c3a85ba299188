// The pick protocol inside the test process, on dialogs declared here: the
// object-list request (code 1) with and without a filter text, and the
// variable and file requests, against a scripted interface-access callback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "editors/editor_form.h"
#include "base/host.h"

namespace {

using hq::editors::DialogDesign;
using hq::editors::EditorForm;
using hqtest::Driver;
using hqtest::OpenForm;

struct Call {
    int code;
    std::string sent;
};

struct Script {
    bool result = false;
    bool replace = false;  // put `text` into the slot (freeing what was there)
    std::string text;
};

std::vector<Call> g_calls;
Script g_script;

uint32_t HQAPI ScriptedAccess(int32_t code, char** slot) {
    g_calls.push_back({code, *slot ? *slot : "(null)"});
    if (g_script.replace) hq::AssignHostString(slot, g_script.text);
    return g_script.result ? 1u : 0u;
}

const DialogDesign& ObjectDesign() {
    static const DialogDesign d{
        .action = "fzCustomWindowSizeBox",
        .height = 194,
        .sections = {{8, 8, "Имя объекта:", 287, 311, 55}},
        .description = {"Проба.", 309, 16},
        .controls = {hq::editors::EditField("Edit1", 16, 36, 342).Holds(1),
                     hq::editors::ObjectPick("SpeedButton1", 360, 36, "Edit1"),
                     hq::editors::EditField("Edit2", 16, 98, 312).Holds(2),
                     hq::editors::ObjectPick("SpeedButton2", 330, 98, "Edit2").Filter("ObjectType=8"),
                     hq::editors::FilePick("SpeedButton3", 355, 98, "Edit2")},
    };
    return d;
}

class PickProtocol : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_script = {};
        saved_ = hq::Slots().interfaceAccess;
        hq::Slots().interfaceAccess = &ScriptedAccess;
    }
    void TearDown() override {
        hq::Slots().interfaceAccess = saved_;
        for (char*& s : slots_) hq::FreeHostString(&s);
    }
    // Opens the dialog on {"Win1", "Old"}, clicks `button`, reads `field`, cancels.
    std::string ClickAndRead(const char* button, const char* field) {
        hq::AssignHostString(&slots_[0], "Win1");
        hq::AssignHostString(&slots_[1], "Old");
        std::string text;
        Driver d([&](OpenForm& f) {
            f.Click(button);
            text = f.Text(field);
            f.Cancel();
        });
        EditorForm form(ObjectDesign());
        EXPECT_FALSE(form.Run(slots_));
        return text;
    }

    hq::InterfaceAccessFn saved_ = nullptr;
    char* slots_[2] = {nullptr, nullptr};
};

TEST_F(PickProtocol, ObjectListAnsweredFalseStillTakesTheSlotText) {
    g_script = {false, false, ""};
    EXPECT_EQ(ClickAndRead("SpeedButton1", "Edit1"), "Win1") << "slot left alone: no visible change";
    g_script = {false, true, "Window7"};
    EXPECT_EQ(ClickAndRead("SpeedButton1", "Edit1"), "Window7") << "code 1 takes the slot whatever the answer";
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].code, 1);
    EXPECT_EQ(g_calls[0].sent, "Win1");
}

TEST_F(PickProtocol, FilterReplacesTheFieldTextInTheRequest) {
    g_script = {true, false, ""};
    EXPECT_EQ(ClickAndRead("SpeedButton2", "Edit2"), "Old") << "the filter left in the slot picks nothing";
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].sent, "ObjectType=8") << "the host receives only the filter";
    g_script = {true, true, "Entry3"};
    EXPECT_EQ(ClickAndRead("SpeedButton2", "Edit2"), "Entry3");
}

TEST_F(PickProtocol, FileRequestFollowsTheAnswer) {
    g_script = {false, true, "C:\\never.txt"};
    EXPECT_EQ(ClickAndRead("SpeedButton3", "Edit2"), "Old");
    g_script = {true, true, "C:\\picked.txt"};
    EXPECT_EQ(ClickAndRead("SpeedButton3", "Edit2"), "C:\\picked.txt");
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].code, 15);
    EXPECT_EQ(g_calls[1].sent, "Old");
}

}  // namespace
