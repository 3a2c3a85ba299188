// The integer-text conversion every numeric parameter goes through.
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/int_text.h"

namespace {

using hq::StrToInt;

TEST(IntText, AcceptsDecimalWithLeadingBlanksAndSign) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("   42"), 42);
    EXPECT_EQ(StrToInt("+42"), 42);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(IntText, AcceptsHexadecimalAfterEachPrefix) {
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_EQ(StrToInt("xFF"), 255);
    EXPECT_EQ(StrToInt("XFF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("  $10"), 16);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$7FFFFFFF"), 2147483647);
    // Hexadecimal values use all 32 bits as a pattern.
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("$00000000FF"), 255);  // leading zeros do not count as bits
}

TEST(IntText, RejectsEverythingElseWithTheExactMessage) {
    const char* bad[] = {"",     " ",    "abc",  "12a",        "1 ",         " 1 ",   "+",    "-",  "$",
                         "0x",   "0X10", "x",    "1.5",        "1e3",        "--1",   "+-1",  "\t1", "$G",
                         "1,000", "٣",   "2147483648", "-2147483649", "$100000000", "99999999999999999999"};
    for (const char* text : bad) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const hq::Error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(IntText, EmptyTextNamesEmptyQuotes) {
    try {
        StrToInt("");
        FAIL();
    } catch (const hq::Error& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
}

TEST(IntText, MessageTextIsNotAFormat) {
    try {
        StrToInt("%s%d%n");
        FAIL();
    } catch (const hq::Error& e) {
        EXPECT_STREQ(e.what(), "'%s%d%n' is not a valid integer value");
    }
}

}  // namespace
