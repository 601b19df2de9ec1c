#include "CliCommand.h"

#include "common/FileIo.h"
#include "edit/KeyTable.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::cli;

namespace {

CommandRun run(const std::filesystem::path& home, std::vector<std::string> args) {
    return runCli(home, editCommands(), "keymap", std::move(args));
}

} // namespace

TEST(EditCommands, KeymapListsSetsAndResetsTheKeyTableAsTheDialogDoes) {
    TempDir home;
    const CommandRun list = run(home.path(), {});
    ASSERT_EQ(list.status, kExitOk);
    EXPECT_EQ(list.out.substr(0, list.out.find('\n')),
              "1\tObject Rotation Around Y Axis Increase\t<");
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 23);

    EXPECT_EQ(run(home.path(), {"--set", "13=F1", "--set", "14= NUM PAD 7 "}).status, kExitOk);
    const auto table = edit::KeyTable::load(home.path());
    EXPECT_EQ(table.entry(13).name, "F1");
    EXPECT_EQ(table.entry(14).scanCode, 0x47);
    EXPECT_NE(run(home.path(), {}).out.find("13\tWork Space Camera Move Ahead\tF1\n"),
              std::string::npos);

    // A refusal prints its message and writes nothing, not even the choices before it.
    const auto before = common::readWholeFile(home / "key.map");
    const CommandRun refused = run(home.path(), {"--set", "1=F2", "--set", "2=SPACE BAR"});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.err, "ZEVEDIT 3D: Space Bar is reserved by Editor Work Space!\n");
    EXPECT_EQ(run(home.path(), {"--set", "2=F1"}).status, kExitFailed);
    EXPECT_EQ(common::readWholeFile(home / "key.map"), before);

    for (const char* bad : {"24=F1", "0=F1", "x=F1", "F1", "3=NOKEY"})
        EXPECT_EQ(run(home.path(), {"--set", bad}).status, kExitUsage) << bad;
    EXPECT_EQ(run(home.path(), {"--reset"}).status, kExitOk);
    EXPECT_EQ(edit::KeyTable::load(home.path()), edit::KeyTable::defaults());
}
