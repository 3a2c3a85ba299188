// Structure of the catalogue data (the bytes are checked through the host).
#include <gtest/gtest.h>

#include <set>

#include "plugin/catalogue.h"

namespace {

TEST(Catalogue, HasThirteenGroupsAndFortySevenUniqueActions) {
    int headers = 0;
    std::set<int> ids;
    for (const auto& row : hq::kCatalogue) {
        if (row.id == 0) {
            ++headers;
            EXPECT_STREQ(row.hint, "");
            EXPECT_EQ(row.count, 0);
        } else {
            EXPECT_TRUE(ids.insert(row.id).second) << "ID " << row.id << " registered twice";
            EXPECT_EQ(std::string(row.name).rfind("fz", 0), 0u) << row.name;
        }
        EXPECT_GE(row.count, 0);
        EXPECT_LE(row.count, 10);
        EXPECT_EQ(row.HighIndex(), row.count ? row.count - 1 : 0);
        if (row.count == 0) {
            EXPECT_EQ(row.codes[0], 0);
        }
        for (int i = 0; i < row.count; ++i) EXPECT_TRUE(std::set<int>({1, 4, 5, 6}).count(row.codes[i]));
    }
    EXPECT_EQ(headers, 13);
    EXPECT_EQ(ids.size(), 47u);
    for (int id = 1; id <= 46; ++id) EXPECT_TRUE(ids.count(id)) << id;
    EXPECT_TRUE(ids.count(100));
}

}  // namespace
