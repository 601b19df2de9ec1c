#include "PlatformTestSupport.h"

#include "build/MissionSequences.h"
#include "build/PifFiles.h"
#include "build/SkyGround.h"
#include "build/StarFiles.h"
#include "common/FileIo.h"
#include "common/LittleEndian.h"
#include "mission/ProjectName.h"
#include "platform/QtProgramRunner.h"

#include <gtest/gtest.h>

#include <cstring>

namespace fs = std::filesystem;
using namespace zev;
using build::SequenceResult;
using common::MessageIcon;
using common::RecordingReporter;
using common::ReportedMessage;
using mission::MissionHeader;

namespace {

// An index file of the launch lookups: the 324-byte header, then 16-byte name records.
void writeNameIndex(const fs::path& path, const char* magic,
                    const std::vector<std::pair<std::string, std::uint32_t>>& records) {
    std::vector<std::uint8_t> image(324 + 16 * records.size(), 0);
    std::memcpy(image.data(), magic, 3);
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::uint8_t* r = image.data() + 324 + 16 * i;
        std::memcpy(r, records[i].first.data(), records[i].first.size());
        common::putU32(r + 12, records[i].second);
    }
    common::writeWholeFile(path, image);
}

class MissionSequencesTest : public ::testing::Test {
protected:
    MissionSequencesTest() {
        writeFile(f.dir / "cd" / "TALVO" / "ZEV.EXE", "game");
        writeNameIndex(f.home() / "CHS.IDX", "CHS", {{"", 0}, {"VORL", 3}, {"VORLANE", 7}});
        writeNameIndex(f.home() / "MEK.IDX", "MEK", {{"", 0}, {"VRL00STD", 12}});
        settings.programDirectory = f.home();
        settings.archivePath = f.archive();
        settings.cdLocation = f.dir / "cd";
        hooks.build = [this](common::Reporter&) {
            ++builds;
            return buildResult;
        };
        hooks.releaseWorkspace = [this] { ++released; };
        hooks.restoreWorkspace = [this] { ++restored; };
    }

    std::string gameTemplate() const {
        return R"(/bin/sh -c "pwd > launched.txt; printf '%s' '{cmd}' >> launched.txt")";
    }

    RunFixture f;
    RecordingReporter reporter;
    build::LaunchSettings settings;
    build::SequenceHooks hooks;
    int builds = 0;
    bool buildResult = true;
    int released = 0;
    int restored = 0;
};

TEST_F(MissionSequencesTest, LaunchInstallsUpdatesSkyGroundWritesStarFilesAndStartsTheGame) {
    f.header.setByte(MissionHeader::patch, 1);
    f.header.setByte(MissionHeader::dfxFlag1, 1);
    f.header.setInt32(MissionHeader::dfxInt(0), 60);
    settings.patchSetting = true;
    platform::QtProgramRunner runner({f.assemblerTemplate(), gameTemplate()});
    build::MissionSequences sequences(runner, reporter);

    ASSERT_EQ(sequences.launch(f.header, settings, hooks), SequenceResult::Done);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(restored, 1);
    EXPECT_FALSE(sequences.busy());

    EXPECT_EQ(readFile(f.game() / "missions" / "ABCD.zvm"), readFile(f.home() / "ABCD.zvm"));
    const std::string sky = readFile(f.game() / "skygnd.par");
    EXPECT_EQ(sky, "\r\n# Added by ZEVEDIT 3D\r\n" + build::skyGroundLine(f.header, "ABCD"));
    EXPECT_EQ(sky.find("mission=ABCD globalintensity=60 "), 25u);

    const auto player = build::playerStarFile("VORLANE", 7, "VRL00STD", 12);
    EXPECT_EQ(readFile(f.game() / "en00star.bwd"), std::string(player.begin(), player.end()));
    const auto& empty = build::emptyStarFile();
    for (int n = 1; n < 9; ++n)
        EXPECT_EQ(readFile(f.game() / build::starFileName(n)),
                  std::string(empty.begin(), empty.end()));
    EXPECT_EQ(fs::file_size(f.game() / "zev.pif"), build::kPifSize);

    const std::string gameDir = fs::canonical(f.game()).string();
    std::string wineGameDir = "Z:" + f.game().string();
    for (char& c : wineGameDir)
        if (c == '/')
            c = '\\';
    EXPECT_EQ(readFile(f.game() / "launched.txt"),
              gameDir + "\n" + wineGameDir +
                  R"(\talvowin.exe -S ABCDscn1 -T=MISSIONS\ABCD.zvm -cd=E)");
}

