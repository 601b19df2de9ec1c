#include "TempDir.h"

#include "build/GameLaunch.h"
#include "build/PifFiles.h"
#include "build/StarFiles.h"
#include "common/FileIo.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace zev::build;
using zev::common::MessageIcon;
using zev::common::RecordingReporter;
using zev::common::ReportedMessage;

namespace {

const ProgramView kDosView{"C:", "D:\\"};

class FakeRunner : public ProgramRunner {
public:
    ProgramView view(ProgramKind, const fs::path&, const fs::path&) const override {
        return kDosView;
    }
    bool run(const ProgramStart& start) override {
        starts.push_back(start);
        return starts_;
    }
    std::vector<ProgramStart> starts;
    bool starts_ = true;
};

void touch(const fs::path& p, const std::string& text = "x") {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

TEST(GameLaunch, TheAssemblerAndGameCommandLines) {
    EXPECT_EQ(assemblerCommandLine(kDosView, "ABCDare1.bwd"),
              R"(kort.exe /p=D:\ __.tmp ABCDare1.bwd > C:\korterr.txt)");
    EXPECT_EQ(assemblerCommandLine({R"(C:\PROGRA~1\ZEVEDIT)", R"(C:\GAMES\ZEV\)"}, "ABCD.bwd"),
              R"(kort.exe /p=C:\GAMES\ZEV\ __.tmp ABCD.bwd > C:\PROGRA~1\ZEVEDIT\korterr.txt)");

    EXPECT_EQ(gameCommandLine(kDosView, "ABCD", "", false, "E"),
              R"(D:\zev.exe -S ABCDscn1 -T=MISSIONS\ABCD.zvm -cd=E)");
    EXPECT_EQ(gameCommandLine(kDosView, "ABCD", "", true, "F"),
              R"(D:\talvowin.exe -S ABCDscn1 -T=MISSIONS\ABCD.zvm -cd=F)");
    EXPECT_EQ(gameCommandLine(kDosView, "ABCD", "zev3dfx.exe", true, "E"),
              R"(D:\zev3dfx.exe -S ABCDscn1 -T=MISSIONS\ABCD.zvm -cd=E)");
    // An override under 4 characters is not used; a program path with blanks is quoted.
    EXPECT_EQ(gameCommandLine({"C:", R"(C:\My Games\)"}, "ab", "z.e", false, "E"),
              R"("C:\My Games\zev.exe" -S abscn1 -T=MISSIONS\ab.zvm -cd=E)");
    EXPECT_EQ(gameCommandLine({"C:", R"(Z:\g)"}, "ab", "", false, "E"),
              R"(Z:\g\zev.exe -S abscn1 -T=MISSIONS\ab.zvm -cd=E)");

    EXPECT_EQ(overrideStem(R"(C:\games\zev2.exe)"), "zev2");
    EXPECT_EQ(overrideStem("ZEVX"), "ZEVX");
    EXPECT_EQ(overrideStem("z.e"), "");
}

TEST(GameLaunch, TheDiscMustHoldTheGameInAnyCase) {
    TempDir dir;
    EXPECT_FALSE(cdHoldsGame(dir.path()));
    EXPECT_FALSE(cdHoldsGame(""));
    fs::create_directories(dir / "talvo" / "zev.exe"); // a directory is no game
    EXPECT_FALSE(cdHoldsGame(dir.path()));
    fs::remove_all(dir / "talvo");
    touch(dir / "TALVO" / "Zev.Exe");
    EXPECT_TRUE(cdHoldsGame(dir.path()));
    EXPECT_EQ(cdRootOf("e"), fs::path("e:/"));
    EXPECT_EQ(cdRootOf("F:"), fs::path("F:/"));
    EXPECT_EQ(cdRootOf("/media/cdrom"), fs::path("/media/cdrom"));
    EXPECT_EQ(cdRootOf("EF"), fs::path("EF"));
    EXPECT_EQ(gameDirectoryOf(dir / "ZEV.PRJ"), dir.path());
    EXPECT_EQ(gameDirectoryOf(dir / "TALVO"), dir / "TALVO");
}

TEST(GameLaunch, InstallationReplacesTheOldPackageInAnyCase) {
    TempDir dir;
    const fs::path home = dir / "home";
    const fs::path game = dir / "game";
    touch(home / "ABCD.zvm", "new package");
    touch(game / "MISSIONS" / "ABCD.ZVM", "old");
    RecordingReporter reporter;
    ASSERT_TRUE(installPackage(home, game, "ABCD", reporter));
    EXPECT_EQ(zev::common::readWholeFile(game / "MISSIONS" / "ABCD.ZVM"),
              zev::common::readWholeFile(home / "ABCD.zvm"));
    EXPECT_FALSE(fs::exists(game / "MISSIONS" / "ABCD.zvm"));
    EXPECT_TRUE(reporter.messages.empty());

    // A missing missions directory is made.
    TempDir fresh;
    ASSERT_TRUE(installPackage(home, fresh.path(), "ABCD", reporter));
    EXPECT_TRUE(fs::exists(fresh / "missions" / "ABCD.zvm"));

    EXPECT_FALSE(installPackage(home, game, "WXYZ", reporter));
    fs::remove_all(game / "MISSIONS");
    touch(game / "missions", "a file in the way");
    EXPECT_FALSE(installPackage(home, game, "ABCD", reporter));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0], (ReportedMessage{"File Transfer Error(zvm)",
                                                     "Assembler Error...", MessageIcon::Stop}));
    EXPECT_EQ(reporter.messages[1], (ReportedMessage{"Swap File Transfer Error",
                                                     "Assembler Error...", MessageIcon::Stop}));
}

