// zevedit-cli build.

#include "CliCommand.h"

#include "common/FileIo.h"

#include "CliRun.h"
#include "SmallDisk.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace zev::cli;

namespace {

CommandRun run(const std::filesystem::path& home, const std::string& name,
               std::vector<std::string> args) {
    return runCli(home, {missionCommands, buildCommands}, name, std::move(args));
}

} // namespace

TEST(BuildCommandLine, BuildsTheSourcesOfAMissionFileAndLeavesTheFileAlone) {
    TempDir home;
    const std::string file = (home / "raid.mdb").string();
    ASSERT_EQ(
        run(home.path(), "new", {file, "--project", "RAID", "--mission", "Night Raid"}).status,
        kExitOk);
    const auto before = zev::common::readWholeFile(file);

    const CommandRun build = run(home.path(), "build", {file});
    EXPECT_EQ(build.status, kExitOk);
    EXPECT_EQ(build.err, "ZEVEDIT 3D: Text File Build Complete...\n");
    const auto name = zev::common::readWholeFile(home / "source" / "RAID" / "RAIDname.txt");
    ASSERT_TRUE(name);
    EXPECT_EQ(std::string(name->begin(), name->end()), "Night Raid\r\n&X");
    EXPECT_TRUE(std::filesystem::exists(home / "source" / "RAID" / "RAIDscn1.wld"));
    EXPECT_EQ(zev::common::readWholeFile(file), before);
}

TEST(BuildCommandLine, ReportsAMissingMissionAndBadUsage) {
    TempDir home;
    const CommandRun missing = run(home.path(), "build", {(home / "none.mdb").string()});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_FALSE(std::filesystem::exists(home / "source"));
    EXPECT_EQ(run(home.path(), "build", {}).status, kExitUsage);
    EXPECT_EQ(run(home.path(), "build", {"a.mdb", "b.mdb"}).status, kExitUsage);
}

TEST(BuildCommandLine, FailsWhenAnySourceCannotBeWrittenAndLeavesNoneTruncated) {
    SmallDisk home(1024);
    SKIP_WITHOUT_SMALL_DISK(home);
    const std::string file = (home / "raid.mdb").string();
    ASSERT_EQ(
        run(home.path(), "new", {file, "--project", "RAID", "--mission", "Night Raid"}).status,
        kExitOk);
    ASSERT_EQ(run(home.path(), "build", {file}).status, kExitOk);
    const auto sources = home / "source" / "RAID";
    std::map<std::string, std::vector<std::uint8_t>> before;
    for (const auto& entry : std::filesystem::directory_iterator(sources))
        before[entry.path().filename().string()] = *zev::common::readWholeFile(entry.path());

    home.fill();
    const CommandRun full = run(home.path(), "build", {file});
    EXPECT_EQ(full.status, kExitFailed) << full.err;
    EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
    // Every source as the last good build left it, and no temporary beside them.
    std::map<std::string, std::vector<std::uint8_t>> after;
    for (const auto& entry : std::filesystem::directory_iterator(sources))
        after[entry.path().filename().string()] = *zev::common::readWholeFile(entry.path());
    EXPECT_EQ(after, before);
}
