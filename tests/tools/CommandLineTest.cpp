// The tool's own command line: global options, the program directory and the archive paths as
// the commands get them.

#include "CliCommand.h"

#include "build/AssemblerRun.h"
#include "common/FileIo.h"
#include "version/Version.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using namespace zev;
using namespace zev::cli;

namespace {

// Works in `dir` while it lives, as a user who typed relative paths there.
class WorkingIn {
public:
    explicit WorkingIn(const fs::path& dir) : old_(fs::current_path()) { fs::current_path(dir); }
    ~WorkingIn() { fs::current_path(old_); }
    WorkingIn(const WorkingIn&) = delete;
    WorkingIn& operator=(const WorkingIn&) = delete;

private:
    fs::path old_;
};

// A command that prints what it was given: the program directory, then its arguments.
std::vector<CliCommand> probe() {
    return {{"probe", "", "", [](CliContext& c, const CliCommand&) {
                 c.out << c.programDirectory.string() << '\n';
                 for (const auto& a : c.args)
                     c.out << a << '\n';
                 return kExitOk;
             }}};
}

TEST(CommandLine, RelativeHomesAndArchivesReachTheCommandAbsoluteAndNormal) {
    TempDir dir;
    WorkingIn here(dir.path());
    const std::string cwd = fs::current_path().string();

    auto r = runCommandLine(probe(),
                            {"--home", "home/./x/../", "probe", "--archive", "../g/ZEV.PRJ",
                             "keep/relative", "--archive", "/a//b/./c"},
                            "ignored", "/exe");
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out, cwd + "/home\n--archive\n" + fs::path(cwd).parent_path().string() +
                         "/g/ZEV.PRJ\nkeep/relative\n--archive\n/a/b/c\n");

    // ZEVEDIT_HOME when there is no --home, else the executable's directory.
    EXPECT_EQ(runCommandLine(probe(), {"probe"}, "data/home").out, cwd + "/data/home\n");
    EXPECT_EQ(runCommandLine(probe(), {"probe"}, "", "bin").out, cwd + "/bin\n");
    // An option left without its value stays for the command to refuse.
    EXPECT_EQ(runCommandLine(probe(), {"--home", "/h", "probe", "x", "--archive"}).out,
              "/h\nx\n--archive\n");
    EXPECT_EQ(runCommandLine(probe(), {"--home", "h"}).status, kExitUsage);
}

// The assembler starts in the program directory and finds the files through the mounted paths,
// which therefore must not be relative to where the user typed them.
TEST(CommandLine, ACompileWithRelativePathsAssemblesFromAnotherDirectory) {
    TempDir dir;
    fs::create_directories(dir / "home");
    fs::create_directories(dir / "game");
    std::ofstream(dir / "game" / "ZEV.PRJ", std::ios::binary) << "archive";
    std::vector<std::uint8_t> exe(build::kAssemblerSignatureOffset + 11, 0);
    const std::string signature = build::kAssemblerSignature;
    std::copy(signature.begin(), signature.end(), exe.begin() + build::kAssemblerSignatureOffset);
    common::writeWholeFile(dir / "home" / "KORT.EXE", exe);

    WorkingIn here(dir.path());
    const auto commands = allCommands();
    ASSERT_EQ(runCommandLine(commands, {"--home", "home", "new", "raid.mdb", "--project", "WXYZ",
                                        "--mission", "Night Raid", "--patch"})
                  .status,
              kExitOk);
    const std::string assembler = std::string("\"") + ZEV_TEST_ASSEMBLER +
                                  "\" --progdir {progdir} --gamedir {gamedir} \"{cmd}\"";
    const auto compiled = runCommandLine(
        commands, {"compile", "raid.mdb", "--archive", "game/ZEV.PRJ", "--runner", assembler},
        "home");
    ASSERT_EQ(compiled.status, kExitOk) << compiled.err;
    EXPECT_NE(compiled.err.find("Status: Success"), std::string::npos) << compiled.err;
    EXPECT_TRUE(fs::exists(dir / "game" / "missions" / "WXYZ.zvm"));
    EXPECT_TRUE(fs::exists(dir / "game" / "skygnd.par"));
}

// An installed tool (defaults in ../share/zevedit) works in the user's data directory, seeded
// before the command runs; --version and --help touch nothing.
TEST(CommandLine, AnInstalledToolSeedsThePerUserDirectoryAndCopiesExamplesOnRequest) {
    TempDir dir;
    const fs::path share = dir / "prefix/share/zevedit";
    fs::create_directories(dir / "prefix/bin");
    fs::create_directories(share / "examples/data/odb");
    common::writeWholeFile(share / "zevedit.ini", "[PROGRAM DEFAULTS]\r\n");
    common::writeWholeFile(share / "examples/data/odb/build.odb", std::string(256, '\0'));
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    const fs::path user = dir / "data/ZEVEDIT3D";
    const auto commands = allCommands();

    const auto version = runCommandLine(commands, {"--version"}, "", dir / "prefix/bin");
    EXPECT_EQ(version.out, std::string("zevedit-cli ") + zev::kVersion + "\n");
    EXPECT_EQ(runCommandLine(commands, {"groups", "--help"}, "", dir / "prefix/bin").status,
              kExitOk);
    EXPECT_FALSE(fs::exists(user));

    EXPECT_EQ(runCommandLine(probe(), {"probe"}, "", dir / "prefix/bin").out, user.string() + "\n");
    EXPECT_TRUE(fs::exists(user / "zevedit.ini"));
    EXPECT_EQ(runCommandLine(commands, {"groups"}, "", dir / "prefix/bin").out, "");

    const auto examples = runCommandLine(commands, {"examples"}, "", dir / "prefix/bin");
    EXPECT_EQ(examples.out,
              "copied 1 example object groups to " + (user / "data/odb").string() + "\n");
    EXPECT_EQ(runCommandLine(commands, {"examples"}, "", dir / "prefix/bin").out,
              "copied 0 example object groups to " + (user / "data/odb").string() +
                  " (1 already there, kept)\n");
    EXPECT_EQ(runCommandLine(commands, {"groups"}, "", dir / "prefix/bin").out, "build\n");

    // A portable or build-tree tool has no installed examples unless told where they are.
    const auto none = runCommandLine(commands, {"--home", "h", "examples"}, "", dir.path());
    EXPECT_EQ(none.status, kExitFailed);
    EXPECT_EQ(none.err, "ZEVEDIT 3D: No example object groups are installed with this program.\n");
    EXPECT_EQ(runCommandLine(commands,
                             {"--home", (dir / "h").string(), "examples", "--from", share.string()})
                  .status,
              kExitOk);
    EXPECT_TRUE(fs::exists(dir / "h/data/odb/build.odb"));

    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
