#include "GamedataTestSupport.h"

#include "gamedata/ProjectArchive.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zev::gamedata;
using namespace zev::gamedata::test;
namespace fs = std::filesystem;

namespace {

class ProjectArchiveTest : public ::testing::Test {
protected:
    void open(const std::vector<std::uint8_t>& image) {
        writeFile(path(), image);
        ASSERT_TRUE(archive.OpenArchive(path()));
    }
    fs::path path() const { return dir / "ZEV.PRJ"; }

    TempDir dir;
    ProjectArchive archive;
    std::vector<std::uint8_t> image = *knownArchive().toBytes();
};

bool isCleared(const ArchiveEntry& e) {
    return e.number == 0 && e.shortName[0] == 0 && e.longName[0] == 0 && e.dataOffset == 0 &&
           e.dataSize == 0;
}

} // namespace

TEST_F(ProjectArchiveTest, FindsAThreeCharacterTagStoredWithANulByte) {
    open(image);
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("MEK", section));
    EXPECT_EQ(section.tablePosition, 544u + 30u);
    EXPECT_EQ(section.entryCount, 4u);
}

TEST_F(ProjectArchiveTest, ComparesTagsExactlyAndStopsAtTheDirectoryEnd) {
    open(image);
    SectionIndex section{1, 1};
    EXPECT_FALSE(archive.FindSection("mek", section));
    EXPECT_EQ(section.tablePosition, 0u);
    EXPECT_EQ(section.entryCount, 0u);
    EXPECT_FALSE(archive.FindSection("ME", section));
    EXPECT_FALSE(archive.FindSection("TEXT", section));
    EXPECT_FALSE(archive.FindSection("POLYGON", section));
    EXPECT_TRUE(archive.FindSection("POLY", section));
}

TEST_F(ProjectArchiveTest, ReadsEntryNumbersOneToNAndClearsTheRecordOutsideThem) {
    open(image);
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("POLY", section));
    ASSERT_EQ(section.entryCount, 5u);
    ArchiveEntry entry;
    EXPECT_TRUE(archive.ReadEntry(section, entry, 1));
    EXPECT_EQ(entry.number, 1u);
    EXPECT_STREQ(entry.shortName, "TOWER1");
    EXPECT_STREQ(entry.longName, "tower1.geo");
    EXPECT_EQ(entry.dataOffset, 262u);
    EXPECT_EQ(entry.dataSize, 14u);

    EXPECT_FALSE(archive.ReadEntry(section, entry, 0));
    EXPECT_TRUE(isCleared(entry));
    EXPECT_TRUE(archive.ReadEntry(section, entry, 5));
    EXPECT_STREQ(entry.shortName, "END");
    EXPECT_FALSE(archive.ReadEntry(section, entry, 6));
    EXPECT_TRUE(isCleared(entry));
    EXPECT_EQ(archive.readEntryStatus(section, entry, 6), EntryReadStatus::OutOfRange);
}

TEST_F(ProjectArchiveTest, ReturnsNamesThatFillTheirWholeFieldsTerminated) {
    ArchiveWriter writer;
    writer.addSection("POLY").addEntry("ABCDEFGH", "abcdefgh.xyz", "d");
    open(*writer.toBytes());
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("POLY", section));
    ArchiveEntry entry;
    ASSERT_TRUE(archive.ReadEntry(section, entry, 1));
    EXPECT_EQ(std::strlen(entry.shortName), 8u);
    EXPECT_STREQ(entry.shortName, "ABCDEFGH");
    EXPECT_EQ(std::strlen(entry.longName), 12u);
    EXPECT_STREQ(entry.longName, "abcdefgh.xyz");
}

TEST_F(ProjectArchiveTest, ASectionWithSlotCountOneHasNoEntries) {
    ArchiveWriter writer;
    writer.addSection("POLY");
    open(*writer.toBytes());
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("POLY", section));
    EXPECT_EQ(section.entryCount, 0u);
    ArchiveEntry entry;
    EXPECT_FALSE(archive.ReadEntry(section, entry, 0));
    EXPECT_FALSE(archive.ReadEntry(section, entry, 1));
}

