#include "common/FileIo.h"

#include "SmallDisk.h"
#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(AtomicWrite, RefusesAPipeOrADeviceWhereTheFileShouldGoAlsoBehindALink) {
    TempDir dir;
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, dir / "link-to-pipe");
    for (const fs::path& target : {fifo, dir / "link-to-pipe"}) {
        std::error_code reason;
        EXPECT_EQ(writeFileAtomically(target, bytes("x"), &reason), WriteResult::CannotCreate)
            << target;
        EXPECT_EQ(reason, make_error_code(FileError::NotRegularFile)) << target;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(dir / "link-to-pipe"));
    // A device node too (character devices exist on every system).
    std::error_code reason;
    EXPECT_FALSE(writeWholeFile("/dev/null", std::string_view("x"), &reason));
    EXPECT_EQ(reason, make_error_code(FileError::NotRegularFile));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // Only what was there stays: no temporary left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(NewFilesWriter, WritesOnlyMissingFilesAndListsTheOnesItKept) {
    TempDir dir;
    writeWholeFile(dir / "edited.ini", std::string_view("mine"));
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    NewFilesWriter files;
    EXPECT_TRUE(files.write(dir / "edited.ini", bytes("default")));
    EXPECT_TRUE(files.write(dir / "new.ini", bytes("default")));
    EXPECT_TRUE(files.write(dir / "dangling", bytes("default")));
    EXPECT_EQ(readWholeFile(dir / "edited.ini"), bytes("mine"));
    EXPECT_EQ(readWholeFile(dir / "new.ini"), bytes("default"));
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
    EXPECT_EQ(files.kept(), (std::vector<fs::path>{dir / "edited.ini", dir / "dangling"}));
    std::error_code reason;
    EXPECT_FALSE(files.write(dir / "missing" / "x", bytes("y"), &reason));
    EXPECT_TRUE(reason);
}

TEST(FileMessages, KeepTheProgramsWordsFirstThenTheFileAndTheReason) {
    EXPECT_EQ(messageWithFile("Unkown File Type...", "a/b.mdb", "no tag"),
              "Unkown File Type...\r\na/b.mdb: no tag");
    EXPECT_EQ(messageWithFile("Error!", "x", std::make_error_code(std::errc::permission_denied)),
              "Error!\r\nx: Permission denied");
}
