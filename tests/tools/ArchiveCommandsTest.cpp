#include "CliCommand.h"

#include "gamedata/ArchiveWriter.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace zev::cli;
namespace fs = std::filesystem;

namespace {

CommandRun run(const fs::path& home, const std::string& name, std::vector<std::string> args) {
    return runCli(home, archiveCommands(), name, std::move(args));
}

class ArchiveCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game());
        fs::create_directories(home());
        zev::gamedata::ArchiveWriter writer;
        auto& poly = writer.addSection("POLY");
        poly.addEntry("TOWER1", "tower1.geo", "geometry");
        poly.addEntry("END", "end.end");
        auto& mek = writer.addSection("MEK");
        mek.addEntry("VRL00STD", "vrl00std.mek", "config");
        mek.addEntry("END", "end.end");
        auto& bwd = writer.addSection("BWD");
        bwd.addEntry("VORLANE", "vorlane.bwd", "chassis");
        bwd.addEntry("SOUNDFX", "soundfx.bwd", "sounds");
        bwd.addEntry("END", "end.end");
        ASSERT_TRUE(writer.writeTo(game() / "ZEV.PRJ"));
    }
    fs::path game() const { return dir / "game"; }
    fs::path home() const { return dir / "home"; }
    TempDir dir;
};

} // namespace

TEST_F(ArchiveCommandsTest, ScanBuildsCurrentIndexFiles) {
    EXPECT_EQ(run(home(), "fresh", {"--archive", game().string()}).out, "stale\n");
    const CommandRun scan = run(home(), "scan", {"--archive", game().string()});
    ASSERT_EQ(scan.status, kExitOk) << scan.err;
    EXPECT_EQ(scan.out, "WTB.IDX  POLY  2 entries\n"
                        "MEK.IDX  MEK   2 entries\n"
                        "CHS.IDX  BWD   3 entries, 1 chassis\n"
                        "current\n");
    const CommandRun fresh = run(home(), "fresh", {"--archive", (game() / "ZEV.PRJ").string()});
    EXPECT_EQ(fresh.status, kExitOk);
    EXPECT_EQ(fresh.out, "current\n");
}

TEST_F(ArchiveCommandsTest, FreshTellsWhyTheIndexFilesAreStale) {
    ASSERT_EQ(run(home(), "scan", {"--archive", game().string()}).status, kExitOk);
    fs::resize_file(game() / "ZEV.PRJ", fs::file_size(game() / "ZEV.PRJ") + 1);
    const CommandRun fresh = run(home(), "fresh", {"--archive", game().string()});
    EXPECT_EQ(fresh.status, kExitFailed);
    EXPECT_EQ(fresh.out, "stale\n");
    EXPECT_NE(fresh.err, "");
}

TEST_F(ArchiveCommandsTest, ScanReportsAMissingArchive) {
    const CommandRun scan = run(home(), "scan", {"--archive", (dir / "nowhere").string()});
    EXPECT_EQ(scan.status, kExitFailed);
    EXPECT_EQ(scan.err, "ZEVEDIT 3D: Error opening ZEV Project File..\n");
    EXPECT_EQ(run(home(), "scan", {}).status, kExitUsage);
}

TEST_F(ArchiveCommandsTest, ListSectionWritesInfoTxtInTheCurrentDirectory) {
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    const CommandRun list = run(home(), "list-section", {"--archive", game().string(), "MEK"});
    const CommandRun missing = run(home(), "list-section", {"--archive", game().string(), "TEXT"});
    fs::current_path(before);
    EXPECT_EQ(list.status, kExitOk) << list.err;
    EXPECT_EQ(list.out, "2 entries of MEK listed in info.txt\n");
    std::ifstream in(dir / "info.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "   0.  00000000                               0\r\n"
                          "   1.  000001A8  VRL00STD  vrl00std.mek       6\r\n");
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_EQ(missing.err, "Can't find index for TEXT in ZEV.PRJ\n");
}
