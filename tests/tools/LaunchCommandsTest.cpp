#include "CliCommand.h"

#include "build/AssemblerRun.h"
#include "build/MissionPackage.h"
#include "common/FileIo.h"

#include "CliRun.h"
#include "SmallDisk.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;
using namespace zev;
using namespace zev::cli;

namespace {

CommandRun run(const fs::path& home, const std::string& name, std::vector<std::string> args) {
    return runCli(home, {launchCommands, missionCommands}, name, std::move(args));
}

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeText(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

TEST(LaunchCommands, PackageAndUnpackRoundTripTheFiles) {
    TempDir dir;
    writeText(dir / "in" / "ABCDname.txt", "Night Raid\r\n&X");
    writeText(dir / "in" / "ABCD.bwd", std::string(1000, 'b'));
    const auto packed = run(dir.path(), "package",
                            {(dir / "ABCD.zvm").string(), (dir / "in" / "ABCDname.txt").string(),
                             (dir / "in" / "ABCD.bwd").string()});
    ASSERT_EQ(packed.status, kExitOk) << packed.err;
    EXPECT_EQ(packed.out, "ABCDname.txt 14\nABCD.bwd 1000\n");
    const std::string image = readText(dir / "ABCD.zvm");
    ASSERT_EQ(image.size(), 512u + 512u + 512u + 1024u);
    EXPECT_EQ(image.substr(1024 + 124, 12), "000000001750");

    const auto unpacked =
        run(dir.path(), "unpack", {(dir / "ABCD.zvm").string(), (dir / "out" / "new").string()});
    ASSERT_EQ(unpacked.status, kExitOk) << unpacked.err;
    EXPECT_EQ(unpacked.out, packed.out);
    EXPECT_EQ(readText(dir / "out" / "new" / "ABCD.bwd"), std::string(1000, 'b'));
    EXPECT_EQ(readText(dir / "out" / "new" / "ABCDname.txt"), "Night Raid\r\n&X");

    EXPECT_EQ(run(dir.path(), "package", {(dir / "x.zvm").string()}).status, kExitUsage);
    EXPECT_EQ(
        run(dir.path(), "package", {(dir / "x.zvm").string(), (dir / "nope").string()}).status,
        kExitFailed);
}

TEST(LaunchCommands, UnpackNeverWritesOutsideItsDirectoryAndReportsDamage) {
    TempDir dir;
    auto image = build::packageImage({{"good.txt", {'g'}},
                                      {"../evil.txt", {'e'}},
                                      {"more.txt", std::vector<std::uint8_t>(600, 'm')}});
    common::writeWholeFile(dir / "bad.zvm", image);
    const auto r = run(dir.path(), "unpack", {(dir / "bad.zvm").string(), (dir / "out").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("'../evil.txt' is not a plain file name"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "evil.txt"));
    EXPECT_TRUE(fs::exists(dir / "out" / "more.txt"));

    image.resize(image.size() - 500); // the last member's data is cut
    common::writeWholeFile(dir / "cut.zvm", image);
    const auto cut =
        run(dir.path(), "unpack", {(dir / "cut.zvm").string(), (dir / "cut").string()});
    EXPECT_EQ(cut.status, kExitFailed);
    EXPECT_NE(cut.err.find("runs past the end of the package (at byte 2048)"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "cut" / "good.txt"));
    EXPECT_FALSE(fs::exists(dir / "cut" / "more.txt"));
}

TEST(LaunchCommands, CompileBuildsAssemblesAndInstallsAMission) {
    TempDir dir;
    const fs::path home = dir / "home";
    const fs::path game = dir / "game";
    fs::create_directories(home);
    writeText(game / "ZEV.PRJ", "archive");
    std::vector<std::uint8_t> exe(build::kAssemblerSignatureOffset + 11, 0);
    const std::string signature = build::kAssemblerSignature;
    std::copy(signature.begin(), signature.end(), exe.begin() + build::kAssemblerSignatureOffset);
    common::writeWholeFile(home / "KORT.EXE", exe);
    const std::string mission = (dir / "raid.mdb").string();
    ASSERT_EQ(run(home, "new", {mission, "--project", "WXYZ", "--mission", "Night Raid", "--patch"})
                  .status,
              kExitOk);

    const std::string assembler = std::string("\"") + ZEV_TEST_ASSEMBLER +
                                  "\" --progdir {progdir} --gamedir {gamedir} \"{cmd}\"";
    const auto compiled =
        run(home, "compile",
            {mission, "--archive", (game / "ZEV.PRJ").string(), "--runner", assembler});
    ASSERT_EQ(compiled.status, kExitOk) << compiled.err;
    EXPECT_NE(compiled.err.find("[3/120] WXYZare1.wld\n"), std::string::npos) << compiled.err;
    EXPECT_NE(compiled.err.find("Status: Success"), std::string::npos);

    const auto package = common::readWholeFile(game / "missions" / "WXYZ.zvm");
    ASSERT_TRUE(package.has_value());
    const auto contents = build::readPackage(*package);
    EXPECT_EQ(contents.error, build::PackageError::None);
    ASSERT_EQ(contents.members.size(), 37u);
    EXPECT_EQ(contents.members[0].name, "WXYZname.txt");
    EXPECT_EQ(std::string(contents.members[0].data.begin(), contents.members[0].data.end()),
              readText(home / "source" / "WXYZ" / "WXYZname.txt"));
    EXPECT_EQ(readText(game / "skygnd.par").rfind("\r\n# Added by ZEVEDIT 3D\r\nmission=WXYZ ", 0),
              0u);

    // Launch checks the disc before anything is built.
    const auto launched = run(home, "launch",
                              {mission, "--archive", (game / "ZEV.PRJ").string(), "--cd",
                               (dir / "nocd").string(), "--runner", assembler});
    EXPECT_EQ(launched.status, kExitFailed);
    EXPECT_EQ(launched.err, "CD-ROM Error..: Unable To Mount Talvorendix2 CD-ROM\n");
    EXPECT_EQ(run(home, "launch", {mission, "--archive", "x"}).status, kExitUsage);
}

} // namespace

TEST(LaunchCommands, UnpackOnAFullDiskKeepsTheFileThatWasThere) {
    SmallDisk disk(128);
    SKIP_WITHOUT_SMALL_DISK(disk);
    TempDir dir;
    common::writeWholeFile(
        dir / "big.zvm",
        build::packageImage({{"ABCD.bwd", std::vector<std::uint8_t>(200000, 'n')}}));
    writeText(disk / "out" / "ABCD.bwd", std::string(30000, 'o'));
    const auto r = run(dir.path(), "unpack", {(dir / "big.zvm").string(), (disk / "out").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("/out/ABCD.bwd: No space left on device"), std::string::npos) << r.err;
    EXPECT_EQ(readText(disk / "out" / "ABCD.bwd"), std::string(30000, 'o'));
    EXPECT_EQ(std::distance(fs::directory_iterator(disk / "out"), fs::directory_iterator()), 1);
}
