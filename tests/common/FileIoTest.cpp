#include "common/FileIo.h"

#include "SmallDisk.h"
#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace zev::common;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

} // namespace

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporaryBehind) {
    TempDir dir;
    writeWholeFile(dir / "m.mdb", std::string_view("old"));
    EXPECT_EQ(writeFileAtomically(dir / "m.mdb", bytes("new contents")), WriteResult::Written);
    EXPECT_EQ(readWholeFile(dir / "m.mdb"), bytes("new contents"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, ReportsAFailureAndKeepsTheOldFile) {
    TempDir dir;
    EXPECT_EQ(writeFileAtomically(dir / "missing" / "m.mdb", bytes("x")),
              WriteResult::CannotCreate);
    // A directory in the target's place cannot be replaced by a file: the rename fails.
    fs::create_directory(dir / "busy");
    writeWholeFile(dir / "busy" / "keep", std::string_view("k"));
    EXPECT_EQ(writeFileAtomically(dir / "busy", bytes("x")), WriteResult::WriteFailed);
    EXPECT_EQ(readWholeFile(dir / "busy" / "keep"), bytes("k"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(ReadWholeFile, GivesNothingForAMissingFile) {
    TempDir dir;
    EXPECT_FALSE(readWholeFile(dir / "none").has_value());
    writeWholeFile(dir / "empty", std::string_view(""));
    EXPECT_EQ(readWholeFile(dir / "empty"), std::vector<std::uint8_t>{});
}

TEST(ResolveCaseInsensitive, FindsUpperCaseNamesFromACd) {
    TempDir dir;
    fs::create_directories(dir / "GAME" / "RMG");
    writeWholeFile(dir / "GAME" / "RMG" / "BASE1.BWD", std::string_view("x"));
    EXPECT_EQ(resolveCaseInsensitive(dir.path(), "game/rmg/base1.bwd"),
              dir / "GAME" / "RMG" / "BASE1.BWD");
    EXPECT_EQ(resolveCaseInsensitive(dir.path(), "game/none.bwd"), dir / "game/none.bwd");
}

TEST(AtomicWrite, AFullDiskLeavesTheOldFileWholeAndNoTemporary) {
    SmallDisk disk(64);
    SKIP_WITHOUT_SMALL_DISK(disk);
    const std::vector<std::uint8_t> old(20000, 'o');
    ASSERT_EQ(writeFileAtomically(disk / "member.bwd", old), WriteResult::Written);
    std::error_code reason;
    EXPECT_EQ(
        writeFileAtomically(disk / "member.bwd", std::vector<std::uint8_t>(200000, 'n'), &reason),
        WriteResult::WriteFailed);
    EXPECT_EQ(reason, std::errc::no_space_on_device);
    EXPECT_EQ(readWholeFile(disk / "member.bwd"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);

    // Filled piece by piece, the same: nothing of the new file shows until it is complete.
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(disk / "member.bwd"));
    bool failed = false;
    for (int i = 0; i < 20 && !failed; ++i)
        failed = !writer.write(std::vector<std::uint8_t>(10000, 'p'));
    EXPECT_TRUE(failed || !writer.commit());
    EXPECT_EQ(readWholeFile(disk / "member.bwd"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, ReplacesALinkInsteadOfWritingThroughItAndKeepsPermissions) {
    TempDir dir;
    writeWholeFile(dir / "victim", std::string_view("precious"));
    fs::create_symlink(dir / "victim", dir / "brf0.brf");
    ASSERT_TRUE(writeWholeFile(dir / "brf0.brf", std::string_view("new")));
    EXPECT_FALSE(fs::is_symlink(dir / "brf0.brf"));
    EXPECT_EQ(readWholeFile(dir / "victim"), bytes("precious"));
    EXPECT_EQ(readWholeFile(dir / "brf0.brf"), bytes("new"));

    fs::permissions(dir / "victim", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeWholeFile(dir / "victim", std::string_view("v2")));
    EXPECT_EQ(fs::status(dir / "victim").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(AtomicWrite, NamesTheFileAndTheSystemsReason) {
    TempDir dir;
    fs::create_directories(dir / "out" / "d" / "sub");
    std::error_code reason;
    EXPECT_EQ(writeFileAtomically(dir / "out" / "d" / "sub", bytes("x"), &reason),
              WriteResult::WriteFailed);
    EXPECT_EQ(describeFileFailure("cannot write", "out/d/sub", reason),
              "cannot write out/d/sub: Is a directory");
    EXPECT_EQ(writeFileAtomically(dir / "none" / "f", bytes("x"), &reason),
              WriteResult::CannotCreate);
    EXPECT_EQ(reason, std::errc::no_such_file_or_directory);
}

TEST(ReadWholeFile, RefusesWhatIsNotARegularFileOrPassesItsCap) {
    TempDir dir;
    std::error_code reason;
    EXPECT_FALSE(readWholeFile("/dev/zero", kNoSizeCap, &reason));
    EXPECT_EQ(reason, FileError::NotRegularFile);
    EXPECT_EQ(describeFileFailure("cannot read", "/dev/zero", reason),
              "cannot read /dev/zero: Not a regular file");
    EXPECT_FALSE(readWholeFile(dir.path(), kNoSizeCap, &reason));
    EXPECT_EQ(reason, FileError::NotRegularFile);
    EXPECT_FALSE(readFilePrefix("/dev/zero", 4));

    writeWholeFile(dir / "big", std::string(5000, 'b'));
    EXPECT_FALSE(readWholeFile(dir / "big", 4999, &reason));
    EXPECT_EQ(reason, FileError::TooLarge);
    EXPECT_EQ(readWholeFile(dir / "big", 5000)->size(), 5000u);
    EXPECT_EQ(readFilePrefix(dir / "big", 4), bytes("bbbb"));
    EXPECT_EQ(readFilePrefix(dir / "big", 9000)->size(), 5000u);
}
