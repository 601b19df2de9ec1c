#include "GamedataTestSupport.h"

#include "gamedata/IndexFiles.h"

#include "common/FindData.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace zev::gamedata;
using namespace zev::gamedata::test;
namespace fs = std::filesystem;

namespace {

class IndexFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game());
        fs::create_directories(home());
        ASSERT_TRUE(knownArchive().writeTo(archivePath()));
    }
    fs::path game() const { return dir / "game"; }
    fs::path home() const { return dir / "home"; }
    fs::path archivePath() const { return game() / "ZEV.PRJ"; }

    void buildAll() {
        ProjectArchive archive;
        ASSERT_TRUE(archive.OpenArchive(archivePath()));
        ASSERT_EQ(BuildPolyIndex(archive, archivePath(), home()), 5u);
        ASSERT_EQ(BuildMekIndex(archive, archivePath(), home()), 4u);
        ASSERT_EQ(BuildChassisIndex(archive, archivePath(), home()), 6u);
    }
    // Changes bytes of the find-data copy stored in an index file's header.
    void patchStoredRecord(const char* file, std::size_t recordOffset, std::uint8_t value) {
        auto bytes = readFile(home() / file);
        bytes[4 + recordOffset] ^= value;
        writeFile(home() / file, bytes);
    }
    bool current() { return CheckIndexFiles(game(), home()); }

    TempDir dir;
};

void setTimes(const fs::path& path, timespec access, timespec modify) {
    const timespec times[2] = {access, modify};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

} // namespace

TEST_F(IndexFilesTest, WritesTheGeometryIndexWithItsEmptyFirstRecordAndWithoutEntryN) {
    buildAll();
    const auto bytes = readFile(home() / "WTB.IDX");
    ASSERT_EQ(bytes.size(), 324u + 5 * 24);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{'I', 'D', 'X', 0}));
    const auto expectRecord = [&](int i, const char* name, std::uint32_t offset, std::uint32_t n) {
        const std::size_t at = 324 + 24 * static_cast<std::size_t>(i);
        EXPECT_EQ(textAt(bytes, at, 16), name) << i;
        EXPECT_EQ(u32At(bytes, at + 16), offset) << i;
        EXPECT_EQ(u32At(bytes, at + 20), n) << i;
    };
    expectRecord(0, "", 0, 0);
    expectRecord(1, "tower1.geo", 262, 1);
    expectRecord(2, "abc1.xyz", 338, 2);
    expectRecord(3, "abc12.geo", 409, 3);
    expectRecord(4, "wall.geo", 481, 4);
    // The empty record is all zeros; names are zero-filled after their terminator.
    EXPECT_TRUE(
        std::all_of(bytes.begin() + 324, bytes.begin() + 348, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(bytes.begin() + 348 + 10, bytes.begin() + 348 + 16,
                            [](auto b) { return b == 0; }));
}

TEST_F(IndexFilesTest, WritesTheArchiveFindDataRecordIntoEveryHeader) {
    buildAll();
    const auto record = *zev::common::findFileData(archivePath());
    for (const char* file : {"WTB.IDX", "MEK.IDX", "CHS.IDX"}) {
        const auto bytes = readFile(home() / file);
        EXPECT_TRUE(std::equal(record.bytes().begin(), record.bytes().end(), bytes.begin() + 4))
            << file;
    }
    const auto bytes = readFile(home() / "MEK.IDX");
    EXPECT_EQ(textAt(bytes, 0, 4), "MEK");
    EXPECT_EQ(textAt(bytes, 4 + 44, 260), "ZEV.PRJ");
    EXPECT_EQ(u32At(bytes, 4 + 32), 1366u); // size, low half
    EXPECT_EQ(u32At(bytes, 4 + 28), 0u);    // size, high half
}

