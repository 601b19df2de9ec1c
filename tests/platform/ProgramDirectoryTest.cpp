// Which program directory the editor and the tool use, and how an installed program's per-user
// directory gets its defaults.

#include "platform/ProgramDirectory.h"

#include "common/FileIo.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using namespace zev;
using namespace zev::platform;

namespace {

// prefix/bin for the executable and prefix/share/zevedit with the defaults, as an install.
struct InstalledTree {
    TempDir root;
    fs::path bin = root / "prefix/bin";
    fs::path share = root / "prefix/share/zevedit";
    fs::path user = root / "home/.local/share/ZEVEDIT3D";
    InstalledTree() {
        fs::create_directories(bin);
        fs::create_directories(share / "examples/data/odb");
        common::writeWholeFile(share / "zevedit.ini", "[PROGRAM DEFAULTS]\r\nGRAVITY=1.0\r\n");
        common::writeWholeFile(share / "examples/data/odb/build.odb", "BUILD");
        common::writeWholeFile(share / "examples/data/odb/rmg.odb", "RMG");
        common::writeWholeFile(share / "examples/data/odb/readme.txt", "not a group");
    }
    ProgramDirectoryInputs inputs() const { return {{}, {}, bin, user}; }
};

std::string text(const fs::path& path) {
    const auto bytes = common::readWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
}

} // namespace

TEST(ProgramDirectory, HomeThenEnvironmentThenPortableThenPerUserThenTheExecutablesDirectory) {
    InstalledTree tree;
    ProgramDirectoryInputs in = tree.inputs();

    ProgramDirectory chosen = chooseProgramDirectory(in);
    EXPECT_EQ(chosen.kind, ProgramDirectoryKind::PerUser);
    EXPECT_EQ(chosen.directory, tree.user);
    EXPECT_EQ(chosen.defaultsDirectory, tree.share);
    EXPECT_FALSE(fs::exists(tree.user)) << "choosing touches nothing";

    // A zevedit.ini beside the executable makes it portable, installed defaults or not.
    common::writeWholeFile(tree.bin / "zevedit.ini", "");
    chosen = chooseProgramDirectory(in);
    EXPECT_EQ(chosen.kind, ProgramDirectoryKind::Portable);
    EXPECT_EQ(chosen.directory, tree.bin);

    in.environmentHome = tree.root / "env/";
    chosen = chooseProgramDirectory(in);
    EXPECT_EQ(chosen.kind, ProgramDirectoryKind::Environment);
    EXPECT_EQ(chosen.directory, tree.root / "env");
    EXPECT_EQ(chosen.defaultsDirectory, tree.share) << "the examples stay reachable";

    in.commandLineHome = tree.root / "cli/./x/..";
    chosen = chooseProgramDirectory(in);
    EXPECT_EQ(chosen.kind, ProgramDirectoryKind::CommandLine);
    EXPECT_EQ(chosen.directory, tree.root / "cli");

    // A build tree or a bare copy: no ini, no share/zevedit beside it.
    TempDir bare;
    chosen = chooseProgramDirectory({{}, {}, bare.path(), tree.user});
    EXPECT_EQ(chosen.kind, ProgramDirectoryKind::Executable);
    EXPECT_EQ(chosen.directory, bare.path());
    EXPECT_TRUE(chosen.defaultsDirectory.empty());
}

TEST(ProgramDirectory, AFirstStartSeedsTheIniAndAnEmptyGroupDirectoryAndLaterStartsKeepTheUsers) {
    InstalledTree tree;
    // Installed files are read-only; the user's copy must not be.
    fs::permissions(tree.share / "zevedit.ini",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    common::RecordingReporter reporter;

    ProgramDirectory chosen = resolveProgramDirectory(tree.inputs(), reporter);
    ASSERT_TRUE(chosen.ready);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(text(tree.user / "zevedit.ini"), text(tree.share / "zevedit.ini"));
    EXPECT_TRUE(fs::is_directory(tree.user / "data/odb"));
    EXPECT_TRUE(fs::is_empty(tree.user / "data/odb")) << "examples only when asked";
    EXPECT_NE(fs::status(tree.user / "zevedit.ini").permissions() & fs::perms::owner_write,
              fs::perms::none);

    common::writeWholeFile(tree.user / "zevedit.ini", "mine");
    fs::remove(tree.user / "data/odb");
    chosen = resolveProgramDirectory(tree.inputs(), reporter);
    EXPECT_TRUE(chosen.ready);
    EXPECT_EQ(text(tree.user / "zevedit.ini"), "mine");
    EXPECT_TRUE(fs::is_directory(tree.user / "data/odb"));

    // Only the per-user directory is seeded: a --home is the user's own business.
    ProgramDirectoryInputs in = tree.inputs();
    in.commandLineHome = tree.root / "elsewhere";
    resolveProgramDirectory(in, reporter);
    EXPECT_FALSE(fs::exists(tree.root / "elsewhere"));
}

TEST(ProgramDirectory, ASeedingThatCannotCreateTheDirectoryIsReportedAndNotReady) {
    InstalledTree tree;
    fs::create_directories(tree.user.parent_path());
    common::writeWholeFile(tree.user, "a file where the directory belongs");
    common::RecordingReporter reporter;
    const ProgramDirectory chosen = resolveProgramDirectory(tree.inputs(), reporter);
    EXPECT_FALSE(chosen.ready);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "ZEVEDIT 3D");
    EXPECT_EQ(reporter.messages[0].text.rfind("Could not create", 0), 0u)
        << reporter.messages[0].text;
}

TEST(ProgramDirectory, ExampleGroupsAreCopiedOnRequestKeepingTheUsersOwn) {
    InstalledTree tree;
    common::RecordingReporter reporter;
    fs::create_directories(tree.user / "data/odb");
    common::writeWholeFile(tree.user / "data/odb/rmg.odb", "edited");

    const ExampleCopy copy = copyExampleGroups(tree.user, tree.share, reporter);
    EXPECT_TRUE(copy.ok);
    EXPECT_EQ(copy.copied, 1);
    EXPECT_EQ(copy.kept, 1);
    EXPECT_EQ(text(tree.user / "data/odb/build.odb"), "BUILD");
    EXPECT_EQ(text(tree.user / "data/odb/rmg.odb"), "edited");
    EXPECT_FALSE(fs::exists(tree.user / "data/odb/readme.txt"));
    EXPECT_TRUE(reporter.messages.empty());

    EXPECT_FALSE(copyExampleGroups(tree.user, {}, reporter).ok);
    EXPECT_FALSE(copyExampleGroups(tree.user, tree.root / "nowhere", reporter).ok);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text,
              "No example object groups are installed with this program.");
}

TEST(ProgramDirectory, ThePerUserDirectoryLiesUnderTheUsersDataLocation) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", "/var/tmp/zev-data", 1);
    EXPECT_EQ(perUserProgramDirectory(), fs::path("/var/tmp/zev-data/ZEVEDIT3D"));
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
