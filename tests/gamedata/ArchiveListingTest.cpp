#include "GamedataTestSupport.h"

#include "gamedata/ArchiveListing.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev::gamedata;
using namespace zev::gamedata::test;

TEST(ArchiveListing, WritesOneLinePerEntryFromTheClearedEntryZero) {
    TempDir dir;
    ASSERT_TRUE(knownArchive().writeTo(dir / "ZEV.PRJ"));
    ProjectArchive archive;
    ASSERT_TRUE(archive.OpenArchive(dir / "ZEV.PRJ"));
    std::string diagnostic;
    EXPECT_EQ(ListSection(archive, "MEK", dir / "info.txt", diagnostic), 4u);
    EXPECT_EQ(diagnostic, "");
    const auto text = readFile(dir / "info.txt");
    EXPECT_EQ(std::string(text.begin(), text.end()),
              "   0.  00000000                               0\r\n"
              "   1.  000002A4  VRL00STD  vrl00std.mek       6\r\n"
              "   2.  000002E8  KST01HVY  kst01hvy.mek       6\r\n"
              "   3.  0000032C  MNT       mnt.mek            0\r\n");
}

TEST(ArchiveListing, NamesAMissingSectionInTheDiagnosticText) {
    TempDir dir;
    ASSERT_TRUE(knownArchive().writeTo(dir / "ZEV.PRJ"));
    ProjectArchive archive;
    ASSERT_TRUE(archive.OpenArchive(dir / "ZEV.PRJ"));
    std::string diagnostic;
    EXPECT_EQ(ListSection(archive, "TEXT", dir / "info.txt", diagnostic), 0u);
    EXPECT_EQ(diagnostic, "Can't find index for TEXT in ZEV.PRJ\n");
}

TEST(ArchiveListing, PrintsSizesAsSigned32BitNumbers) {
    ArchiveEntry entry;
    entry.dataSize = 0xFFFFFFFFu;
    EXPECT_EQ(listingLine(12345, entry), "12345.  00000000                              -1");
}
