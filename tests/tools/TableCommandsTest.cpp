#include "CliCommand.h"

#include "common/FileIo.h"
#include "edit/MissionTables.h"
#include "mission/MissionFile.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::cli;
using R = mission::ObjectiveRow;

namespace {

CommandRun run(const TempDir& home, std::vector<std::string> args) {
    return runCli(home.path(), {missionCommands, tableCommands}, args.front(),
                  std::vector<std::string>(args.begin() + 1, args.end()));
}

} // namespace

TEST(TableCommands, ExportAndImportAStarsTableAsTheEditorDoes) {
    TempDir home;
    const std::string mission = (home / "m.mdb").string();
    ASSERT_EQ(run(home, {"new", mission, "--project", "ABCD", "--mission", "M"}).status, kExitOk);

    const std::string three = (home / "msn3.tbl").string();
    ASSERT_EQ(run(home, {"table", "export", mission, "3", three}).status, kExitOk);
    const auto image = common::readWholeFile(three);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->size(), 22495u);
    auto table = mission::ObjectiveTable::fromBytes(*image);
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, openMissionFile(mission).objectives[3]);

    // Star 3's table, changed, goes into star 5.
    table->row(1).setText(R::screenText, "Hold the ridge");
    table->setMissionTimeLimit("900");
    const std::string edited = (home / "edited.tbl").string();
    ASSERT_TRUE(common::writeWholeFile(edited, table->toBytes()));
    const auto original = openMissionFile(mission);
    ASSERT_EQ(run(home, {"table", "import", mission, "5", edited}).status, kExitOk);
    const auto imported = openMissionFile(mission);
    EXPECT_EQ(imported.objectives[5], *table);
    EXPECT_EQ(imported.objectives[4], original.objectives[4]);
    EXPECT_EQ(imported.objects, original.objects);
    EXPECT_EQ(imported.objectives[5].row(0).text(R::target), "ABCDst31");

    // A short file is refused with its message, and the mission stays as it was.
    const auto before = common::readWholeFile(mission);
    std::vector<std::uint8_t> shortImage(image->begin(), image->end() - 1);
    const std::string cut = (home / "short.tbl").string();
    ASSERT_TRUE(common::writeWholeFile(cut, shortImage));
    const CommandRun refused = run(home, {"table", "import", mission, "2", cut});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.err.substr(0, refused.err.find('\n')),
              std::string("ZEVEDIT 3D: ") + edit::kTableTooShort);
    EXPECT_EQ(run(home, {"table", "import", mission, "2", (home / "none.tbl").string()}).status,
              kExitFailed);
    EXPECT_EQ(common::readWholeFile(mission), before);

    for (const auto& bad :
         std::vector<std::vector<std::string>>{{"table", "export", mission, "8", three},
                                               {"table", "export", mission, "x", three},
                                               {"table", "copy", mission, "1", three},
                                               {"table", "export", mission, "1"}})
        EXPECT_EQ(run(home, bad).status, kExitUsage) << bad[1] << ' ' << bad[3];
}
