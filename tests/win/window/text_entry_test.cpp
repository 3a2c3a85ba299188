// Text-entry options on real edit controls, and their re-application on host message 6.
#include <gtest/gtest.h>

#include "fixture.h"

namespace {

constexpr DWORD kInputBits = ES_NUMBER | ES_LOWERCASE | ES_UPPERCASE;

class TextEntryTest : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        edit_ = host().CreateTextEntry("Name", 10, 10, 200, 24);
    }
    static DWORD Bits(HWND w) { return static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE)) & kInputBits; }
    static bool ReadOnly(HWND w) { return (::GetWindowLongW(w, GWL_STYLE) & ES_READONLY) != 0; }
    static void SetBits(HWND w, DWORD bits) {
        ::SetWindowLongW(w, GWL_STYLE, (::GetWindowLongW(w, GWL_STYLE) & ~kInputBits) | bits);
    }
    HWND edit_ = nullptr;
};

TEST_F(TextEntryTest, OptionsChangeTheStyleBitsAsDescribed) {
    SetBits(edit_, ES_UPPERCASE);
    EXPECT_TRUE(Exec(38, {"Name", "1", ""}));
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_UPPERCASE | ES_NUMBER));
    Exec(38, {"Name", "0", ""});
    EXPECT_EQ(Bits(edit_), 0u);
    Exec(38, {"Name", "3", ""});
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_UPPERCASE));
    Exec(38, {"Name", "2", ""});
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_LOWERCASE));
    SetBits(edit_, ES_NUMBER | ES_LOWERCASE);
    Exec(38, {"Name", "3", ""});
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_UPPERCASE));
}

TEST_F(TextEntryTest, ReadOnlySwitch) {
    Exec(38, {"Name", "", "1"});
    EXPECT_TRUE(ReadOnly(edit_));
    Exec(38, {"Name", "", "x"});  // anything else sends nothing
    EXPECT_TRUE(ReadOnly(edit_));
    Exec(38, {"Name", "", "0"});
    EXPECT_FALSE(ReadOnly(edit_));
}

TEST_F(TextEntryTest, DigitsOnlyRefusesLettersTyped) {
    Exec(38, {"Name", "1", "0"});
    ::SendMessageW(edit_, WM_CHAR, 'a', 0);
    ::SendMessageW(edit_, WM_CHAR, '7', 0);
    wchar_t text[16] = {};
    ::GetWindowTextW(edit_, text, 16);
    EXPECT_STREQ(text, L"7");
}

TEST_F(TextEntryTest, LookupLeavesNameAndHandleInTheHostVariables) {
    Exec(38, {"Name", "1", "1"});
    EXPECT_EQ(host().Var("[fzRez]"), "Name");
    EXPECT_EQ(host().Var("[ObjHandle]"), std::to_string(reinterpret_cast<uintptr_t>(edit_)));
    EXPECT_EQ(host().Scripts().back(), "GetObjectHandle \"[fzRez]\" \"[ObjHandle]\"");
    host().SetVar("[fzRez]", "other");
    host().Message(6);
    EXPECT_FALSE(host().LastError().has_value());
    EXPECT_EQ(host().Var("[fzRez]"), "Name");
    EXPECT_EQ(host().Var("[ObjHandle]"), std::to_string(reinterpret_cast<uintptr_t>(edit_)));
}

TEST_F(TextEntryTest, MessageSixReappliesTheLatestOptions) {
    Exec(38, {"Name", "3", "1"});
    SetBits(edit_, 0);
    ::SendMessageW(edit_, EM_SETREADONLY, 0, 0);
    host().Message(6);
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_UPPERCASE));
    EXPECT_TRUE(ReadOnly(edit_));
    // Any number of times; the options themselves never change.
    SetBits(edit_, ES_NUMBER);
    host().Message(6);
    host().Message(6);
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_UPPERCASE));
}

TEST_F(TextEntryTest, MessageSixBeforeAnyOptionsRunsNoCallback) {
    host().CallLog().clear();
    const size_t scripts = host().Scripts().size();
    host().Message(6);
    EXPECT_FALSE(host().LastError().has_value());
    EXPECT_TRUE(host().CallLog().empty());
    EXPECT_EQ(host().Scripts().size(), scripts);
}

TEST_F(TextEntryTest, OnlyTheSecondOfTwoObjectsIsReapplied) {
    const HWND second = host().CreateTextEntry("Second", 10, 40, 200, 24);
    Exec(38, {"Name", "1", "1"});
    Exec(38, {"Second", "2", "0"});
    SetBits(edit_, 0);
    ::SendMessageW(edit_, EM_SETREADONLY, 0, 0);
    SetBits(second, 0);
    host().Message(6);
    EXPECT_EQ(Bits(edit_), 0u);
    EXPECT_FALSE(ReadOnly(edit_));
    EXPECT_EQ(Bits(second), static_cast<DWORD>(ES_LOWERCASE));
}

TEST_F(TextEntryTest, EmptyOptionAndSwitchChangeNothingButAreStored) {
    SetBits(edit_, ES_NUMBER);
    ::SendMessageW(edit_, EM_SETREADONLY, 1, 0);
    EXPECT_TRUE(Exec(38, {"Name", "", ""}));
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_NUMBER));
    EXPECT_TRUE(ReadOnly(edit_));
    host().CallLog().clear();
    host().Message(6);  // the lookup runs, nothing changes
    EXPECT_FALSE(host().CallLog().empty());
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_NUMBER));
    EXPECT_TRUE(ReadOnly(edit_));
}

TEST_F(TextEntryTest, AMissingObjectRaisesAndKeepsThePreviousOptions) {
    Exec(38, {"Name", "1", "1"});
    EXPECT_EQ(ExecError(38, {"Nobody", "3", "0"}), "'' is not a valid integer value");
    SetBits(edit_, 0);
    host().Message(6);
    EXPECT_FALSE(host().LastError().has_value());
    EXPECT_EQ(Bits(edit_), static_cast<DWORD>(ES_NUMBER));
}

TEST_F(TextEntryTest, MessageSixForAnObjectThatIsGoneForgetsTheOptionsQuietly) {
    Exec(38, {"Name", "1", "1"});
    host().DestroyObjects();
    host().Message(6);
    EXPECT_FALSE(host().LastError().has_value());
}

TEST_F(TextEntryTest, AHandleThatIsNoWindowStillStoresTheOptions) {
    host().CreateTextEntry("Ghost", 10, 70, 100, 24);
    ::DestroyWindow(host().Object("Ghost"));  // the host still answers its old handle
    EXPECT_TRUE(Exec(38, {"Ghost", "1", "1"}));
    host().Message(6);
    EXPECT_FALSE(host().LastError().has_value());
}

}  // namespace
