// What the command-line tool does with input a careless user or an attacker gives it: it never
// crashes, never destroys a file, never reports success for a failure, and stays within a
// memory bound on huge files.

#include "CliCommand.h"
#include "CliMain.h"

#include "common/FileIo.h"
#include "gamedata/DemoData.h"
#include "mission/MissionFile.h"

#include "CliRun.h"
#include "MemoryLimit.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>

using namespace zev;
using namespace zev::cli;
namespace fs = std::filesystem;

namespace {

CommandRun run(const fs::path& home, const std::string& name, std::vector<std::string> args) {
    return runCli(home,
                  {missionCommands, launchCommands, gameDataCommands, editCommands, checkCommands,
                   renderCommands},
                  name, std::move(args));
}

void writeText(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A file of `size` bytes that takes no room on the disk: its start written, the rest a hole.
void writeSparse(const fs::path& p, const std::string& start, std::uintmax_t size) {
    writeText(p, start);
    fs::resize_file(p, size);
}

constexpr std::uintmax_t kTwoGigabytes = std::uintmax_t{2} << 30;
constexpr std::size_t kMemoryBound = 100u << 20;

// A mission made by `new`, for the commands that take one.
std::string newMission(const fs::path& home, const std::string& name) {
    const std::string path = (home / name).string();
    EXPECT_EQ(run(home, "new", {path, "--project", "ABCD", "--mission", "M"}).status, kExitOk);
    return path;
}

} // namespace

TEST(HostileInput, LoadRefusesJsonItCannotHoldWithThePlaceInsteadOfCrashing) {
    TempDir dir;
    const fs::path out = dir / "out.mdb";
    writeText(dir / "overflow.json", "{\"a\":\n  1e400}");
    CommandRun r = run(dir.path(), "load", {(dir / "overflow.json").string(), out.string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err.rfind("JSON Load Error: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("line 2, column"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("number overflow"), std::string::npos) << r.err;

    writeText(dir / "deep.json", std::string(50000, '[') + std::string(50000, ']'));
    r = run(dir.path(), "load", {(dir / "deep.json").string(), out.string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("line 1, column 33: nested deeper than 32"), std::string::npos) << r.err;

    writeText(dir / "broken.json", "{\"header\": {\n\"x\": tru }");
    r = run(dir.path(), "load", {(dir / "broken.json").string(), out.string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("line 2, column"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST(HostileInput, HugeInputsAreRefusedWithinAHundredMegabytes) {
    SKIP_WITHOUT_MEMORY_LIMIT();
    TempDir dir;
    const fs::path home = dir.path();
    const auto bounded = [&](const std::string& command, std::vector<std::string> args) {
        return runWithMemoryLimit(kMemoryBound, [&] { return run(home, command, args).status; });
    };
    // A mission tag before 2 GB, and a good mission with 1 GB behind it.
    writeSparse(dir / "tagged.mdb", "MDB ", kTwoGigabytes);
    EXPECT_EQ(bounded("dump", {(dir / "tagged.mdb").string()}), kExitFailed);
    const std::string good = newMission(home, "good.mdb");
    fs::resize_file(good, fs::file_size(good) + (std::uintmax_t{1} << 30));
    EXPECT_EQ(bounded("save-as", {good, (dir / "copy.mdb").string()}), kExitFailed);
    const CommandRun tooLarge = run(home, "dump", {good});
    EXPECT_NE(tooLarge.err.find("File too large for its kind"), std::string::npos) << tooLarge.err;

    // 2 GB of zeros as a package, and a 2 GB member packed without holding it.
    writeSparse(dir / "zeros.zvm", "", kTwoGigabytes);
    EXPECT_EQ(bounded("unpack", {(dir / "zeros.zvm").string(), (dir / "out").string()}),
              kExitFailed);
    const CommandRun empty =
        run(home, "unpack", {(dir / "zeros.zvm").string(), (dir / "out").string()});
    EXPECT_NE(empty.err.find("holds no member"), std::string::npos) << empty.err;
    // (A member of 300 MB: enough to pass the bound three times, little to write.)
    constexpr std::uintmax_t kMember = 300u << 20;
    writeSparse(dir / "big.bin", "start", kMember);
    EXPECT_EQ(bounded("package", {(dir / "big.zvm").string(), (dir / "big.bin").string()}),
              kExitOk);
    EXPECT_EQ(fs::file_size(dir / "big.zvm"), 512 + kMember);
    fs::remove(dir / "big.zvm");

    // An object group of 2 GB of zeros.
    fs::create_directories(dir / "data" / "odb");
    writeSparse(dir / "data" / "odb" / "huge.odb", "", kTwoGigabytes);
    EXPECT_EQ(bounded("group-objects", {"huge"}), kExitFailed);

    // 20 MB of nested arrays.
    writeText(dir / "nested.json", std::string(20u << 20, '['));
    EXPECT_EQ(bounded("load", {(dir / "nested.json").string(), (dir / "n.mdb").string()}),
              kExitFailed);
}

TEST(HostileInput, WritersRefuseAPipeOrDeviceWhereTheFileShouldGo) {
    TempDir dir;
    const std::string mission = newMission(dir.path(), "m.mdb");
    const std::string json = (dir / "m.json").string();
    writeText(json, run(dir.path(), "dump", {mission}).out);
    const fs::path fifo = dir / "pipe.mdb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& target : {fifo, fs::path("/dev/null")}) {
        const std::string t = target.string();
        const CommandRun commands[] = {
            run(dir.path(), "new", {t, "--project", "ABCD", "--mission", "M"}),
            run(dir.path(), "save-as", {mission, t}),
            run(dir.path(), "load", {json, t}),
        };
        for (const CommandRun& r : commands) {
            EXPECT_EQ(r.status, kExitFailed) << t << r.err;
            EXPECT_NE(r.err.find("Not a regular file"), std::string::npos) << r.err;
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(HostileInput, APackageNeverReplacesOneOfItsOwnFiles) {
    TempDir dir;
    const std::string mission = newMission(dir.path(), "m.mdb");
    const std::string before = readText(mission);
    writeText(dir / "other.txt", "x");
    fs::create_symlink(mission, dir / "link.zvm");
    for (const std::vector<std::string>& args : {std::vector<std::string>{mission, mission},
                                                 {mission, (dir / "other.txt").string(), mission},
                                                 {(dir / "link.zvm").string(), mission}}) {
        const CommandRun r = run(dir.path(), "package", args);
        EXPECT_EQ(r.status, kExitFailed);
        EXPECT_NE(r.err.find("is also one of the files to pack"), std::string::npos) << r.err;
    }
    EXPECT_EQ(readText(mission), before);
    EXPECT_TRUE(fs::is_symlink(dir / "link.zvm"));
}

TEST(HostileInput, DemoRunAgainKeepsTheUsersFilesAndSaysWhichItKept) {
    TempDir dir;
    ASSERT_EQ(run(dir.path(), "demo", {dir.path().string()}).status, kExitOk);
    const fs::path ini = dir / "home" / "zevedit.ini";
    const fs::path group = dir / "home" / "data" / "odb" / "Groups.odb";
    writeText(ini, "[PROGRAM DEFAULTS]\r\nmine=1\r\n");
    writeText(group, "");
    fs::remove(dir / "home" / "WTB.IDX");
    const CommandRun again = run(dir.path(), "demo", {dir.path().string()});
    ASSERT_EQ(again.status, kExitOk) << again.err;
    EXPECT_EQ(readText(ini), "[PROGRAM DEFAULTS]\r\nmine=1\r\n");
    EXPECT_EQ(readText(group), "");
    EXPECT_NE(again.out.find("kept (already there): " + ini.string() + "\n"), std::string::npos)
        << again.out;
    EXPECT_NE(again.out.find("kept (already there): " + group.string() + "\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "home" / "WTB.IDX")); // index files are made again
}

TEST(HostileInput, FailuresAreNeverReportedAsSuccess) {
    TempDir dir;
    common::SilentReporter silent;
    ASSERT_TRUE(gamedata::demo::writeDemoData(dir / "demo", silent));
    const auto paths = gamedata::demo::demoDataPaths(dir / "demo");
    const fs::path home = paths.programDirectory;
    // Index files of another archive (or an older state of this one): export-obj refuses, as
    // fresh says "stale".
    fs::copy_file(paths.archive, dir / "copy.prj");
    fs::last_write_time(dir / "copy.prj",
                        fs::last_write_time(paths.archive) + std::chrono::hours(1));
    const std::string stale = (dir / "copy.prj").string();
    CommandRun r = run(home, "export-obj", {"--archive", stale, "crate", (dir / "c.obj").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("the index files are not current"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "c.obj"));

    // A mission with objects rendered over a missing archive: one message, no picture.
    const std::string mission = newMission(home, "m.mdb");
    {
        mission::MissionDocument document = openMissionFile(mission);
        mission::MissionObjectRecord record;
        record.setText(mission::MissionObjectRecord::objectName, "crate");
        document.objects.place(*document.objects.allocate(silent), record);
        ASSERT_TRUE(mission::MissionFile::save(document, mission,
                                               mission::RecordPositions(document), 0, silent));
    }
    writeText(dir / "old.png", "old picture");
    r = run(home, "render",
            {mission, (dir / "old.png").string(), "--archive", (dir / "none.prj").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("the mission's objects cannot be drawn"), std::string::npos) << r.err;
    EXPECT_EQ(readText(dir / "old.png"), "old picture");

    // No program directory at all.
    std::ostringstream out, err;
    const int status = runCommandLine(
        gameDataCommands(), {"--home", (dir / "nonexistent").string(), "groups"}, "", {}, out, err);
    EXPECT_EQ(status, kExitFailed);
    EXPECT_NE(err.str().find("No such file or directory"), std::string::npos) << err.str();

    // A stray file in the group folder is not an object group.
    writeText(home / "data" / "odb" / "noise.odb", std::string(365 * 3, '\x5a'));
    r = run(home, "group-objects", {"noise"});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error...: Could Not open Object Group File... " +
                         (home / "data" / "odb" / "noise.odb").string() +
                         ": no record written by this editor: not an object group\n");
}

TEST(HostileInput, ProjectNamesFollowOneRuleInLoadAndCheck) {
    TempDir dir;
    const std::string mission = newMission(dir.path(), "m.mdb");
    const std::string dumped = run(dir.path(), "dump", {mission}).out;
    for (const std::string bad : {"../x", "..", "/tmp", "A#B", "A B"}) {
        std::string json = dumped;
        const std::string key = "\"project_name\": \"ABCD\"";
        json.replace(json.find(key), key.size(), "\"project_name\": \"" + bad + "\"");
        writeText(dir / "bad.json", json);
        const CommandRun r =
            run(dir.path(), "load", {(dir / "bad.json").string(), (dir / "bad.mdb").string()});
        EXPECT_EQ(r.status, kExitFailed) << bad;
        EXPECT_NE(r.err.find("header.project_name: Project Name May Not"), std::string::npos)
            << r.err;
        EXPECT_FALSE(fs::exists(dir / "bad.mdb"));

        // A file holding such a name (written by another program) is an error for check.
        mission::MissionDocument document = openMissionFile(mission);
        document.header.setText(mission::MissionHeader::projectName, bad);
        common::SilentReporter silent;
        ASSERT_TRUE(mission::MissionFile::save(document, dir / "odd.mdb",
                                               mission::RecordPositions(document), 0, silent));
        const CommandRun checked = run(dir.path(), "check", {(dir / "odd.mdb").string()});
        EXPECT_EQ(checked.status, kExitFailed) << bad;
        EXPECT_NE(checked.out.find("ERROR\tMission header\tProject name"), std::string::npos)
            << checked.out;
    }
}

TEST(HostileInput, TypedTextsBecomeLatin1OrAreRefusedAndNeverCutSilently) {
    TempDir dir;
    const std::string m = (dir / "m.mdb").string();
    ASSERT_EQ(run(dir.path(), "new", {m, "--project", "ABCD", "--mission", "Caf\xc3\xa9"}).status,
              kExitOk);
    EXPECT_EQ(openMissionFile(m).header.text(mission::MissionHeader::missionName), "Caf\xe9");

    CommandRun r =
        run(dir.path(), "new", {m, "--project", "ABCD", "--mission", "caf\xc3\xa9 \xe4\xb8\xad"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_NE(r.err.find("--mission holds a character the files cannot store"), std::string::npos)
        << r.err;
    r = run(dir.path(), "new", {m, "--project", "ABCD", "--mission", std::string(40, 'x')});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_NE(r.err.find("--mission is 40 characters long; at most 39 fit"), std::string::npos);
    EXPECT_EQ(openMissionFile(m).header.text(mission::MissionHeader::missionName), "Caf\xe9");

    r = run(dir.path(), "keymap", {"--set", "1=\xc3\xa9"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_FALSE(fs::exists(dir / "key.map"));
}

TEST(HostileInput, NamesReadFromFilesArePrintedWithControlCharactersEscaped) {
    TempDir dir;
    // A key.map whose first action's key name carries an escape sequence.
    ASSERT_EQ(run(dir.path(), "keymap", {"--reset"}).status, kExitOk);
    auto image = *common::readWholeFile(dir / "key.map");
    const std::string hostile = "\x1b]0;owned\x07";
    std::copy(hostile.begin(), hostile.end(), image.begin() + 4 + 51 + 1);
    ASSERT_TRUE(common::writeWholeFile(dir / "key.map", image));
    const CommandRun listed = run(dir.path(), "keymap", {});
    EXPECT_EQ(listed.out.find('\x1b'), std::string::npos);
    EXPECT_NE(listed.out.find("\\x1b]0;owned\\x07"), std::string::npos) << listed.out;

    // A package member named with one.
    std::vector<std::uint8_t> package(1024, 0);
    const std::string name = "a\x1b[2Jb";
    std::copy(name.begin(), name.end(), package.begin());
    const std::string size = "000000000001";
    std::copy(size.begin(), size.end(), package.begin() + 124);
    ASSERT_TRUE(common::writeWholeFile(dir / "p.zvm", package));
    const CommandRun unpacked =
        run(dir.path(), "unpack", {(dir / "p.zvm").string(), (dir / "out").string()});
    EXPECT_EQ(unpacked.status, kExitFailed);
    EXPECT_EQ(unpacked.err.find('\x1b'), std::string::npos);
    EXPECT_NE(unpacked.err.find("a\\x1b[2Jb"), std::string::npos) << unpacked.err;
}
