#include "common/FileIo.h"

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
