#include "PlatformTestSupport.h"

#include "platform/QtProgramRunner.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace zev;
using build::ProgramKind;
using build::ProgramStart;

namespace {

TEST(QtProgramRunner, DirectoriesAreSpeltAsTheTemplateShowsThemToTheProgram) {
    const platform::QtProgramRunner runner({"", ""});
    const auto dos = runner.view(ProgramKind::Dos, "/home/me/zev", "/games/zev");
    EXPECT_EQ(dos.programDirectory, "C:");
    EXPECT_EQ(dos.gameDirectory, "D:\\");
    const auto windows = runner.view(ProgramKind::Windows, "/home/me/zev", "/games/zev");
    EXPECT_EQ(windows.programDirectory, R"(Z:\home\me\zev)");
    EXPECT_EQ(windows.gameDirectory, R"(Z:\games\zev\)");
    EXPECT_EQ(runner.templates().windows, "wine {cmd}");
}

TEST(QtProgramRunner, RunsInTheWorkingDirectoryAndWaitsForTheEnd) {
    TempDir dir;
    platform::QtProgramRunner runner(
        {"", R"(/bin/sh -c "sleep 0.2; pwd > ran.txt; printf '%s' '{cmd}' >> ran.txt")"});
    int waits = 0;
    runner.setWhileWaiting([&] { ++waits; });
    ProgramStart start;
    start.kind = ProgramKind::Windows;
    start.commandLine = R"(Z:\g\zev.exe -S ABCDscn1)";
    start.workingDirectory = dir.path();
    ASSERT_TRUE(runner.run(start));
    EXPECT_EQ(readFile(dir / "ran.txt"),
              fs::canonical(dir.path()).string() + "\n" + R"(Z:\g\zev.exe -S ABCDscn1)");
    EXPECT_GT(waits, 0); // the caller could repaint while it waited
}

TEST(QtProgramRunner, AProgramThatCannotStartIsReported) {
    platform::QtProgramRunner missing({"/nonexistent/emulator {cmd}", "\"\" {cmd}"});
    ProgramStart start;
    start.commandLine = "kort.exe";
    EXPECT_FALSE(missing.run(start));
    start.kind = ProgramKind::Windows;
    EXPECT_FALSE(missing.run(start)); // an empty program name
    platform::QtProgramRunner unbalanced({"dosbox -c \"{cmd}", ""});
    start.kind = ProgramKind::Dos;
    EXPECT_FALSE(unbalanced.run(start));
}

} // namespace
