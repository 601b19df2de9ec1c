// The Build as a whole: its order, its messages, its failures and what it leaves behind.

#include "BuildSupport.h"

#include "build/HeadlessScene.h"
#include "build/RtfBriefing.h"

#include "common/FileIo.h"

#include <gtest/gtest.h>

using namespace zev::build;
using namespace zev::build::test;
using namespace zev::mission;
using zev::common::MessageIcon;
using zev::common::ReportedMessage;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kAllSuffixes = {
    ".wld",     "name.txt", "lim0.txt", "lim1.txt", "lim2.txt", "are1.wld", "are2.wld", "are3.wld",
    "are4.wld", "are5.wld", "are6.wld", "are7.wld", "are8.wld", "pal1.wld", "nav0.wld", "nav1.wld",
    "nav2.wld", "nav3.wld", "nav4.wld", "nav5.wld", "nav6.wld", "nav7.wld", "st01.wld", "st11.wld",
    "st21.wld", "st31.wld", "st41.wld", "st51.wld", "st61.wld", "st71.wld", "wld1.wld", "plt1.wld",
    "scn1.wld", "brf0.txt", "brf1.txt", "brf2.txt"};

ReportedMessage fatal(const std::string& text) {
    return {text, "Fatal Error!", MessageIcon::Stop};
}

// Puts a directory where the build wants to write the file, so the file cannot be created.
void block(const BuildRun& run, const std::string& suffix) {
    fs::create_directories(run.file(suffix));
}

std::vector<std::uint8_t> bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace

TEST(BuildSequence, ASuccessfulBuildWritesEveryFileAndSaysSo) {
    BuildRun run;
    ASSERT_TRUE(run.command());
    EXPECT_EQ(run.reporter.messages,
              (std::vector<ReportedMessage>{
                  {"Text File Build Complete...", "ZEVEDIT 3D", MessageIcon::Information}}));
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(run.home.path() / "source" / "ABCD"))
        written.push_back(entry.path().filename().string());
    std::vector<std::string> expected;
    for (const auto& s : kAllSuffixes)
        expected.push_back("ABCD" + s);
    std::sort(written.begin(), written.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);
    // The temporary briefing pages are gone.
    for (int n = 0; n < 3; ++n)
        EXPECT_FALSE(fs::exists(run.home / ("brf" + std::to_string(n) + ".brf")));
}

