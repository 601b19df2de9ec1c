#include "PlatformTestSupport.h"

#include "platform/QtProgramRunner.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

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

TEST(DosBoxRunner, TheDefaultTemplateRunsADosCommandWithRedirection) {
    if (QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty())
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

} // namespace
