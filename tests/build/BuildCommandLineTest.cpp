// zevedit-cli build.

#include "CliCommand.h"

#include "common/FileIo.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>
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