TEST(BuildSequence, AnEmptyOrEscapingProjectNameIsRefusedBeforeAnythingIsWritten) {
    for (const char* name : {"", "../x", "a/b", "a\\b", "..", "c:x"}) {
        BuildRun run;
        run.document->header.setText(MissionHeader::projectName, name);
        EXPECT_FALSE(run.command()) << name;
        ASSERT_EQ(run.reporter.messages.size(), 1u) << name;
        EXPECT_EQ(run.reporter.messages[0].caption, "Project Error..");
        EXPECT_EQ(run.reporter.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(run.reporter.messages[0].text, std::string(name).empty()
                                                     ? "No Project Name Specified!"
                                                     : "Project Name May Not Contain Path "
                                                       "Separators or \"..\"!");
        EXPECT_TRUE(fs::is_empty(run.home.path())) << name;
        // The Build itself refuses it too, for callers that skip the command's check.
        EXPECT_FALSE(run.build());
        EXPECT_TRUE(fs::is_empty(run.home.path())) << name;
    }
}

TEST(BuildSequence, AMissingProgramDirectoryFailsEveryWriterWithTheWorkingDirectoryMessage) {
    BuildRun run;
    auto document = newMission();
    zev::common::RecordingReporter reporter;
    const fs::path missing = run.home / "nowhere";
    EXPECT_FALSE(buildCommand(*document, run.scene, missing, reporter));
    // Main (name and limits are skipped after it), then the seven later writers.
    std::vector<ReportedMessage> expected(8, fatal("Could Not Locate Working Directory!"));
    expected.push_back({"Error Building Text Files!!", "ZEVEDIT 3D", MessageIcon::Stop});
    EXPECT_EQ(reporter.messages, expected);
    EXPECT_FALSE(fs::exists(missing));
}

TEST(BuildSequence, SourceAndProjectDirectoriesThatCannotBeMadeAreReported) {
    BuildRun source;
    zev::common::writeWholeFile(source.home / "source", std::string_view("a file"));
    EXPECT_FALSE(source.build());
    EXPECT_EQ(source.reporter.messages.front(),
              fatal("Could Not Locate or Create Source Directory!\r\n" +
                    (source.home / "source").string() + ": Not a directory"));

    BuildRun project;
    fs::create_directories(project.home / "source");
    zev::common::writeWholeFile(project.home / "source" / "ABCD", std::string_view("a file"));
    EXPECT_FALSE(project.build());
    EXPECT_EQ(project.reporter.messages.front(),
              fatal("Could Not Locate or Create Project Directory!\r\n" +
                    (project.home / "source" / "ABCD").string() + ": Not a directory"));
    EXPECT_EQ(project.reporter.messages.size(), 8u);
}

TEST(BuildSequence, AFailedNameFileSkipsTheObjectScriptButNotTheLaterFiles) {
    BuildRun run;
    run.addObject(plainObject("crate"));
    block(run, "name.txt");
    EXPECT_FALSE(run.command());
    EXPECT_EQ(run.messageTexts(), (std::vector<std::string>{"Could Not Locate or Create Name File!",
                                                            "Error Building Text Files!!"}));
    EXPECT_TRUE(run.read(".wld"));
    EXPECT_FALSE(run.read("lim0.txt"));
    EXPECT_FALSE(run.read("are1.wld"));
    for (const char* later :
         {"pal1.wld", "nav7.wld", "st71.wld", "wld1.wld", "plt1.wld", "scn1.wld", "brf2.txt"})
        EXPECT_TRUE(run.read(later)) << later;
}

TEST(BuildSequence, AnAreaFileThatCannotBeWrittenFailsTheBuild) {
    BuildRun run;
    block(run, "are5.wld");
    EXPECT_FALSE(run.command());
    EXPECT_EQ(run.messageTexts(),
              (std::vector<std::string>{"Could Not Locate or Create Area File(s)!",
                                        "Error Building Text Files!!"}));
    EXPECT_TRUE(run.read("are4.wld"));
    EXPECT_TRUE(run.read("scn1.wld"));
}

TEST(BuildSequence, LaterWritersReportTheirOwnFailureStopAtItAndLeaveTheBuildSuccessful) {
    BuildRun run;
    block(run, "nav3.wld");
    block(run, "st01.wld");
    block(run, "scn1.wld");
    EXPECT_TRUE(run.command());
    EXPECT_EQ(run.messageTexts(),
              (std::vector<std::string>{"Could Not Locate or Create Navpoint File(s)!",
                                        "Could Not Locate or Create Star File(s)!",
                                        "Could Not Locate or Create Scn File(s)!",
                                        "Text File Build Complete..."}));
    EXPECT_TRUE(run.read("nav2.wld"));
    EXPECT_FALSE(run.read("nav4.wld"));
    EXPECT_FALSE(run.read("st11.wld"));
    EXPECT_TRUE(run.read("wld1.wld"));
    EXPECT_TRUE(run.read("plt1.wld"));
    EXPECT_TRUE(run.read("brf0.txt"));
}

TEST(BuildSequence, EveryBuildRewritesItsFilesWhole) {
    BuildRun run;
    run.document->header.setText(MissionHeader::missionName, "A much longer first name");
    ASSERT_TRUE(run.build());
    run.document->header.setText(MissionHeader::missionName, "Short");
    ASSERT_TRUE(run.build());
    EXPECT_EQ(run.read("name.txt"), "Short\r\n&X");
}

TEST(BuildSequence, StartAndNavPointTextsAreRefreshedFromTheSceneBeforeTheirFilesAreWritten) {
    BuildRun run;
    run.scene.starts = {{kStartPointTagBase + 2, "Player 3", {100, -200, 300}},
                        {kStartPointTagBase + 9, "bogus", {1, 1, 1}}};
    run.scene.navs = {{kNavPointTagBase + 7, "0", {-400, 500, 0}},
                      {kNavPointTagBase + 7, "99", {1, 1, 1}}};
    const NavPointRecord before = run.document->navPoint(7, 0);
    ASSERT_TRUE(before.isInUse());
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.document->startPoint(3).text(StartPointRecord::x), "100");
    EXPECT_EQ(run.document->startPoint(3).text(StartPointRecord::y), "-200");
    EXPECT_EQ(run.document->startPoint(3).text(StartPointRecord::z), "300");
    const std::string heading = run.document->startPoint(3).text(StartPointRecord::heading);
    EXPECT_EQ(run.read("st21.wld"),
              "# userstar 3\r\nnavpoint       100,-200,300 " + heading + " 0 0 0 2 100 BEGIN\r\n");
    using N = NavPointRecord;
    EXPECT_EQ(run.read("nav7.wld"), "navpoint -400,500,0 " + before.text(N::heading) + " " +
                                        before.text(N::enabled) + " 0 0 7 " +
                                        before.text(N::radius) + " " + before.text(N::actions) +
                                        " \"" + before.text(N::navText) + "\"\r\n");
}