TEST_F(IndexFilesTest, WritesConfigurationsByShortName) {
    buildAll();
    const auto bytes = readFile(home() / "MEK.IDX");
    ASSERT_EQ(bytes.size(), 324u + 4 * 16);
    EXPECT_EQ(textAt(bytes, 324, 12), "");
    EXPECT_EQ(u32At(bytes, 324 + 12), 0u);
    EXPECT_EQ(textAt(bytes, 340, 12), "VRL00STD");
    EXPECT_EQ(u32At(bytes, 340 + 12), 1u);
    EXPECT_EQ(textAt(bytes, 356, 12), "KST01HVY");
    EXPECT_EQ(textAt(bytes, 372, 12), "MNT");
    EXPECT_EQ(u32At(bytes, 372 + 12), 3u);
}

TEST_F(IndexFilesTest, KeepsOnlyChassisNamesSharingFourCharactersWithAStem) {
    buildAll();
    const auto bytes = readFile(home() / "CHS.IDX");
    EXPECT_EQ(textAt(bytes, 0, 4), "CHS");
    ASSERT_EQ(bytes.size(), 324u + 4 * 16);
    EXPECT_EQ(textAt(bytes, 324, 12), "VORLANE");
    EXPECT_EQ(u32At(bytes, 324 + 12), 1u);
    EXPECT_EQ(textAt(bytes, 340, 12), "HALBERD");
    EXPECT_EQ(textAt(bytes, 356, 12), "VORLXTRA"); // shares only "VORL" with "vorlane"
    EXPECT_EQ(u32At(bytes, 356 + 12), 3u);
    EXPECT_EQ(textAt(bytes, 372, 12), "MANTIS");
    EXPECT_EQ(u32At(bytes, 372 + 12), 5u); // SOUNDFX (4) is no chassis
}

TEST_F(IndexFilesTest, TakesExtraStemsFromChassisTxt) {
    writeFile(home() / "chassis.txt", bytesOf("soundboard\r\n"));
    buildAll();
    const auto records = readNameIndex(home(), IndexKind::Chassis);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[3].name, "SOUNDFX");
}

TEST_F(IndexFilesTest, LeavesTheFileAloneWhenTheSectionIsMissing) {
    writeFile(home() / "WTB.IDX", bytesOf("old"));
    ArchiveWriter writer;
    writer.addSection("MEK").addEntry("A", "a");
    ASSERT_TRUE(writer.writeTo(archivePath()));
    ProjectArchive archive;
    ASSERT_TRUE(archive.OpenArchive(archivePath()));
    EXPECT_EQ(BuildPolyIndex(archive, archivePath(), home()), 0u);
    EXPECT_EQ(readFile(home() / "WTB.IDX"), bytesOf("old"));
}

TEST_F(IndexFilesTest, FailsOnADamagedArchiveAndKeepsThePreviousFile) {
    buildAll();
    const auto before = readFile(home() / "WTB.IDX");
    auto image = readFile(archivePath());
    setU32(image, 152 + 16, 0x7FFFFFFF); // POLY entry 3 points outside the file
    writeFile(archivePath(), image);
    ProjectArchive archive;
    ASSERT_TRUE(archive.OpenArchive(archivePath()));
    EXPECT_EQ(BuildPolyIndex(archive, archivePath(), home()), 0u);
    EXPECT_EQ(readFile(home() / "WTB.IDX"), before);
}

TEST_F(IndexFilesTest, ReplacesAnIndexFileFoundInAnotherCase) {
    writeFile(home() / "wtb.idx", bytesOf("old"));
    buildAll();
    EXPECT_FALSE(fs::exists(home() / "WTB.IDX"));
    EXPECT_EQ(readFile(home() / "wtb.idx").size(), 444u);
    EXPECT_TRUE(current());
}

TEST_F(IndexFilesTest, AreCurrentRightAfterABuild) {
    EXPECT_FALSE(current());
    buildAll();
    EXPECT_TRUE(current());
    EXPECT_TRUE(CheckIndexFiles(archivePath(), home()));
    EXPECT_EQ(indexStaleReason(game(), home()), "");
}

TEST_F(IndexFilesTest, TurnStaleWhenTheArchiveGetsANewWriteTime) {
    buildAll();
    fs::last_write_time(archivePath(),
                        fs::last_write_time(archivePath()) + std::chrono::seconds(5));
    EXPECT_FALSE(current());
}

