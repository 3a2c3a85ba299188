// The stand-in host's side of the contract, which every action test relies
// on: its script commands, variables, pickers, and a host-string allocation
// that fails inside the plug-in.
#include <gtest/gtest.h>

#include "fixture.h"
#include "script.h"

namespace {

class HostContractTest : public hqtest::PluginTest {
protected:
    void Run(const std::string& script) { hqhost::RunHostScriptText(host(), script); }
};

TEST_F(HostContractTest, SetVarEvaluatesIntegerSumsOverVariables) {
    host().SetVar("[A]", "40");
    Run("SetVar \"[B]\" \"[A]+2\"\rSetVar \"[C]\" \"[B]-50\"\rSetVar \"[D]\" \"-3\"");
    EXPECT_EQ(host().Var("[B]"), "42");
    EXPECT_EQ(host().Var("[C]"), "-8");
    EXPECT_EQ(host().Var("[D]"), "-3");
    EXPECT_TRUE(host().ScriptErrors().empty());
}

TEST_F(HostContractTest, PubHeightAssignmentResizesTheMainWindowClientArea) {
    HWND main = host().MainWindow();
    host().SetVar("[PubHeight]", "200");
    RECT r;
    ::GetClientRect(main, &r);
    EXPECT_EQ(r.bottom, 200);
    Run("SetVar \"[PubHeight]\" \"[PubHeight]-1\"\rSetVar \"[PubHeight]\" \"[PubHeight]+1\"");
    ::GetClientRect(main, &r);
    EXPECT_EQ(r.bottom, 200);
    EXPECT_EQ(host().Var("[PubHeight]"), "200");
}

TEST_F(HostContractTest, GetObjectHandleAnswersDecimalHandleOrEmpty) {
    HWND edit = host().CreateTextEntry("Edit1", 10, 10, 100, 24);
    host().SetVar("[fzRez]", "edit1");  // object names are not case-sensitive
    Run("GetObjectHandle \"[fzRez]\" \"[ObjHandle]\"");
    EXPECT_EQ(host().Var("[ObjHandle]"), std::to_string(reinterpret_cast<uintptr_t>(edit)));
    host().SetVar("[fzRez]", "Missing");
    Run("GetObjectHandle \"[fzRez]\" \"[ObjHandle]\"");
    EXPECT_EQ(host().Var("[ObjHandle]"), "");
}

TEST_F(HostContractTest, ExternalWindowPublishesItsHandle) {
    HWND w = host().CreateExternalWindow("Ext", 600, 400, 200, 150);
    EXPECT_EQ(host().Var("[Ext.WinHandle]"), std::to_string(reinterpret_cast<uintptr_t>(w)));
}

TEST_F(HostContractTest, StrParseSplitsIntoNumberedVariables) {
    host().SetVar("[fzRez]", "255,0,128");
    Run("StrParse \"[fzRez]\" \",\" \"[$]\" \"\"");
    EXPECT_EQ(host().Var("[$1]"), "255");
    EXPECT_EQ(host().Var("[$2]"), "0");
    EXPECT_EQ(host().Var("[$3]"), "128");
}

TEST_F(HostContractTest, UnknownOrBrokenCommandsAreReportedNotIgnored) {
    Run("Launch \"x\"");
    Run("SetVar \"[X]\" \"abc\"");
    Run("SetVar \"[X]\" \"1\"\nSetVar \"[Y]\" \"2\"");
    EXPECT_EQ(host().ScriptErrors().size(), 4u);  // unknown, not a number, line feed, second command broken
    host().ScriptErrors().clear();
}

TEST_F(HostContractTest, PickAnswersComeFromTheQueueInOrder) {
    char* slot = ledger().Give("typed");
    host().PickAnswers().push_back({true, std::string("[Picked]"), 14});
    host().PickAnswers().push_back({false, std::nullopt, 15});
    EXPECT_TRUE(host().OnInterfaceAccess(14, &slot));
    EXPECT_STREQ(slot, "[Picked]");
    EXPECT_FALSE(host().OnInterfaceAccess(15, &slot));
    EXPECT_STREQ(slot, "[Picked]");
    EXPECT_FALSE(host().OnInterfaceAccess(1, &slot));  // queue empty, not interactive
    ASSERT_EQ(host().PickRequests().size(), 3u);
    EXPECT_EQ(host().PickRequests()[0].slotText, "typed");
    EXPECT_EQ(host().PickRequests()[1].code, 15);
    ledger().Take(slot);
}

TEST_F(HostContractTest, FailedHostStringAllocationRaisesInsteadOfWritingThroughNull) {
    hqhost::FailGlobalAllocs(1);
    char* slots[3] = {nullptr, nullptr, nullptr};
    host().InitPlugInRaw(slots);
    hqhost::FailGlobalAllocs(0);
    ASSERT_TRUE(host().LastError().has_value());
    EXPECT_EQ(*host().LastError(), "Out of memory");
    EXPECT_EQ(slots[0], nullptr);
    EXPECT_EQ(slots[1], nullptr);  // the call ended at the first failure
}

}  // namespace
