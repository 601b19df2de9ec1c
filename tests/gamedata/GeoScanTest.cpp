#include "GamedataTestSupport.h"

#include "gamedata/GeoScan.h"
#include "gamedata/IndexFiles.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev::gamedata;
using namespace zev::gamedata::test;
using zev::common::MessageIcon;
using zev::common::RecordingReporter;
using zev::common::ReportedMessage;
namespace fs = std::filesystem;

namespace {

class RecordingProgress : public ScanProgress {
public:
    void show(const char* text) override { steps.push_back(std::string("show ") + text); }
    void hide() override { steps.push_back("hide"); }
    std::vector<std::string> steps;
};

class GeoScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir / "game");
        fs::create_directories(dir / "home");
    }
    GeoScanResult scan() { return ScanGeoTable(dir / "game", dir / "home", reporter, &progress); }
    void writeArchive(const ArchiveWriter& writer) {
        ASSERT_TRUE(writer.writeTo(dir / "game" / "ZEV.PRJ"));
    }

    // A failure's text: the program's words, then the archive and why.
    std::string failure(const char* text, const std::string& why) const {
        return std::string(text) + "\r\n" + CompleteArchivePath(dir / "game").string() + ": " + why;
    }

    TempDir dir;
    RecordingReporter reporter;
    RecordingProgress progress;
};

ReportedMessage stop(const std::string& text) {
    return {text, "ZEVEDIT 3D", MessageIcon::Stop};
}

} // namespace

TEST_F(GeoScanTest, BuildsAllThreeFilesAndFindsThemCurrent) {
    writeArchive(knownArchive());
    const GeoScanResult result = scan();
    EXPECT_TRUE(result.built);
    EXPECT_TRUE(result.indexCurrent);
    EXPECT_EQ(result.polyEntries, 5u);
    EXPECT_EQ(result.mekEntries, 4u);
    EXPECT_EQ(result.chassisEntries, 6u);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(progress.steps,
              (std::vector<std::string>{
                  "show Please Wait, Scanning Mek, Poly, and Chassis Tables........", "hide"}));
    for (const char* file : {"WTB.IDX", "MEK.IDX", "CHS.IDX"})
        EXPECT_TRUE(fs::exists(dir / "home" / file)) << file;
}

TEST_F(GeoScanTest, ReportsAnArchiveThatCannotBeOpened) {
    const GeoScanResult result = scan();
    EXPECT_FALSE(result.built);
    EXPECT_EQ(reporter.messages,
              std::vector<ReportedMessage>{stop("Error opening ZEV Project File..")});
    EXPECT_TRUE(progress.steps.empty());
}

TEST_F(GeoScanTest, StopsAtTheFirstSectionThatCannotBeIndexedKeepingEarlierFiles) {
    ArchiveWriter noMek;
    noMek.addSection("POLY").addEntry("A", "a.geo");
    noMek.addSection("BWD").addEntry("VORLANE", "vorlane.bwd");
    writeArchive(noMek);
    EXPECT_FALSE(scan().built);
    EXPECT_EQ(reporter.messages, std::vector<ReportedMessage>{stop(failure(
                                     "Error building MEK Index File..", "no \"MEK\" section"))});
    EXPECT_EQ(progress.steps.back(), "hide");
    EXPECT_TRUE(fs::exists(dir / "home" / "WTB.IDX"));
    EXPECT_FALSE(fs::exists(dir / "home" / "MEK.IDX"));
}

TEST_F(GeoScanTest, NamesEachFailingIndex) {
    ArchiveWriter noPoly;
    noPoly.addSection("MEK").addEntry("A", "a");
    writeArchive(noPoly);
    scan();
    ArchiveWriter noBwd;
    noBwd.addSection("POLY").addEntry("A", "a.geo");
    noBwd.addSection("MEK").addEntry("A", "a");
    writeArchive(noBwd);
    scan();
    // A section with no entries gives n = 0, which counts as a failure too.
    ArchiveWriter emptyPoly;
    emptyPoly.addSection("POLY");
    writeArchive(emptyPoly);
    scan();
    EXPECT_EQ(reporter.messages,
              (std::vector<ReportedMessage>{
                  stop(failure("Error building POLY Index File..", "no \"POLY\" section")),
                  stop(failure("Error CHASSIS Index File..", "no \"BWD\" section")),
                  stop(failure("Error building POLY Index File..",
                               "the \"POLY\" section holds no entries"))}));
}

TEST_F(GeoScanTest, FindsTheArchiveGivenByItsFileName) {
    writeArchive(knownArchive());
    const GeoScanResult result = ScanGeoTable(dir / "game" / "zev.prj", dir / "home", reporter);
    EXPECT_TRUE(result.indexCurrent);
    EXPECT_TRUE(CheckIndexFiles(dir / "game" / "ZEV.PRJ", dir / "home"));
}
