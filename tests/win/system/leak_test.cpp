// A thousand runs of the actions that take screen contexts, cursors or global
// memory leave the plug-in's live GDI and USER objects and the global-block
// ledger as they were.
#include <gtest/gtest.h>

#include "counting.h"
#include "fixture.h"
#include "system_support.h"

namespace {

class SystemLeakTest : public hqtest::PluginTest {};

TEST_F(SystemLeakTest, QueriesThousandTimes) {
    ::SetCursorPos(20, 20);
    ExpectNoLeak("pixel, system colour, window under the cursor", [&](int i) {
        ASSERT_FALSE(Exec(27, {std::to_string(i % 500), i % 3 ? "10" : "bad", "[P]"}));
        ASSERT_FALSE(Exec(46, {std::to_string(i % 31), "[C]"}));
        ASSERT_TRUE(Exec(32, {"[W]"}));
    });
}

TEST_F(SystemLeakTest, ClipboardThousandTimes) {
    ExpectNoLeak("clipboard", [&](int i) { ASSERT_FALSE(Exec(44, {"C:\\file" + std::to_string(i) + ".txt"})); });
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

TEST_F(SystemLeakTest, CursorReplaceAndRestoreThousandTimes) {
    const std::string file = systest::WriteCursorFile("system_leak.cur", 2, 2);
    ExpectNoLeak("cursor pair", [&](int) {
        ASSERT_FALSE(Exec(33, {file}));
        ASSERT_FALSE(Exec(34));
    });
    // Replacements without restores keep only the latest copy.
    const hqtest::Holdings before = hqtest::Held();
    for (int i = 0; i < 100; ++i) ASSERT_FALSE(Exec(33, {file}));
    EXPECT_EQ(host().LiveObjects().user, before.objects.user + 1);
    ASSERT_FALSE(Exec(34));
    EXPECT_EQ(hqtest::Held(), before) << "replacements then one restore";
}

TEST_F(SystemLeakTest, FailedClipboardAllocationRaisesAndLeavesTheClipboard) {
    ASSERT_FALSE(Exec(44, {"C:\\first.txt"}));
    const size_t blocks = ledger().Live();
    hqhost::FailGlobalAllocs(1);
    EXPECT_EQ(ExecError(44, {"C:\\second.txt"}), "Could not allocate memory.");
    hqhost::FailGlobalAllocs(0);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_HDROP)) << "the earlier list is kept";
    EXPECT_EQ(ledger().Live(), blocks);
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

}  // namespace
