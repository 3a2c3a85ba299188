// A thousand runs of the actions that take screen contexts, cursors or global
// memory leave the plug-in's live GDI and USER objects and the global-block
// ledger as they were.
#include <gtest/gtest.h>

#include "counting.h"
#include "fixture.h"
#include "system_support.h"

namespace {

class SystemLeakTest : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        objects_ = host().LiveObjects();
        blocks_ = ledger().Live();
    }
    void ExpectNothingLeft(const char* what) {
        EXPECT_EQ(host().LiveObjects(), objects_) << what;
        EXPECT_EQ(ledger().Live(), blocks_) << what;
        EXPECT_EQ(host().ErrorCount(), errors_) << what;
    }
    hqhost::ObjectCounts objects_;
    size_t blocks_ = 0;
    size_t errors_ = 0;
};

TEST_F(SystemLeakTest, QueriesThousandTimes) {
    errors_ = host().ErrorCount();
    ::SetCursorPos(20, 20);
    for (int i = 0, n = hqtest::LeakRounds(); i < n; ++i) {
        ASSERT_FALSE(Exec(27, {std::to_string(i % 500), i % 3 ? "10" : "bad", "[P]"}));
        ASSERT_FALSE(Exec(46, {std::to_string(i % 31), "[C]"}));
        ASSERT_TRUE(Exec(32, {"[W]"}));
    }
    ExpectNothingLeft("pixel, system colour, window under the cursor");
}

TEST_F(SystemLeakTest, ClipboardThousandTimes) {
    errors_ = host().ErrorCount();
    for (int i = 0, n = hqtest::LeakRounds(); i < n; ++i) ASSERT_FALSE(Exec(44, {"C:\\file" + std::to_string(i) + ".txt"}));
    ExpectNothingLeft("clipboard");
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

TEST_F(SystemLeakTest, CursorReplaceAndRestoreThousandTimes) {
    const std::string file = systest::WriteCursorFile("system_leak.cur", 2, 2);
    errors_ = host().ErrorCount();
    for (int i = 0, n = hqtest::LeakRounds(); i < n; ++i) {
        ASSERT_FALSE(Exec(33, {file}));
        ASSERT_FALSE(Exec(34));
    }
    ExpectNothingLeft("cursor pair");
    // Replacements without restores keep only the latest copy.
    for (int i = 0; i < 100; ++i) ASSERT_FALSE(Exec(33, {file}));
    EXPECT_EQ(host().LiveObjects().user, objects_.user + 1);
    ASSERT_FALSE(Exec(34));
    ExpectNothingLeft("replacements then one restore");
}

TEST_F(SystemLeakTest, FailedClipboardAllocationRaisesAndLeavesTheClipboard) {
    ASSERT_FALSE(Exec(44, {"C:\\first.txt"}));
    hqhost::FailGlobalAllocs(1);
    EXPECT_EQ(ExecError(44, {"C:\\second.txt"}), "Could not allocate memory.");
    hqhost::FailGlobalAllocs(0);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_HDROP)) << "the earlier list is kept";
    EXPECT_EQ(ledger().Live(), blocks_);
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

}  // namespace
