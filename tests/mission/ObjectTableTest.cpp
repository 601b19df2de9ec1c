#include "mission/ObjectTable.h"

#include <gtest/gtest.h>

using namespace zev::mission;
using zev::common::MessageIcon;
using zev::common::RecordingReporter;

TEST(ObjectTable, RefusesTheFiveHundredAndFirstObject) {
    ObjectTable table;
    RecordingReporter reporter;
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(table.allocate(reporter), i);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_FALSE(table.allocate(reporter).has_value());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Object Limit has been reached!");
    EXPECT_EQ(reporter.messages[0].caption, "ZEVEDIT 3D");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(table.count(), 500);
}

TEST(ObjectTable, GivesTheLowestFreeSlotAfterAFree) {
    ObjectTable table;
    RecordingReporter reporter;
    for (int i = 0; i < 500; ++i)
        table.allocate(reporter);
    table.free(317);
    table.free(42);
    EXPECT_EQ(table.find(42), nullptr);
    EXPECT_EQ(table.allocate(reporter), 42);
    EXPECT_EQ(table.allocate(reporter), 317);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(ObjectTable, LooksUpOnlyOccupiedSlotsInRange) {
    ObjectTable table;
    RecordingReporter reporter;
    table.allocate(reporter);
    table.allocate(reporter);
    table.find(1)->setInt32(MissionObjectRecord::hitsToDestroy, 9);
    EXPECT_EQ(table.find(1)->int32(MissionObjectRecord::hitsToDestroy), 9);
    EXPECT_EQ(table.find(2), nullptr);
    EXPECT_EQ(table.find(-1), nullptr);
    EXPECT_EQ(table.find(500), nullptr);
    table.free(-1); // no effect, no crash
    table.free(0);
    EXPECT_EQ(table.occupiedSlots(), std::vector<int>{1});
    // A fresh record is zero-filled.
    EXPECT_EQ(table.find(table.allocate(reporter).value())->text(MissionObjectRecord::menuText),
              "");
}
