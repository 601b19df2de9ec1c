#include "DecimalCommaLocale.h"

#include "common/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

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

// The C locale's printf is the reference; the values cover what generated texts hold: spinner
// times, fog densities and ranges, OBJ coordinates (floats widened to double), and what a damaged
// file may hold.
TEST(CFloat, WritesWhatPrintfWritesInTheCLocale) {
    ASSERT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0,           -0.0,         1.5,           -1.5,        0.01f,
                             8000.f,        1e-7,         0.0000005,     0.0078125,   2.5e-7,
                             123456789.125, -1e15,        3.4028235e38f, 1.17549e-38, 1e300,
                             -0.00000049,   double(0.1f), kInf,          -kInf,       std::nan("")};
    char buffer[512];
    for (const double v : values) {
        std::snprintf(buffer, sizeof buffer, "%f", v);
        EXPECT_EQ(cFloat(v), buffer) << v;
        std::snprintf(buffer, sizeof buffer, "%.2f", v);
        EXPECT_EQ(cFloat(v, std::chars_format::fixed, 2), buffer) << v;
        std::snprintf(buffer, sizeof buffer, "%.7g", v);
        EXPECT_EQ(cFloat(v, std::chars_format::general, 7), buffer) << v;
    }
}

TEST(CFloat, KeepsTheDecimalPointUnderADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << comma.why();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%f", 1.5);
    ASSERT_STREQ(buffer, "1,500000"); // the locale is in force
    EXPECT_EQ(cFloat(1.5), "1.500000");
    EXPECT_EQ(cFloat(-0.25, std::chars_format::general, 7), "-0.25");
}
