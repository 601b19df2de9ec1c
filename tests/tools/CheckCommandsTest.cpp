#include "CliCommand.h"

#include "gamedata/DemoData.h"
#include "mission/MissionFile.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::cli;
using O = mission::MissionObjectRecord;

namespace {

// Adds an object of geometry `geometry` (menu text "Crate") to the mission file and saves it.
void addObject(const std::string& path, const std::string& geometry) {
    mission::MissionDocument document;
    std::uint8_t patch = 0;
    common::SilentReporter silent;
    ASSERT_TRUE(mission::MissionFile::open(document, patch, path, silent));
    O record;
    record.setText(O::objectName, geometry);
    record.setText(O::menuText, "Crate");
    record.setText(O::areaFile, "1");
    document.objects.place(*document.objects.allocate(silent), record);
    ASSERT_TRUE(mission::MissionFile::save(document, path, mission::RecordPositions(document),
                                           patch, silent));
}

} // namespace

TEST(CheckCommand, PrintsOneProblemALineAndExitsOneOnlyForErrors) {
    TempDir dir;
    common::SilentReporter silent;
    ASSERT_TRUE(gamedata::demo::writeDemoData(dir.path(), silent));
    const auto paths = gamedata::demo::demoDataPaths(dir.path());
    const auto run = [&](std::vector<std::string> args) {
        return runCli(paths.programDirectory, {missionCommands, checkCommands}, args.front(),
                      std::vector<std::string>(args.begin() + 1, args.end()));
    };
    const std::string mission = (dir / "m.mdb").string();
    ASSERT_EQ(run({"new", mission, "--project", "ABCD", "--mission", "M"}).status, kExitOk);

    auto checked = run({"check", mission, "--archive", paths.archive.string()});
    EXPECT_EQ(checked.status, kExitOk) << checked.err;
    EXPECT_EQ(checked.out, "");

    // Without the archive a warning says what was left unchecked; warnings alone exit 0.
    checked = run({"check", mission});
    EXPECT_EQ(checked.status, kExitOk);
    EXPECT_EQ(checked.out, "WARNING\tIndex files\tNo archive given: the index files and "
                           "ready-made groups were not checked\n");

    addObject(mission, "crate");
    addObject(mission, "nosuchgeo");
    checked = run({"check", mission, "--archive", paths.archive.string()});
    EXPECT_EQ(checked.status, kExitFailed);
    EXPECT_EQ(checked.out, "ERROR\tObject 1 \"Crate\"\tGeometry \"nosuchgeo\" is not in WTB.IDX\n");

    EXPECT_EQ(run({"check"}).status, kExitUsage);
    EXPECT_EQ(run({"check", mission, "--archive"}).status, kExitUsage);
    checked = run({"check", (dir / "missing.mdb").string()});
    EXPECT_EQ(checked.status, kExitFailed);
    EXPECT_FALSE(checked.err.empty());
}

TEST(CheckCommand, ReportsTheCrossReferencesOfObjectivesNavPointsAndBriefings) {
    TempDir dir;
    common::SilentReporter silent;
    ASSERT_TRUE(gamedata::demo::writeDemoData(dir.path(), silent));
    const auto paths = gamedata::demo::demoDataPaths(dir.path());
    const auto run = [&](std::vector<std::string> args) {
        return runCli(paths.programDirectory, {missionCommands, checkCommands}, args.front(),
                      std::vector<std::string>(args.begin() + 1, args.end()));
    };
    const std::string mission = (dir / "m.mdb").string();
    ASSERT_EQ(run({"new", mission, "--project", "ABCD", "--mission", "M"}).status, kExitOk);
    {
        mission::MissionDocument document;
        std::uint8_t patch = 0;
        ASSERT_TRUE(mission::MissionFile::open(document, patch, mission, silent));
        using Row = mission::ObjectiveRow;
        Row& row = document.objectives[0].row(0);
        row.setText(Row::screenText, "Reach Nav 2");
        Row& group = document.objectives[0].row(1);
        group = row;
        group.setText(Row::target, "Vehicles");
        group.setText(Row::screenText, "");
        const std::string rtf = "{\\rtf1 Meet at nav point 7.\\par}";
        document.briefings[0].assign(rtf.begin(), rtf.end());
        ASSERT_TRUE(mission::MissionFile::save(document, mission,
                                               mission::RecordPositions(document), patch, silent));
    }
    const auto checked = run({"check", mission, "--archive", paths.archive.string()});
    EXPECT_EQ(checked.status, kExitFailed);
    EXPECT_NE(checked.out.find("WARNING\tStar 0 objective 0\tText \"Reach Nav 2\" names nav point "
                               "2 of star 0, which is not in use\n"),
              std::string::npos)
        << checked.out;
    EXPECT_NE(checked.out.find("ERROR\tStar 0 objective 1\tTarget \"Vehicles\" names object "
                               "group Vehicles, of which the mission holds no object\n"),
              std::string::npos)
        << checked.out;
    EXPECT_NE(checked.out.find("WARNING\tBriefing Main\tNames nav point 7, which no star has in "
                               "use\n"),
              std::string::npos)
        << checked.out;
}