TEST_F(ProjectArchiveTest, ReadAtReadsAtMostTheAvailableBytes) {
    open(image);
    char buffer[4] = {};
    EXPECT_EQ(archive.ReadAt(262, buffer, 10, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "towe");
    EXPECT_EQ(archive.Tell(), 266u);
    EXPECT_EQ(archive.ReadNext(buffer, 2, 4), 2u);
    EXPECT_EQ(std::string(buffer, 2), "r ");
    EXPECT_EQ(archive.ReadAt(262, nullptr, 4, 4), 0u);
    EXPECT_TRUE(archive.SeekTo(338));
    EXPECT_EQ(archive.ReadNext(buffer, 4, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "abc1");
}

TEST_F(ProjectArchiveTest, ReadsNothingPastTheEndOfTheFile) {
    open(image);
    char buffer[8] = {};
    EXPECT_EQ(archive.ReadAt(image.size() - 2, buffer, 8, 8), 0u);
    EXPECT_EQ(archive.ReadAt(image.size() - 2, buffer, 2, 8), 2u);
    EXPECT_FALSE(archive.SeekTo(image.size() + 1));
    EXPECT_FALSE(archive.readBytes(image.size() - 1, 2).has_value());
    EXPECT_FALSE(archive.readBytes(0, SIZE_MAX).has_value());
}

TEST_F(ProjectArchiveTest, FailsEveryOperationWhileClosed) {
    SectionIndex section{574, 4};
    ArchiveEntry entry;
    char buffer[4];
    EXPECT_FALSE(archive.FindSection("MEK", section));
    EXPECT_FALSE(archive.ReadEntry(section, entry, 1));
    EXPECT_EQ(archive.readEntryStatus(section, entry, 1), EntryReadStatus::NotOpen);
    EXPECT_EQ(archive.ReadAt(0, buffer, 4, 4), 0u);
    EXPECT_FALSE(archive.SeekTo(0));
    open(image);
    archive.CloseArchive();
    EXPECT_FALSE(archive.isOpen());
    EXPECT_FALSE(archive.FindSection("MEK", section));
}

TEST_F(ProjectArchiveTest, RefusesADirectoryThatRunsPastTheFile) {
    image.resize(60); // cut inside the directory, before its end record
    open(image);
    SectionIndex section;
    EXPECT_FALSE(archive.FindSection("BWD", section));
}

TEST_F(ProjectArchiveTest, RefusesASectionWhoseSlotsLieOutsideTheFile) {
    setU32(image, 30, 0xFFFFFF00u); // POLY's header far beyond the end
    open(image);
    SectionIndex section;
    EXPECT_FALSE(archive.FindSection("POLY", section));
}

TEST_F(ProjectArchiveTest, RefusesSlotCountsTheFileCannotHold) {
    setU16(image, 874 + 18, 0xFFFF); // BWD claims 65,534 entries
    setU16(image, 122 + 18, 0);      // POLY claims no slots at all
    open(image);
    SectionIndex section;
    EXPECT_FALSE(archive.FindSection("BWD", section));
    EXPECT_FALSE(archive.FindSection("POLY", section));
    EXPECT_TRUE(archive.FindSection("MEK", section));
}

TEST_F(ProjectArchiveTest, ReportsDamagedEntriesWithAClearedRecord) {
    setU32(image, 152 + 8, 0x7FFFFFFFu); // entry 2 far outside
    setU32(image, 347 + 4, 10);          // entry 3's length too short for a descriptor
    setU32(image, 419 + 4, 0x10000);     // entry 4's data past the end
    open(image);
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("POLY", section));
    ArchiveEntry entry;
    EXPECT_EQ(archive.readEntryStatus(section, entry, 2), EntryReadStatus::Damaged);
    EXPECT_TRUE(isCleared(entry));
    EXPECT_EQ(archive.readEntryStatus(section, entry, 3), EntryReadStatus::Damaged);
    EXPECT_EQ(archive.readEntryStatus(section, entry, 4), EntryReadStatus::Damaged);
    EXPECT_EQ(archive.readEntryStatus(section, entry, 1), EntryReadStatus::Ok);
}

TEST_F(ProjectArchiveTest, ATruncatedArchiveFailsWhereItsBytesAreMissing) {
    image.resize(1100); // inside BWD's third entry
    open(image);
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("BWD", section));
    ArchiveEntry entry;
    EXPECT_TRUE(archive.ReadEntry(section, entry, 2));
    EXPECT_EQ(archive.readEntryStatus(section, entry, 3), EntryReadStatus::Damaged);
    EXPECT_EQ(archive.readEntryStatus(section, entry, 4), EntryReadStatus::Damaged);
}

TEST_F(ProjectArchiveTest, ReportsAnArchiveThatCannotBeOpened) {
    zev::common::RecordingReporter reporter;
    EXPECT_FALSE(OpenArchiveOrReport(archive, dir / "missing.prj", reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Could Not open ZEV.PRJ");
    EXPECT_EQ(reporter.messages[0].caption, "Error...");
    EXPECT_EQ(reporter.messages[0].icon, zev::common::MessageIcon::Stop);
    EXPECT_FALSE(archive.isOpen());
    EXPECT_FALSE(archive.OpenArchive(dir.path())); // a directory is no archive
}

TEST(CompleteArchivePath, AppendsTheArchiveNameToAGameDirectoryFindingItInAnyCase) {
    TempDir dir;
    writeFile(dir / "ZEV.PRJ", {1});
    EXPECT_EQ(CompleteArchivePath(dir.path()), dir / "ZEV.PRJ");
    EXPECT_EQ(CompleteArchivePath(dir / "zev.prj"), dir / "ZEV.PRJ");
    EXPECT_EQ(CompleteArchivePath(dir / "ZEV.PRJ"), dir / "ZEV.PRJ");
    // Nothing there: the lower-case name is appended.
    EXPECT_EQ(CompleteArchivePath(dir / "other"), dir / "other" / "zev.prj");
    EXPECT_EQ(CompleteArchivePath(dir / "game.prj"), dir / "game.prj");
}

TEST(ProjectArchiveImage, ReadsAnImageInMemoryAsItWouldTheFile) {
    ProjectArchive archive;
    archive.openImage(*knownArchive().toBytes());
    EXPECT_TRUE(archive.isOpen());
    EXPECT_EQ(archive.fileSize(), 1366u);
    SectionIndex section;
    ASSERT_TRUE(archive.FindSection("POLY", section));
    ArchiveEntry entry;
    ASSERT_TRUE(archive.ReadEntry(section, entry, 2));
    EXPECT_EQ(*archive.readEntryData(entry), bytesOf("abc1 data"));
    char buffer[4];
    EXPECT_EQ(archive.ReadAt(1364, buffer, 4, 4), 0u);
    archive.CloseArchive();
    EXPECT_FALSE(archive.isOpen());
    EXPECT_FALSE(archive.FindSection("POLY", section));
}
