#include "CliCommand.h"

#include "common/FileIo.h"
#include "mission/MissionFile.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

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
    EXPECT_EQ(missing.err, "File Open Error...: Couldn't Open File...\n  cannot read " +
                               (home / "none.mdb").string() + ": No such file or directory\n");

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

namespace {

// A mission whose three briefings say which mission it is.
void writeMarkedMission(const std::filesystem::path& path, const std::string& mark) {
    zev::mission::MissionDocument doc;
    for (auto& briefing : doc.briefings)
        briefing.assign(mark.begin(), mark.end());
    zev::common::SilentReporter quiet;
    ASSERT_TRUE(
        zev::mission::MissionFile::save(doc, path, zev::mission::RecordPositions(doc), 0, quiet));
}

bool holdsOnlyItsOwnBriefings(const std::filesystem::path& path, const std::string& mark) {
    zev::mission::MissionDocument doc;
    std::uint8_t patch = 0;
    zev::common::SilentReporter quiet;
    if (!zev::mission::MissionFile::open(doc, patch, path, quiet))
        return false;
    for (const auto& briefing : doc.briefings)
        if (std::string(briefing.begin(), briefing.end()) != mark)
            return false;
    return true;
}

} // namespace

TEST(MissionCommands, TwoProcessesSavingAtOnceNeverMixTheirBriefings) {
    TempDir home;
    writeMarkedMission(home / "a.mdb", std::string(3000, 'A'));
    writeMarkedMission(home / "b.mdb", std::string(5000, 'B'));
    constexpr int kRounds = 40;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int mixed = 0;
        for (int i = 0; i < kRounds; ++i) {
            const auto out = home / ("a" + std::to_string(i) + ".mdb");
            run(home.path(), "save-as", {(home / "a.mdb").string(), out.string()});
            mixed += holdsOnlyItsOwnBriefings(out, std::string(3000, 'A')) ? 0 : 1;
        }
        _exit(mixed);
    }
    int mixed = 0;
    for (int i = 0; i < kRounds; ++i) {
        const auto out = home / ("b" + std::to_string(i) + ".mdb");
        run(home.path(), "save-as", {(home / "b.mdb").string(), out.string()});
        mixed += holdsOnlyItsOwnBriefings(out, std::string(5000, 'B')) ? 0 : 1;
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "saves of the other process held foreign briefings";
    EXPECT_EQ(mixed, 0);
}

TEST(MissionCommands, NeedNoWritableProgramDirectoryAndFollowNoPlantedLink) {
    TempDir dir;
    const auto noHome = dir / "no-such-home";
    const std::string a = (dir / "a.mdb").string(), b = (dir / "b.mdb").string();
    EXPECT_EQ(run(noHome, "new", {a, "--project", "AB", "--mission", "M"}).status, kExitOk);
    EXPECT_EQ(run(noHome, "save-as", {a, b}).status, kExitOk);
    EXPECT_EQ(run(noHome, "dump", {b}).status, kExitOk);

    // A link where a scratch briefing once went: nothing is written through it.
    zev::common::writeWholeFile(dir / "victim", std::string_view("precious"));
    std::filesystem::create_symlink(dir / "victim", dir / "brf0.brf");
    writeMarkedMission(dir / "c.mdb", "briefing");
    EXPECT_EQ(run(dir.path(), "save-as", {(dir / "c.mdb").string(), b}).status, kExitOk);
    EXPECT_EQ(run(dir.path(), "dump", {b}).status, kExitOk);
    EXPECT_EQ(zev::common::readWholeFile(dir / "victim"),
              (std::vector<std::uint8_t>{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
}

TEST(MissionCommands, NewRefusesBadNumbersAndProjectNamesAsUsage) {
    TempDir home;
    const std::string file = (home / "t.mdb").string();
    for (const char* players : {"99999999999999", "2147483648", "-1", "1", "9", "4x", "", " 4"}) {
        const CommandRun r = run(home.path(), "new",
                                 {file, "--project", "AB", "--mission", "M", "--players", players});
        EXPECT_EQ(r.status, kExitUsage) << players;
        EXPECT_NE(r.err.find("--players takes a number from 2 to 8"), std::string::npos) << players;
    }
    for (const char* project : {"a:b", ".", "ab*?", "a b", "..", "a/b", "ABCDE", "", "a\tb"}) {
        const CommandRun r =
            run(home.path(), "new", {file, "--project", project, "--mission", "M"});
        EXPECT_EQ(r.status, kExitUsage) << project;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << project;
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(
        run(home.path(), "new", {file, "--project", "A.B", "--mission", "M", "--players", "8"})
            .status,
        kExitOk);
}

TEST(MissionCommands, DumpRefusesADeviceAndNamesTheReason) {
    TempDir home;
    const CommandRun r = run(home.path(), "dump", {"/dev/zero"});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("File Open Error...: Couldn't Open File..."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("cannot read /dev/zero: Not a regular file"), std::string::npos) << r.err;
}
