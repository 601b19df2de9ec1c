#include "CliCommand.h"

#include "common/FileIo.h"
#include "mission/CustomPaletteFile.h"
#include "mission/MissionFile.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::cli;
using mission::PaletteRecord;

namespace {

CommandRun run(const TempDir& home, std::vector<std::string> args) {
    return runCli(home.path(), {missionCommands, paletteCommands}, args.front(),
                  std::vector<std::string>(args.begin() + 1, args.end()));
}

} // namespace

TEST(PaletteCommands, ExportAndImportTheTwentyNamesAsTheBuilderDoesAndKeepTheFlag) {
    TempDir home;
    const std::string mission = (home / "m.mdb").string();
    ASSERT_EQ(run(home, {"new", mission, "--project", "ABCD", "--mission", "M"}).status, kExitOk);
    {
        // The mission uses its custom palette, with a flag other than 1.
        auto document = openMissionFile(mission);
        document.palette.setByte(PaletteRecord::flag, 2);
        common::SilentReporter silent;
        const mission::RecordPositions positions(document);
        ASSERT_TRUE(mission::MissionFile::save(document, mission, positions, 0, silent));
    }
    const auto original = openMissionFile(mission);

    const std::string exported = (home / "out.ccp").string();
    ASSERT_EQ(run(home, {"palette", "export", mission, exported}).status, kExitOk);
    const auto image = common::readWholeFile(exported);
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, mission::customPaletteImage(mission::paletteNames(original.palette)));

    mission::PaletteNames names = mission::paletteNames(original.palette);
    names[0] = "ds0npal1";
    names[19] = "alt19";
    const std::string edited = (home / "in.ccp").string();
    ASSERT_TRUE(common::writeWholeFile(edited, mission::customPaletteImage(names)));
    ASSERT_EQ(run(home, {"palette", "import", mission, edited}).status, kExitOk);
    const auto imported = openMissionFile(mission);
    EXPECT_EQ(mission::paletteNames(imported.palette), names);
    EXPECT_EQ(imported.palette.byte(PaletteRecord::flag), 2);
    EXPECT_EQ(imported.header, original.header);
    EXPECT_EQ(imported.objects, original.objects);

    // Refused files print their message and leave the mission byte for byte.
    const auto before = common::readWholeFile(mission);
    auto wrongTag = mission::customPaletteImage(names);
    wrongTag[0] = '2';
    const std::string bad = (home / "bad.ccp").string();
    ASSERT_TRUE(common::writeWholeFile(bad, wrongTag));
    const CommandRun refused = run(home, {"palette", "import", mission, bad});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.err.substr(0, refused.err.find('\n')),
              bad + ": Is Not a valid Custom Palette File!");
    const std::string missing = (home / "none.ccp").string();
    const CommandRun absent = run(home, {"palette", "import", mission, missing});
    EXPECT_EQ(absent.status, kExitFailed);
    EXPECT_EQ(absent.err.substr(0, absent.err.find('\n')), "Error- Could Not Open:: " + missing);
    EXPECT_EQ(common::readWholeFile(mission), before);

    for (const auto& usage : std::vector<std::vector<std::string>>{
             {"palette", "copy", mission, exported}, {"palette", "export", mission}})
        EXPECT_EQ(run(home, usage).status, kExitUsage) << usage[1];
}
