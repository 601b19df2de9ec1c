#include "DosAssemblerImage.h"
#include "PlatformTestSupport.h"

#include "build/MissionPackage.h"
#include "common/FileIo.h"
#include "platform/QtProgramRunner.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

namespace fs = std::filesystem;
using namespace zev;

namespace {

// Points HOME at a temporary directory while it lives (DOSBox keeps its configuration there).
class HomeOverride {
public:
    explicit HomeOverride(const fs::path& home) {
        if (const char* old = std::getenv("HOME"))
            old_ = old;
        setenv("HOME", home.c_str(), 1);
    }
    ~HomeOverride() {
        if (old_.empty())
            unsetenv("HOME");
        else
            setenv("HOME", old_.c_str(), 1);
    }

private:
    std::string old_;
};

bool dosBoxOnPath() {
    return !QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty();
}

TEST(DosBoxRunner, TheDefaultTemplateRunsADosCommandWithRedirection) {
    if (!dosBoxOnPath())
        GTEST_SKIP() << "DOSBox cannot start here: no 'dosbox' on the PATH (Debian package "
                        "dosbox); the default DOS template was not tried";
    TempDir dir;
    const fs::path home = dir / "program dir"; // a blank in the mounted path
    const fs::path game = dir / "game";
    fs::create_directories(home);
    fs::create_directories(game);
    fs::create_directories(dir / "user");
    HomeOverride user(dir / "user");

    platform::QtProgramRunner runner({"", ""});
    build::ProgramStart start;
    start.kind = build::ProgramKind::Dos;
    start.commandLine = R"(echo assembled > C:\korterr.txt)";
    start.programDirectory = home;
    start.gameDirectory = game;
    start.workingDirectory = home;
    start.hidden = true; // no window: SDL draws to its dummy driver
    if (!runner.run(start))
        GTEST_SKIP() << "DOSBox cannot start here; the default DOS template was not tried";

    ASSERT_TRUE(holdsAnyCase(home, "korterr.txt")) << "the redirection wrote nothing";
    fs::path log;
    for (const auto& name : fileNames(home))
        if (name == "KORTERR.TXT" || name == "korterr.txt")
            log = home / name;
    EXPECT_EQ(readFile(log).substr(0, 9), "assembled");

    // Drive D: is the game directory.
    start.commandLine = R"(echo game > D:\seen.txt)";
    ASSERT_TRUE(runner.run(start));
    EXPECT_TRUE(holdsAnyCase(game, "seen.txt"));
}

// The whole run through DOSBox, with a real DOS program as the assembler: the command line
// reaches the program's command tail, its files land on the mounted program directory and the
// command interpreter writes its log. DOSBox starts once per source (29 times, about 0.7 s each).
TEST(DosBoxRunner, TheDosTestAssemblerBuildsTheWholePackageThroughTheDefaultTemplate) {
    if (!dosBoxOnPath())
        GTEST_SKIP() << "DOSBox cannot start here: no 'dosbox' on the PATH (Debian package "
                        "dosbox); the DOS test assembler was not run";
    RunFixture f;
    fs::create_directories(f.dir / "user");
    HomeOverride user(f.dir / "user");
    ASSERT_TRUE(common::writeWholeFile(f.home() / "KORT.EXE", dosTestAssemblerImage()));
    // One source longer than the program's copy buffer, holding every byte value.
    std::string longSource;
    for (int i = 0; i < 5000; ++i)
        longSource += static_cast<char>(i * 7 % 256);
    writeFile(f.home() / "source" / "ABCD" / "ABCDscn1.wld", longSource);

    platform::QtProgramRunner runner({"", ""}); // the default DOSBox template
    common::RecordingReporter reporter;
    build::AssemblerRun run(f.job(), runner, reporter);
    const auto started = std::chrono::steady_clock::now();
    const auto outcome = run.run();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    if (outcome == build::AssemblerOutcome::Failed && reporter.messages.size() == 1 &&
        reporter.messages[0].text == "Error Loading KORT.EXE")
        GTEST_SKIP() << "DOSBox cannot start here; the DOS test assembler was not run";
    ASSERT_EQ(outcome, build::AssemblerOutcome::Succeeded)
        << (reporter.messages.empty() ? std::string() : reporter.messages[0].text) << "\n"
        << build::readAssemblerLog(f.home()).value_or("(no korterr.txt)");
    EXPECT_TRUE(reporter.messages.empty());
    std::cout << "The assembler run through DOSBox took " << seconds.count() << " s\n";

    const auto image = common::readWholeFile(f.home() / "ABCD.zvm");
    ASSERT_TRUE(image.has_value());
    const auto contents = build::readPackage(*image);
    ASSERT_EQ(contents.error, build::PackageError::None);
    const auto sources = build::assemblerSources("ABCD");
    const std::size_t texts = build::textMembers("ABCD").size();
    ASSERT_EQ(contents.members.size(), texts + sources.size() + 1);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto& member = contents.members[texts + i];
        EXPECT_EQ(member.name, build::assembledName(sources[i]));
        const std::string source =
            sources[i] == "ABCDscn1.wld" ? longSource : f.sourceText(sources[i]);
        EXPECT_EQ(std::string(member.data.begin(), member.data.end()),
                  std::string("BWD", 4) + source)
            << sources[i];
    }
    EXPECT_EQ(contents.members.back().name, "skygnd.par");
    // The outputs, the swap file and the log went with the run's clean-up.
    EXPECT_EQ(fileNames(f.home()), (std::vector<std::string>{"ABCD.zvm", "KORT.EXE"}));
}

} // namespace
