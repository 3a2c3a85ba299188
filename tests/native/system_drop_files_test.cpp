// The dropped-file list placed on the clipboard.
#include <gtest/gtest.h>

#include "actions/system/drop_files.h"

namespace {

TEST(DropFilesBlock, HeaderWordTwentyThenPathAndTwoZeros) {
    const std::vector<uint8_t> empty = hq::DropFilesBlock("");
    ASSERT_EQ(empty.size(), 22u);
    EXPECT_EQ(empty[0], 20);
    for (size_t i = 1; i < empty.size(); ++i) EXPECT_EQ(empty[i], 0) << i;

    const std::vector<uint8_t> ten = hq::DropFilesBlock("C:\\abc.txt");
    ASSERT_EQ(ten.size(), 32u);
    EXPECT_EQ(std::vector<uint8_t>(ten.begin(), ten.begin() + 20),
              (std::vector<uint8_t>{20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::string(ten.begin() + 20, ten.begin() + 30), "C:\\abc.txt");
    EXPECT_EQ(ten[30], 0);
    EXPECT_EQ(ten[31], 0);
}

TEST(DropFilesBlock, PathBytesAreCopiedAsTheyAre) {
    const std::string path("  a\xE9\xF0 \x01", 7);
    const std::vector<uint8_t> b = hq::DropFilesBlock(path);
    ASSERT_EQ(b.size(), 29u);
    EXPECT_EQ(std::string(b.begin() + 20, b.begin() + 27), path);
}

}  // namespace
