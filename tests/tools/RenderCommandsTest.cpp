#include "CliCommand.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace zev::cli;

namespace {

CommandRun run(const std::filesystem::path& home, const std::string& name,
               std::vector<std::string> args) {
    return runCli(home, {missionCommands, renderCommands}, name, std::move(args));
}

// The render command on Qt's "minimal" platform, which never offers OpenGL, with the user's
// settings kept in the temporary directory.
class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "minimal", 1);
    }
    void TearDown() override { unsetenv("QT_QPA_PLATFORM"); }

    TempDir home;
};

} // namespace

TEST_F(RenderCommand, RefusesBadUsageBeforeTouchingAnything) {
    const std::string out = (home / "out.png").string();
    EXPECT_EQ(run(home.path(), "render", {"only-one.mdb"}).status, kExitUsage);
    EXPECT_EQ(run(home.path(), "render", {"m.mdb", out, "--view", "sideways"}).status, kExitUsage);
    for (const char* size : {"0x10", "10", "x10", "10x", "99999x10", "-5x5", "10x10x10"})
        EXPECT_EQ(run(home.path(), "render", {"m.mdb", out, "--size", size}).status, kExitUsage)
            << size;
}

TEST_F(RenderCommand, ReportsAMissionThatCannotBeOpened) {
    const CommandRun r =
        run(home.path(), "render", {(home / "missing.mdb").string(), (home / "out.png").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("Couldn't Open File..."), std::string::npos) << r.err;
}

TEST_F(RenderCommand, SaysSoAndFailsWhereNoOpenGlContextCanBeMade) {
    const std::string mission = (home / "m.mdb").string();
    ASSERT_EQ(run(home.path(), "new", {mission, "--project", "demo", "--mission", "m"}).status,
              kExitOk);
    const CommandRun r = run(home.path(), "render", {mission, (home / "out.png").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("No OpenGL 3.3 context can be made"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(home / "out.png"));
}
