// TMBox100Form: the bit-depth radio buttons write into the visible depth field,
// which the author may also type into.
#include <gtest/gtest.h>

#include "driver.h"
#include "fixture.h"

namespace {

using hqtest::Driver;
using hqtest::OpenForm;

class DepthDialog : public hqtest::PluginTest {};

TEST_F(DepthDialog, EachButtonWritesItsDepthAndTypingAfterAClickWins) {
    std::vector<std::string> written;
    bool anyCheckedAtStart = true;
    std::string shownAfter8;
    Driver d([&](OpenForm& f) {
        anyCheckedAtStart = false;
        for (int k = 1; k <= 5; ++k) anyCheckedAtStart |= f.Query("RadioButton" + std::to_string(k)).checked != 0;
        for (int k = 1; k <= 5; ++k) {
            f.Click("RadioButton" + std::to_string(k));
            written.push_back(f.Text("Edit2"));
        }
        f.Click("RadioButton4");  // "8bit"
        shownAfter8 = f.Text("Edit2");
        f.Type("Edit2", "12");
        f.Ok();
    });
    std::vector<std::string> params = {"C:\\pic.bmp", "24"};
    EXPECT_TRUE(host().Edit(100, params));
    EXPECT_FALSE(anyCheckedAtStart) << "no button reflects the stored depth";
    EXPECT_EQ(written, (std::vector<std::string>{"32", "24", "16", "8", "4"}));
    EXPECT_EQ(shownAfter8, "8");
    EXPECT_EQ(params[1], "12");
    EXPECT_EQ(params[0], "C:\\pic.bmp");
}

TEST_F(DepthDialog, AStoredDepthNoButtonReflectsSurvivesUntilAClick) {
    Driver d([](OpenForm& f) { f.Ok(); });
    std::vector<std::string> params = {"a.bmp", "[Depth]"};
    EXPECT_TRUE(host().Edit(100, params));
    EXPECT_EQ(params[1], "[Depth]");
}

}  // namespace
