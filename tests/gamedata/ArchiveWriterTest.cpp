#include "GamedataTestSupport.h"

#include "gamedata/ArchiveWriter.h"
#include "gamedata/ProjectArchive.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev::gamedata;
using namespace zev::gamedata::test;

TEST(ArchiveWriter, LaysOutDirectorySectionsAndEntriesAsTheReaderExpects) {
    const auto image = *knownArchive().toBytes();
    ASSERT_EQ(image.size(), 1366u);
    // Directory at 26: POLY, MEK, BWD, then the end record.
    EXPECT_EQ(textAt(image, 26, 4), "POLY");
    EXPECT_EQ(u32At(image, 30), 122u);
    EXPECT_EQ(textAt(image, 50, 4), "MEK");
    EXPECT_EQ(image[53], 0); // a 3-character tag is NUL-padded
    EXPECT_EQ(u32At(image, 54), 544u);
    EXPECT_EQ(textAt(image, 74, 4), "BWD");
    EXPECT_EQ(u32At(image, 78), 874u);
    EXPECT_EQ(image[98], 0); // end of the directory
    // POLY header: slot count = entries + 1, slots from S + 30.
    EXPECT_EQ(image[122 + 18] | (image[122 + 19] << 8), 6);
    EXPECT_EQ(u32At(image, 152), 200u);
    EXPECT_EQ(u32At(image, 152 + 8), 276u);
    EXPECT_EQ(u32At(image, 152 + 40), 0u); // the slot of entry n + 1 points nowhere
    // First entry: length counted from E + 8, names inside the descriptor at E + 12.
    EXPECT_EQ(u32At(image, 204), 54u + 14u);
    EXPECT_EQ(textAt(image, 200 + 12 + 18, 8), "TOWER1");
    EXPECT_EQ(textAt(image, 200 + 12 + 34, 12), "tower1.geo");
    EXPECT_EQ(textAt(image, 262, 14), "tower geometry");
}

TEST(ArchiveWriter, CutsNamesAndTagsToTheirFields) {
    ArchiveWriter writer;
    auto& s = writer.addSection("LONGTAG");
    s.addEntry("NINECHARS", "thirteen.char", "x");
    EXPECT_EQ(s.tag(), "LONG");
    EXPECT_EQ(s.entries()[0].shortName, "NINECHAR");
    EXPECT_EQ(s.entries()[0].longName, "thirteen.cha");
}

TEST(ArchiveWriter, RefusesMoreEntriesThanASlotCountHolds) {
    ArchiveWriter writer;
    auto& s = writer.addSection("POLY");
    for (int i = 0; i < 65534; ++i)
        s.addEntry("E", "e.geo");
    EXPECT_TRUE(writer.toBytes().has_value());
    s.addEntry("E", "e.geo");
    EXPECT_FALSE(writer.toBytes().has_value());
}

TEST(ArchiveWriter, WritesAFileTheReaderOpens) {
    TempDir dir;
    ASSERT_TRUE(knownArchive().writeTo(dir / "ZEV.PRJ"));
    ProjectArchive archive;
    ASSERT_TRUE(archive.OpenArchive(dir / "ZEV.PRJ"));
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("BWD", section));
    EXPECT_EQ(section.entryCount, 6u);
    ArchiveEntry entry;
    ASSERT_TRUE(archive.ReadEntry(section, entry, 4));
    EXPECT_STREQ(entry.shortName, "SOUNDFX");
    EXPECT_EQ(*archive.readEntryData(entry), bytesOf("sounds"));
}
