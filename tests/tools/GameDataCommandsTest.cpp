#include "CliCommand.h"

#include "common/FileIo.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace zev::cli;
namespace fs = std::filesystem;

namespace {

CommandRun run(const fs::path& home, const std::string& name, std::vector<std::string> args) {
    return runCli(home, gameDataCommands(), name, std::move(args));
}

std::string fileText(const fs::path& path) {
    const auto bytes = zev::common::readWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

int countLines(const std::string& text, const std::string& prefix) {
    int n = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

// One demo setup for all tests of the suite.
class GameDataCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        demo_ = run(dir_->path(), "demo", {(dir_->path() / "demo").string()});
    }
    static void TearDownTestSuite() { delete dir_; }
    static fs::path home() { return dir_->path() / "demo" / "home"; }
    static fs::path game() { return dir_->path() / "demo" / "game"; }
    static TempDir* dir_;
    static CommandRun demo_;
};
TempDir* GameDataCommandsTest::dir_ = nullptr;
CommandRun GameDataCommandsTest::demo_{};

} // namespace

TEST_F(GameDataCommandsTest, DemoWritesAGameAndAProgramDirectory) {
    ASSERT_EQ(demo_.status, kExitOk) << demo_.err;
    EXPECT_TRUE(fs::exists(game() / "ZEV.PRJ"));
    EXPECT_TRUE(fs::exists(home() / "WTB.IDX"));
    EXPECT_NE(demo_.out.find(home().string()), std::string::npos);
    EXPECT_EQ(run(home(), "demo", {}).status, kExitUsage);
}

TEST_F(GameDataCommandsTest, ListsGroupsAndTheirObjectsAsTheMainWindowDoes) {
    const CommandRun groups = run(home(), "groups", {});
    ASSERT_EQ(groups.status, kExitOk);
    EXPECT_EQ(groups.out, "Buildings\nDefenses\nGroups\nNature\nProps\nVehicles\n");
    const CommandRun objects = run(home(), "group-objects", {"Groups"});
    ASSERT_EQ(objects.status, kExitOk);
    EXPECT_EQ(objects.out, "Outpost\toutpost\nFuel Yard\tfuelyard\nSpace Port\tspaceprt\n"
                           "Grove\tgrove\n");
    const CommandRun missing = run(home(), "group-objects", {"nothing"});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_EQ(missing.err, "Error...: Could Not open Object Group File... " +
                               (home() / "data" / "odb" / "nothing.odb").string() +
                               ": No such file or directory\n");
}

TEST_F(GameDataCommandsTest, ExportsAGeometryAsObj) {
    const fs::path out = dir_->path() / "crate.obj";
    const CommandRun r =
        run(home(), "export-obj", {"--archive", game().string(), "crate", out.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string obj = fileText(out);
    // A box: six quads of their own corners, each with texture coordinates.
    EXPECT_EQ(countLines(obj, "o "), 1);
    EXPECT_EQ(countLines(obj, "v "), 24);
    EXPECT_EQ(countLines(obj, "vt "), 24);
    EXPECT_EQ(countLines(obj, "f "), 6);
    EXPECT_NE(obj.find("\r\nf 1/1 2/2 3/3 4/4\r\n"), std::string::npos);
}

TEST_F(GameDataCommandsTest, ExportsAReadyMadeGroupWithItsMembersPlaced) {
    const fs::path out = dir_->path() / "outpost.obj";
    const CommandRun r =
        run(home(), "export-obj",
            {"--archive", (game() / "ZEV.PRJ").string(), "--group", "outpost", out.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string obj = fileText(out);
    EXPECT_EQ(countLines(obj, "o "), 9);
    // A short wall (10 x 4 x 2) stands 18 units out from the middle.
    EXPECT_NE(obj.find("\r\nv -5 0 19\r\n"), std::string::npos);
}

TEST_F(GameDataCommandsTest, ReportsWhatCannotBeExported) {
    const fs::path out = dir_->path() / "none.obj";
    CommandRun r =
        run(home(), "export-obj", {"--archive", game().string(), "nosuchobj", out.string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err, "ZEVEDIT 3D: Object not Found in GEO Table\n");
    r = run(home(), "export-obj",
            {"--archive", game().string(), "--group", "nosuchgroup", out.string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err, "ZEVEDIT 3D: Could not Open BWD File!\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(run(home(), "export-obj", {"crate", out.string()}).status, kExitUsage);
    EXPECT_EQ(run(home(), "export-obj", {"--archive", game().string(), out.string()}).status,
              kExitUsage);
}