TEST(BuildSequence, AHeadlessSceneMovesMarkersToWholeWorkspaceUnitsAsTheEditorWould) {
    auto document = newMission();
    StartPointRecord& sp = document->startPoint(1);
    sp.setText(StartPointRecord::x, "250");
    sp.setText(StartPointRecord::y, "-199");
    sp.setText(StartPointRecord::z, "99 and more");
    NavPointRecord& nav = document->navPoint(0, 4);
    nav.setByte(NavPointRecord::inUse, 1);
    nav.setText(NavPointRecord::x, "-1234");
    nav.setText(NavPointRecord::y, "abc");
    nav.setText(NavPointRecord::z, "700");
    TempDir home;
    zev::common::RecordingReporter reporter;
    const HeadlessScene scene(*document);
    ASSERT_TRUE(buildMission(*document, scene, home.path(), reporter));
    EXPECT_EQ(document->startPoint(1).text(StartPointRecord::x), "200");
    EXPECT_EQ(document->startPoint(1).text(StartPointRecord::y), "-100");
    EXPECT_EQ(document->startPoint(1).text(StartPointRecord::z), "0");
    EXPECT_EQ(document->navPoint(0, 4).text(NavPointRecord::x), "-1200");
    EXPECT_EQ(document->navPoint(0, 4).text(NavPointRecord::y), "0");
    EXPECT_EQ(document->navPoint(0, 4).text(NavPointRecord::z), "700");
}

TEST(BuildSequence, BriefingPagesBecomeBriefingFilesAndABrokenPageStopsTheRest) {
    BuildRun run;
    run.document->briefings[0] =
        bytes(writeBriefingRtf({{"Welcome\n", kBriefingWhite}, {"Hold the line", kBriefingRed}}));
    run.document->briefings[1] = bytes("{\\rtf1 Team A}");
    ASSERT_TRUE(run.command());
    EXPECT_EQ(run.read("brf0.txt"), "&WWelcome\r\n&RHold the line\r\n&X");
    EXPECT_EQ(run.read("brf1.txt"), "Team A\r\n&X");
    EXPECT_EQ(run.read("brf2.txt"), "\r\n&X");

    BuildRun broken;
    broken.document->briefings[1] = bytes("{\\rtf1 Team {A}");
    EXPECT_TRUE(broken.command());
    EXPECT_EQ(broken.messageTexts(),
              (std::vector<std::string>{"Could Not Convert Briefing File(s)!",
                                        "Text File Build Complete..."}));
    EXPECT_EQ(broken.read("brf0.txt"), "\r\n&X");
    EXPECT_EQ(broken.read("brf1.txt"), "Team A");
    EXPECT_FALSE(broken.read("brf2.txt"));
    for (int n = 0; n < 3; ++n)
        EXPECT_FALSE(fs::exists(broken.home / ("brf" + std::to_string(n) + ".brf")));
}
