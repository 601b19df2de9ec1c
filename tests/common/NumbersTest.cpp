#include "common/Numbers.h"

#include <gtest/gtest.h>

using namespace zev::common;

TEST(LeadingInt, ReadsTheLeadingNumberAsAtoiDoes) {
    EXPECT_EQ(leadingInt("150"), 150);
    EXPECT_EQ(leadingInt("  -85400"), -85400);
    EXPECT_EQ(leadingInt("+7x"), 7);
    EXPECT_EQ(leadingInt("12.9"), 12);
    EXPECT_EQ(leadingInt("abc"), 0);
    EXPECT_EQ(leadingInt(""), 0);
    EXPECT_EQ(leadingInt("-"), 0);
    EXPECT_EQ(leadingInt("x12"), 0);
}

TEST(LeadingInt, ClampsValuesBeyondThirtyTwoBits) {
    EXPECT_EQ(leadingInt("99999999999999"), 2147483647);
    EXPECT_EQ(leadingInt("-99999999999999"), -2147483648);
    EXPECT_EQ(leadingInt("-2147483648"), -2147483648);
}

TEST(GameUnits, AreAHundredTimesTheTruncatedWorkspaceCoordinate) {
    EXPECT_EQ(gameUnitsFromWorkspace(17.0), 1700);
    EXPECT_EQ(gameUnitsFromWorkspace(17.99), 1700);
    EXPECT_EQ(gameUnitsFromWorkspace(-854.0), -85400);
    EXPECT_EQ(gameUnitsFromWorkspace(-0.5), 0);
    EXPECT_EQ(gameUnitsFromWorkspace(1e12), 2147483647);
}

TEST(ParseDecimalInRange, TakesOnlyAWholeNumberWithinTheRangeAndNeverThrows) {
    EXPECT_EQ(parseDecimalInRange("4", 2, 8), 4);
    EXPECT_EQ(parseDecimalInRange("-3", -5, 5), -3);
    for (const char* bad : {"", " 4", "4 ", "4x", "+4", "1", "9", "2147483648", "99999999999999",
                            "999999999999999999999999", "-"})
        EXPECT_FALSE(parseDecimalInRange(bad, 2, 8)) << bad;
}