TEST_F(IndexFilesTest, TurnStaleWhenTheArchiveChangesSizeAlone) {
    buildAll();
    struct stat st {};
    ASSERT_EQ(::stat(archivePath().c_str(), &st), 0);
    fs::resize_file(archivePath(), 1367);
    setTimes(archivePath(), st.st_atim, st.st_mtim); // the same write time as before
    EXPECT_FALSE(current());
    EXPECT_EQ(indexStaleReason(game(), home()), "WTB.IDX was built for an archive of another size");
}

TEST_F(IndexFilesTest, StayCurrentWhenOnlyTheAccessTimeChanges) {
    buildAll();
    struct stat st {};
    ASSERT_EQ(::stat(archivePath().c_str(), &st), 0);
    timespec later = st.st_atim;
    later.tv_sec += 1000;
    setTimes(archivePath(), later, st.st_mtim);
    EXPECT_TRUE(current());
}

TEST_F(IndexFilesTest, CompareCreationTimeWriteTimeAndSizeButNotTheOtherFields) {
    using R = zev::common::FindDataRecord;
    buildAll();
    patchStoredRecord("MEK.IDX", R::attributes.offset, 0x01);
    patchStoredRecord("MEK.IDX", R::lastAccessHigh.offset, 0x10);
    patchStoredRecord("MEK.IDX", R::longName.offset, 0x20);
    patchStoredRecord("MEK.IDX", R::shortName.offset, 0x20);
    EXPECT_TRUE(current());
    for (std::size_t offset :
         {R::creationLow.offset, R::creationHigh.offset, R::lastWriteLow.offset,
          R::lastWriteHigh.offset, R::sizeHigh.offset, R::sizeLow.offset}) {
        patchStoredRecord("CHS.IDX", offset, 0x01);
        EXPECT_FALSE(current()) << offset;
        patchStoredRecord("CHS.IDX", offset, 0x01);
        EXPECT_TRUE(current()) << offset;
    }
}

TEST_F(IndexFilesTest, AreNotCurrentWithAMissingFileAWrongMagicOrAShortHeader) {
    buildAll();
    auto chs = readFile(home() / "CHS.IDX");
    chs[0] = 'M'; // "MHS"
    writeFile(home() / "CHS.IDX", chs);
    EXPECT_FALSE(current());
    chs[0] = 'C';
    chs.resize(300);
    writeFile(home() / "CHS.IDX", chs);
    EXPECT_FALSE(current());
    fs::remove(home() / "CHS.IDX");
    EXPECT_FALSE(current());
    EXPECT_EQ(indexStaleReason(game(), home()), "CHS.IDX is missing");
}

TEST_F(IndexFilesTest, AreNotCurrentWithoutAnArchive) {
    buildAll();
    fs::remove(archivePath());
    EXPECT_FALSE(current());
}

TEST(IndexHeaderCheck, JudgesTheFirstBytesOfAFileAgainstTheArchiveRecord) {
    zev::common::FindDataRecord archive;
    archive.setCreationTime(0x1234567890);
    archive.setLastWriteTime(0x1234567999);
    archive.setFileSize(1366);
    IndexHeader header;
    header.setText(IndexHeader::magic, "MEK");
    header.setFindData(archive);
    std::vector<std::uint8_t> file(header.bytes().begin(), header.bytes().end());
    file.resize(file.size() + 15, 'A'); // less than one record

    EXPECT_EQ(indexHeaderStaleReason(IndexKind::Mek, file, archive), "");
    EXPECT_TRUE(nameIndexRecords(file).empty());
    EXPECT_EQ(indexHeaderStaleReason(IndexKind::Chassis, file, archive),
              "CHS.IDX is not an index file of its kind");
    EXPECT_EQ(indexHeaderStaleReason(IndexKind::Mek, std::span(file).first(323), archive),
              "MEK.IDX has no complete header");
    archive.setFileSize(1367);
    EXPECT_EQ(indexHeaderStaleReason(IndexKind::Mek, file, archive),
              "MEK.IDX was built for an archive of another size");
    archive.setFileSize(1366);
    file[3] = ' '; // the magic's terminator belongs to it
    EXPECT_EQ(indexHeaderStaleReason(IndexKind::Mek, file, archive),
              "MEK.IDX is not an index file of its kind");
}
