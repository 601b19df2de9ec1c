#include "SampleMission.h"
#include "CliCommand.h"
#include "CliMain.h"

#include "build/AssemblerRun.h"
#include "common/FileIo.h"
#include "mission/MissionFile.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace zev;
using namespace zev::cli;
namespace fs = std::filesystem;

namespace {

CommandRun run(const fs::path& home, const std::string& name, std::vector<std::string> args) {
    return runCli(home, allCommands(), name, std::move(args));
}

// One demo (with its sample mission) for the suite.
class SampleMissionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        demo_ = run(dir_->path(), "demo", {(dir_->path() / "demo").string()});
    }
    static void TearDownTestSuite() { delete dir_; }
    static fs::path demo() { return dir_->path() / "demo"; }
    static fs::path home() { return demo() / "home"; }
    static std::string archive() { return (demo() / "game" / "ZEV.PRJ").string(); }
    static std::string sample() { return sampleMissionPath(demo()).string(); }
    static TempDir* dir_;
    static CommandRun demo_;
};
TempDir* SampleMissionTest::dir_ = nullptr;
CommandRun SampleMissionTest::demo_{};

} // namespace

TEST_F(SampleMissionTest, IsASmallBaseWithEverythingANewcomerLooksFor) {
    ASSERT_EQ(demo_.status, kExitOk) << demo_.err;
    EXPECT_NE(demo_.out.find("sample mission:    " + sample() + "\n"), std::string::npos);
    const mission::MissionDocument document = openMissionFile(sample());

    // Every object comes from a demo object group; some of them are ready-made groups.
    const auto slots = document.objects.occupiedSlots();
    EXPECT_GE(slots.size(), 20u);
    EXPECT_LE(slots.size(), 40u);
    std::set<std::string> kinds;
    int readyMade = 0;
    for (int slot : slots) {
        const auto& record = *document.objects.find(slot);
        kinds.insert(record.text(mission::MissionObjectRecord::objectName));
        readyMade += record.isReadyMadeGroup();
    }
    EXPECT_EQ(slots.size(), 35u) << "every object of the layout is a demo group's";
    EXPECT_EQ(static_cast<int>(kinds.size()), 22);
    EXPECT_EQ(readyMade, 2);

    for (int player = 1; player <= mission::kPlayerCount; ++player)
        EXPECT_FALSE(document.startPoint(player).text(mission::StartPointRecord::x).empty());
    const auto inUse = [&](int star) {
        return std::count_if(document.stars[star].begin(), document.stars[star].end(),
                             [](const mission::NavPointRecord& n) { return n.isInUse(); });
    };
    EXPECT_EQ(inUse(0), 4);
    EXPECT_EQ(inUse(1), 2);
    EXPECT_EQ(document.objectives[0].usedRowCount(), 4);
    for (const auto& page : document.briefings)
        EXPECT_GT(page.size(), 60u);
    EXPECT_EQ(document.weather.int32(mission::WeatherRecord::type), 1);
    EXPECT_EQ(document.header.text(mission::MissionHeader::groundTexture), "grass1");
}

TEST_F(SampleMissionTest, ChecksCleanBuildsCompilesAndRoundTrips) {
    ASSERT_EQ(demo_.status, kExitOk) << demo_.err;
    const auto checked = run(home(), "check", {sample(), "--archive", archive()});
    EXPECT_EQ(checked.status, kExitOk) << checked.out;
    EXPECT_EQ(checked.out.find("ERROR"), std::string::npos) << checked.out;

    const auto built = run(home(), "build", {sample()});
    ASSERT_EQ(built.status, kExitOk) << built.err;
    EXPECT_TRUE(fs::is_directory(home() / "source" / "DEMO"));

    // The game maker's assembler is not ours to ship: a file with its signature stands in for
    // it, and the test runner assembles.
    std::vector<std::uint8_t> exe(build::kAssemblerSignatureOffset + 11, 0);
    const std::string signature = build::kAssemblerSignature;
    std::copy(signature.begin(), signature.end(), exe.begin() + build::kAssemblerSignatureOffset);
    ASSERT_TRUE(common::writeWholeFile(home() / "KORT.EXE", exe));
    const std::string assembler = std::string("\"") + ZEV_TEST_ASSEMBLER +
                                  "\" --progdir {progdir} --gamedir {gamedir} \"{cmd}\"";
    const auto compiled =
        run(home(), "compile", {sample(), "--archive", archive(), "--runner", assembler});
    ASSERT_EQ(compiled.status, kExitOk) << compiled.err;
    EXPECT_NE(compiled.err.find("Status: Success"), std::string::npos) << compiled.err;
    EXPECT_TRUE(fs::exists(demo() / "game" / "missions" / "DEMO.zvm"));

    // Saved again as the editor saves it, the mission reads back the same.
    const fs::path again = dir_->path() / "again.mdb";
    ASSERT_EQ(run(home(), "save-as", {sample(), again.string()}).status, kExitOk);
    EXPECT_EQ(run(home(), "dump", {sample(), "--full"}).out,
              run(home(), "dump", {again.string(), "--full"}).out);
}

TEST_F(SampleMissionTest, ADemoWrittenAgainKeepsTheUsersSample) {
    const TempDir dir;
    const fs::path demoDir = dir / "demo";
    ASSERT_EQ(run(dir.path(), "demo", {demoDir.string()}).status, kExitOk);
    const fs::path sample = sampleMissionPath(demoDir);
    ASSERT_TRUE(common::writeWholeFile(sample, std::string_view("mine")));
    const auto again = run(dir.path(), "demo", {demoDir.string()});
    ASSERT_EQ(again.status, kExitOk) << again.err;
    EXPECT_NE(again.out.find("(already there, kept)"), std::string::npos);
    EXPECT_EQ(common::readWholeFile(sample), (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
}
