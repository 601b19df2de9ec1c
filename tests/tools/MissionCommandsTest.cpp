#include "CliCommand.h"

#include "common/FileIo.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace zev::cli;

namespace {

CommandRun run(const std::filesystem::path& home, const std::string& name,
               std::vector<std::string> args) {
    return runCli(home, missionCommands(), name, std::move(args));
}

} // namespace

TEST(MissionCommands, NewThenDumpShowsTheMission) {
    TempDir home;
    const std::string file = (home / "t.mdb").string();
    ASSERT_EQ(run(home.path(), "new",
                  {file, "--project", "WXYZ", "--mission", "Night Raid", "--players", "6",
                   "--team-play", "--patch"})
                  .status,
              kExitOk);
    const CommandRun dump = run(home.path(), "dump", {file});
    ASSERT_EQ(dump.status, kExitOk) << dump.err;
    const auto j = nlohmann::json::parse(dump.out);
    for (const char* key : {"header", "start_points", "stars", "objectives", "weather", "palette",
                            "briefings", "objects"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["header"]["project_name"], "WXYZ");
    EXPECT_EQ(j["header"]["mission_name"], "Night Raid");
    EXPECT_EQ(j["header"]["number_of_players"], "6");
    EXPECT_EQ(j["header"]["free_for_all"], 0);
    EXPECT_EQ(j["header"]["patch"], 1);
    EXPECT_EQ(j["header"]["gravity"], "1.0");
    EXPECT_EQ(j["start_points"][1]["heading"], "180");
    // Only nav points and rows in use, each with its index.
    EXPECT_EQ(j["stars"][7]["nav_points"].size(), 1u);
    EXPECT_EQ(j["stars"][7]["nav_points"][0]["index"], 0);
    EXPECT_EQ(j["stars"][7]["nav_points"][0]["x"], "-40000");
    EXPECT_EQ(j["objectives"][2]["rows"].size(), 1u);
    EXPECT_EQ(j["objectives"][2]["rows"][0]["target"], "WXYZst21");
    EXPECT_EQ(j["briefings"][0]["length"], 0);
    EXPECT_TRUE(j["objects"].empty());
}

TEST(MissionCommands, SaveAsWritesTheSameBytes) {
    TempDir home;
    const std::string a = (home / "a.mdb").string(), b = (home / "b.mdb").string();
    ASSERT_EQ(run(home.path(), "new", {a, "--project", "AB", "--mission", "M"}).status, kExitOk);
    ASSERT_EQ(run(home.path(), "save-as", {a, b}).status, kExitOk);
    EXPECT_EQ(zev::common::readWholeFile(a), zev::common::readWholeFile(b));
}

TEST(MissionCommands, ReportFailuresAndBadUsageWithTheirStatus) {
    TempDir home;
    const CommandRun missing = run(home.path(), "dump", {(home / "none.mdb").string()});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_EQ(missing.err, "File Open Error...: Couldn't Open File...\n");

    const std::string file = (home / "x.mdb").string();
    EXPECT_EQ(run(home.path(), "new", {file, "--mission", "M"}).status, kExitUsage);
    EXPECT_EQ(run(home.path(), "new", {file, "--project", "A/B", "--mission", "M"}).status,
              kExitUsage);
    EXPECT_EQ(run(home.path(), "new", {file, "--project", "ABCDE", "--mission", "M"}).status,
              kExitUsage);
    EXPECT_EQ(run(home.path(), "new", {file, "--project", "AB", "--mission", "M", "--players", "9"})
                  .status,
              kExitUsage);
    EXPECT_EQ(
        run(home.path(), "new", {file, "--project", "AB", "--mission", "M", "--bogus"}).status,
        kExitUsage);
    EXPECT_EQ(run(home.path(), "save-as", {file}).status, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(file));
}
