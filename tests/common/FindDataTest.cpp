#include "common/FindData.h"
#include "common/FileIo.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace zev::common;

TEST(FindData, IsLaidOutAsTheWindowsFindDataStructure) {
    static_assert(FindDataRecord::size == 320);
    EXPECT_EQ(FindDataRecord::creationLow.offset, 4u);
    EXPECT_EQ(FindDataRecord::lastAccessLow.offset, 12u);
    EXPECT_EQ(FindDataRecord::lastWriteLow.offset, 20u);
    EXPECT_EQ(FindDataRecord::sizeHigh.offset, 28u);
    EXPECT_EQ(FindDataRecord::sizeLow.offset, 32u);
    EXPECT_EQ(FindDataRecord::longName.offset, 44u);
    EXPECT_EQ(FindDataRecord::shortName.offset, 304u);

    FindDataRecord record;
    record.setLastWriteTime(0x0123456789ABCDEFull);
    EXPECT_EQ(record.bytes()[20], 0xEF);
    EXPECT_EQ(record.bytes()[23], 0x89);
    EXPECT_EQ(record.bytes()[24], 0x67);
    EXPECT_EQ(record.bytes()[27], 0x01);
    record.setFileSize(0x100000002ull);
    EXPECT_EQ(record.bytes()[28], 1); // high half first
    EXPECT_EQ(record.bytes()[32], 2);
    EXPECT_EQ(record.fileSize(), 0x100000002ull);
}

TEST(FindData, CountsFileTimesIn100NanosecondTicksFrom1601) {
    EXPECT_EQ(windowsFileTime(0, 0), 116444736000000000ull);
    EXPECT_EQ(windowsFileTime(1, 500), 116444736010000005ull);
    EXPECT_EQ(windowsFileTime(-11644473600LL - 1, 0), 0u);
}

TEST(FindData, MakesUpperCaseShortNames) {
    EXPECT_EQ(shortFileName("zev.prj"), "ZEV.PRJ");
    EXPECT_EQ(shortFileName("ZEV.PRJ"), "ZEV.PRJ");
    EXPECT_EQ(shortFileName("README"), "README");
    EXPECT_EQ(shortFileName("Project Archive.data"), "PROJEC~1.DAT");
    EXPECT_EQ(shortFileName("longfilename.prj"), "LONGFI~1.PRJ");
    EXPECT_EQ(shortFileName("a.b.c"), "AB~1.C");
    EXPECT_EQ(shortFileName(".hidden"), "HIDDEN~1");
}

TEST(FindData, IsFilledFromTheFileSystem) {
    TempDir dir;
    ASSERT_TRUE(writeWholeFile(dir / "zev.prj", std::string_view("12345")));
    timespec times[2] = {{1000000000, 0}, {1200000000, 700}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "zev.prj").c_str(), times, 0), 0);
    const auto record = findFileData(dir / "zev.prj");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->fileSize(), 5u);
    EXPECT_EQ(record->lastAccessTime(), windowsFileTime(1000000000, 0));
    EXPECT_EQ(record->lastWriteTime(), windowsFileTime(1200000000, 700));
    EXPECT_GT(record->creationTime(), windowsFileTime(1200000000, 700)); // made just now
    EXPECT_EQ(record->text(FindDataRecord::longName), "zev.prj");
    EXPECT_EQ(record->text(FindDataRecord::shortName), "ZEV.PRJ");
    EXPECT_EQ(static_cast<std::uint32_t>(record->int32(FindDataRecord::attributes)) &
                  kFileAttributeArchive,
              kFileAttributeArchive);
    EXPECT_EQ(record->bytes()[318], 0);
    EXPECT_FALSE(findFileData(dir / "missing"));
}