TEST(GameLaunch, TheGameStartsInItsDirectoryAfterStarFilesAndPif) {
    TempDir dir;
    LaunchSettings settings;
    settings.programDirectory = dir / "home";
    settings.archivePath = dir / "game" / "zev.prj";
    settings.cdLocation = dir / "cd";
    settings.exeOverride = "ZEV3DFX.EXE";
    fs::create_directories(dir / "game");
    touch(dir / "game" / "EN03STAR.BWD", "stale"); // replaced under its own name
    GameStartRequest request{"ABCD", "VORLANE", 7, "VRL00STD", 12};
    FakeRunner runner;
    RecordingReporter reporter;

    ASSERT_TRUE(startGame(settings, request, runner, reporter));
    ASSERT_EQ(runner.starts.size(), 1u);
    const ProgramStart& s = runner.starts[0];
    EXPECT_EQ(s.kind, ProgramKind::Windows);
    EXPECT_EQ(s.commandLine, R"(D:\ZEV3DFX.exe -S ABCDscn1 -T=MISSIONS\ABCD.zvm -cd=E)");
    EXPECT_EQ(s.workingDirectory, dir / "game");
    EXPECT_EQ(s.cdLocation, dir / "cd");
    EXPECT_FALSE(s.hidden);

    const auto player = playerStarFile("VORLANE", 7, "VRL00STD", 12);
    EXPECT_EQ(zev::common::readWholeFile(dir / "game" / "en00star.bwd"),
              std::vector<std::uint8_t>(player.begin(), player.end()));
    const auto& empty = emptyStarFile();
    EXPECT_EQ(zev::common::readWholeFile(dir / "game" / "EN03STAR.BWD"),
              std::vector<std::uint8_t>(empty.begin(), empty.end()));
    EXPECT_FALSE(fs::exists(dir / "game" / "en03star.bwd"));
    EXPECT_TRUE(fs::exists(dir / "game" / "en08star.bwd"));
    const auto pif = zev::common::readWholeFile(dir / "game" / "ZEV3DFX.pif");
    ASSERT_TRUE(pif.has_value());
    const auto expectedPif = gamePif("ZEV3DFX.EXE");
    EXPECT_EQ(*pif, std::vector<std::uint8_t>(expectedPif.begin(), expectedPif.end()));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(GameLaunch, EachGameStartFailureHasItsMessage) {
    TempDir dir;
    LaunchSettings settings;
    settings.archivePath = dir / "game" / "zev.prj";
    fs::create_directories(dir / "game");
    const GameStartRequest request{"ABCD", "VORLANE", 7, "VRL00STD", 12};
    FakeRunner runner;
    runner.starts_ = false;
    RecordingReporter reporter;
    EXPECT_FALSE(startGame(settings, request, runner, reporter));
    fs::remove(dir / "game" / "zev.pif"); // a directory in its place
    fs::create_directories(dir / "game" / "zev.pif" / "x");
    EXPECT_FALSE(startGame(settings, request, runner, reporter));
    fs::remove(dir / "game" / "en05star.bwd");
    fs::create_directories(dir / "game" / "en05star.bwd" / "x");
    EXPECT_FALSE(startGame(settings, request, runner, reporter));
    const auto launchError = [](const char* text) {
        return ReportedMessage{text, "Launch Error..", MessageIcon::Information};
    };
    EXPECT_EQ(reporter.messages,
              (std::vector<ReportedMessage>{launchError("Error Locating ZEV.EXE!"),
                                            launchError("PIF File Creation Error!"),
                                            launchError("Error Writing Star Files")}));
    EXPECT_EQ(runner.starts.size(), 1u);
}

} // namespace