TEST_F(MissionSequencesTest, LaunchWithoutTheGameDiscStopsBeforeAnythingIsBuilt) {
    fs::remove_all(f.dir / "cd" / "TALVO");
    platform::QtProgramRunner runner({f.assemblerTemplate(), gameTemplate()});
    build::MissionSequences sequences(runner, reporter);

    EXPECT_EQ(sequences.launch(f.header, settings, hooks), SequenceResult::Stopped);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], (ReportedMessage{"Unable To Mount Talvorendix2 CD-ROM",
                                                     "CD-ROM Error..", MessageIcon::Stop}));
    EXPECT_EQ(builds, 0);
    EXPECT_EQ(released, 0);
    EXPECT_FALSE(fs::exists(f.callLog()));
    EXPECT_FALSE(sequences.busy());
}

TEST_F(MissionSequencesTest, LaunchStopsOnAnUnknownChassisOrConfiguration) {
    platform::QtProgramRunner runner({f.assemblerTemplate(), gameTemplate()});
    build::MissionSequences sequences(runner, reporter);
    settings.chassis = "VORLAN"; // names match exactly
    EXPECT_EQ(sequences.launch(f.header, settings, hooks), SequenceResult::Stopped);
    settings.chassis = "VORLANE";
    settings.configuration = "vrl00std";
    EXPECT_EQ(sequences.launch(f.header, settings, hooks), SequenceResult::Stopped);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, "Selected Launch Mek Chassis not Found");
    EXPECT_EQ(reporter.messages[1].text, "Selected Launch Mek Configuration not Found");
    EXPECT_EQ(builds, 0);
}

TEST_F(MissionSequencesTest, CompileInstallsAStandardMissionWithoutTouchingSkyGround) {
    platform::QtProgramRunner runner({f.assemblerTemplate(), gameTemplate()});
    build::MissionSequences sequences(runner, reporter);
    EXPECT_EQ(sequences.compile(f.header, settings, hooks), SequenceResult::Done);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(fs::exists(f.game() / "missions" / "ABCD.zvm"));
    EXPECT_FALSE(fs::exists(f.game() / "skygnd.par"));
    EXPECT_FALSE(fs::exists(f.game() / "launched.txt"));
    EXPECT_FALSE(fs::exists(f.game() / "en00star.bwd"));
}

TEST_F(MissionSequencesTest, ABusyOrFailedBuildAndABadProjectNameStopTheCommand) {
    platform::QtProgramRunner runner({f.assemblerTemplate(), gameTemplate()});
    build::MissionSequences sequences(runner, reporter);
    SequenceResult inner = SequenceResult::Done;
    hooks.build = [&](common::Reporter&) {
        inner = sequences.compile(f.header, settings, hooks); // a second click meanwhile
        return false;
    };
    EXPECT_EQ(sequences.compile(f.header, settings, hooks), SequenceResult::Stopped);
    EXPECT_EQ(inner, SequenceResult::Ignored);
    EXPECT_FALSE(fs::exists(f.callLog())); // nothing assembled from stale sources
    EXPECT_EQ(released, 1);
    EXPECT_EQ(restored, 1);

    for (const char* name : {"", "../x", "a&b"}) {
        RecordingReporter messages;
        build::MissionSequences fresh(runner, messages);
        f.header.setText(MissionHeader::projectName, name);
        EXPECT_EQ(fresh.compile(f.header, settings, hooks), SequenceResult::Stopped);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0], (ReportedMessage{mission::projectNameProblem(name),
                                                         "Project Error..", MessageIcon::Stop}));
    }
    EXPECT_STREQ(mission::projectNameProblem(""), "No Project Name Specified!");
}

} // namespace
