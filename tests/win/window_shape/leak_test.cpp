// Every window appearance action run 1,000 times (hqtest::LeakRounds) leaves no GDI or USER object
// and no global block behind, on its success and its error paths.
#include <gtest/gtest.h>

#include "shape_files.h"

namespace {

class LeakTest : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        host().MainWindow();
        host().CreateTextEntry("Field", 10, 10, 120, 24);
        host().CreateExternalWindow("Ext", 560, 60, 160, 120);
        mask_ = shapetest::WriteMask("leak_mask.bmp", 48, 32, [](int x, int y) {
            return (x * x + y * 3) % 7 < 3 ? 0u : 0xFFFFFFu;
        });
        png_ = shapetest::WritePng("leak.png", 32, 24, [](int x, int) { return x < 16 ? 0xFF112233u : 0x80445566u; });
        badMask_ = shapetest::WriteFileBytes("leak_bad.bmp", {'B', 'M'});
    }
    // Runs `id` again and again and checks that nothing is left behind.
    void Check(int id, const std::vector<std::string>& params, bool expectError = false) {
        ExpectNoLeak("ID " + std::to_string(id), [&](int i) {
            host().Exec(id, params);
            ASSERT_EQ(host().LastError().has_value(), expectError) << "ID " << id << " run " << i;
        });
    }
    std::string mask_, png_, badMask_;
};

TEST_F(LeakTest, StyleActions) {
    for (int id = 6; id <= 19; ++id) Check(id, {});
}

TEST_F(LeakTest, ColourKeysAndExternalWindows) {
    Check(21, {"255", "0", "255"});
    Check(21, {"255", "zero", "255"}, true);
    Check(22, {});
    Check(24, {"Ext", "1", "2", "3"});
    Check(24, {"Missing", "1", "2", "3"}, true);
    Check(25, {"Ext"});
    Check(23, {"Ext"});
}

TEST_F(LeakTest, MaskAndPicture) {
    Check(20, {mask_});
    Check(20, {badMask_}, true);
    Check(45, {png_});
}

TEST_F(LeakTest, TextEntryAndMessageSix) {
    Check(38, {"Field", "2", "1"});
    Check(38, {"Missing", "2", "1"}, true);
    ExpectNoLeak("message 6", [&](int) { host().Message(6); });
    EXPECT_FALSE(host().LastError().has_value());
}

}  // namespace
