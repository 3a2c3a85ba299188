// Replacing and restoring the arrow cursor. SetSystemCursor is a stub under
// Wine, so these tests check what the plug-in decides: the calls it makes, in
// order, the handle its previous-cursor slot hands back, and that no cursor
// copy leaks.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "fixture.h"
#include "system_support.h"

namespace {

using systest::ImportPatch;

struct Call {
    std::string what;
    HCURSOR handle;  // argument or result, as fits the call
};
std::vector<Call> g_calls;
std::map<std::string, void*> g_forward;

template <typename F>
F Forward(const char* name) { return reinterpret_cast<F>(g_forward[name]); }

HCURSOR WINAPI SpyLoadCursorA(HINSTANCE module, LPCSTR name) {
    HCURSOR h = Forward<decltype(&::LoadCursorA)>("LoadCursorA")(module, name);
    g_calls.push_back({module == nullptr && name == MAKEINTRESOURCEA(32512) ? "LoadCursorA(arrow)" : "LoadCursorA(?)", h});
    return h;
}
HICON WINAPI SpyCopyIcon(HICON icon) {
    HICON h = Forward<decltype(&::CopyIcon)>("CopyIcon")(icon);
    g_calls.push_back({"CopyIcon", h});
    return h;
}
HCURSOR WINAPI SpyLoadCursorFromFileA(LPCSTR path) {
    HCURSOR h = Forward<decltype(&::LoadCursorFromFileA)>("LoadCursorFromFileA")(path);
    g_calls.push_back({std::string("LoadCursorFromFileA(") + path + ")", h});
    return h;
}
BOOL WINAPI SpySetSystemCursor(HCURSOR h, DWORD id) {
    g_calls.push_back({"SetSystemCursor(" + std::to_string(id) + ")", h});
    return Forward<decltype(&::SetSystemCursor)>("SetSystemCursor")(h, id);
}
BOOL WINAPI SpyDestroyCursor(HCURSOR h) {
    g_calls.push_back({"DestroyCursor", h});
    return Forward<decltype(&::DestroyCursor)>("DestroyCursor")(h);
}

class CursorTest : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        g_calls.clear();
        g_forward.clear();
        Spy("LoadCursorA", &SpyLoadCursorA);
        Spy("CopyIcon", &SpyCopyIcon);
        Spy("LoadCursorFromFileA", &SpyLoadCursorFromFileA);
        Spy("SetSystemCursor", &SpySetSystemCursor);
        Spy("DestroyCursor", &SpyDestroyCursor);
        first_ = systest::WriteCursorFile("system_first.cur", 1, 1);
        second_ = systest::WriteCursorFile("system_second.cur", 5, 5);
    }
    void TearDown() override {
        patches_.clear();  // before the plug-in is unloaded
        PluginTest::TearDown();
    }
    template <typename F>
    void Spy(const char* name, F spy) {
        patches_.push_back(std::make_unique<ImportPatch>(host().Module(), name, reinterpret_cast<void*>(spy)));
        ASSERT_TRUE(patches_.back()->installed()) << name;
        g_forward[name] = patches_.back()->previous();
    }
    std::vector<std::unique_ptr<ImportPatch>> patches_;
    std::string first_, second_;
};

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Call& c : g_calls) names.push_back(c.what);
    return names;
}

TEST_F(CursorTest, ReplacementSavesACopyOfTheArrowThenHandsTheFileCursorToTheSystem) {
    const hqhost::ObjectCounts before = host().LiveObjects();
    EXPECT_FALSE(Exec(33, {first_}));
    ASSERT_EQ(Names(), (std::vector<std::string>{"LoadCursorA(arrow)", "CopyIcon",
                                                  "LoadCursorFromFileA(" + first_ + ")", "SetSystemCursor(32512)"}));
    EXPECT_NE(g_calls[1].handle, nullptr);
    EXPECT_NE(g_calls[1].handle, g_calls[0].handle) << "a private copy, not the shared arrow";
    EXPECT_NE(g_calls[2].handle, nullptr) << "the cursor file did not load";
    EXPECT_EQ(g_calls[3].handle, g_calls[2].handle);
    const HCURSOR saved = g_calls[1].handle;
    // One live object: the saved copy in the slot.
    EXPECT_EQ(host().LiveObjects().user, before.user + 1);

    g_calls.clear();
    EXPECT_FALSE(Exec(34));
    ASSERT_EQ(Names(), std::vector<std::string>{"SetSystemCursor(32512)"});
    EXPECT_EQ(g_calls[0].handle, saved);
    EXPECT_EQ(host().LiveObjects(), before);
}

TEST_F(CursorTest, SecondReplacementDestroysTheUnusedEarlierCopyAndRestoreUsesTheLatest) {
    const hqhost::ObjectCounts before = host().LiveObjects();
    EXPECT_FALSE(Exec(33, {first_}));
    const HCURSOR firstCopy = g_calls[1].handle;
    g_calls.clear();
    EXPECT_FALSE(Exec(33, {second_}));
    ASSERT_EQ(Names(), (std::vector<std::string>{"LoadCursorA(arrow)", "CopyIcon", "DestroyCursor",
                                                  "LoadCursorFromFileA(" + second_ + ")", "SetSystemCursor(32512)"}));
    EXPECT_EQ(g_calls[2].handle, firstCopy);
    const HCURSOR secondCopy = g_calls[1].handle;
    g_calls.clear();
    EXPECT_FALSE(Exec(34));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].handle, secondCopy);  // the arrow as the second call found it
    EXPECT_EQ(host().LiveObjects(), before);
}

TEST_F(CursorTest, SecondRestoreAndRestoreBeforeAnyReplacementHandNothingToTheSystem) {
    EXPECT_FALSE(Exec(34));
    EXPECT_TRUE(g_calls.empty());
    EXPECT_FALSE(Exec(33, {first_}));
    EXPECT_FALSE(Exec(34));
    g_calls.clear();
    // The consumed copy is not passed again: its handle value may name another cursor by now.
    EXPECT_FALSE(Exec(34));
    EXPECT_TRUE(g_calls.empty());
    // A replacement after a restore destroys nothing (the system owns the restored copy).
    EXPECT_FALSE(Exec(33, {second_}));
    for (const Call& c : g_calls) EXPECT_NE(c.what, "DestroyCursor");
    EXPECT_FALSE(Exec(34));
}

TEST_F(CursorTest, MissingCursorFileLeavesTheArrowButTheSlotHoldsAFreshCopy) {
    const hqhost::ObjectCounts before = host().LiveObjects();
    const std::string missing = hqtest::ExeDirPath("no such cursor.cur");
    EXPECT_FALSE(Exec(33, {missing}));
    ASSERT_EQ(g_calls.size(), 3u) << "no SetSystemCursor without a loaded cursor";
    EXPECT_EQ(g_calls[2].what, "LoadCursorFromFileA(" + missing + ")");
    EXPECT_EQ(g_calls[2].handle, nullptr);
    const HCURSOR copy = g_calls[1].handle;
    g_calls.clear();
    EXPECT_FALSE(Exec(34));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].handle, copy);
    EXPECT_EQ(host().LiveObjects(), before);
}

}  // namespace
