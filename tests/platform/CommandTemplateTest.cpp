#include "platform/CommandTemplate.h"

#include <gtest/gtest.h>

using namespace zev::platform;

namespace {

std::vector<std::string> expand(const std::string& t, const TemplateValues& v) {
    const auto words = splitTemplate(t);
    EXPECT_TRUE(words.has_value()) << t;
    return expandTemplate(words.value_or(std::vector<TemplateWord>{}), v);
}

const TemplateValues kValues{"/home/me/zev edit", "/games/zev", "/media/cd",
                             R"(kort.exe /p=D:\ __.tmp ABCDare1.bwd > C:\korterr.txt)"};

TEST(CommandTemplate, TheDefaultDosTemplateMountsBothDirectoriesAndPassesTheLineWhole) {
    EXPECT_EQ(expand(kDefaultDosTemplate, kValues),
              (std::vector<std::string>{
                  "dosbox", "-noautoexec", "-c", "mount c \"/home/me/zev edit\"", "-c",
                  "mount d \"/games/zev\"", "-c", "c:", "-c", kValues.cmd, "-c", "exit"}));
    EXPECT_TRUE(templateMountsDirectories(kDefaultDosTemplate));
}

TEST(CommandTemplate, ABareCommandWordStandsForTheWordsOfTheCommandLine) {
    TemplateValues v = kValues;
    v.cmd = R"("Z:\games\my zev\zev.exe" -S ABCDscn1 -T=MISSIONS\ABCD.zvm -cd=E)";
    EXPECT_EQ(expand(kDefaultWindowsTemplate, v),
              (std::vector<std::string>{"wine", R"(Z:\games\my zev\zev.exe)", "-S", "ABCDscn1",
                                        R"(-T=MISSIONS\ABCD.zvm)", "-cd=E"}));
    EXPECT_FALSE(templateMountsDirectories(kDefaultWindowsTemplate));
    // Quoted, the same placeholder is the whole line as one word.
    EXPECT_EQ(expand(R"(sh -c "{cmd}")", v), (std::vector<std::string>{"sh", "-c", v.cmd}));
}

TEST(CommandTemplate, PlaceholdersAreReplacedInsideWordsAndValuesAreNeverSplit) {
    EXPECT_EQ(expand("emu --root={progdir}/x {gamedir} {cd}{cd} plain", kValues),
              (std::vector<std::string>{"emu", "--root=/home/me/zev edit/x", "/games/zev",
                                        "/media/cd/media/cd", "plain"}));
    // A value that looks like a placeholder is not expanded again.
    TemplateValues v = kValues;
    v.progdir = "{gamedir}";
    EXPECT_EQ(expand("a {progdir}", v), (std::vector<std::string>{"a", "{gamedir}"}));
    EXPECT_EQ(expand("  a   \"\"  b  ", kValues), (std::vector<std::string>{"a", "", "b"}));
}

TEST(CommandTemplate, AnOpenQuoteIsRefused) {
    EXPECT_FALSE(splitTemplate("dosbox -c \"mount c").has_value());
    EXPECT_TRUE(splitTemplate("dosbox -c \\\"x").has_value()); // an escaped quote opens nothing
}

TEST(CommandTemplate, HostPathsAreSeenThroughWinesDriveZ) {
    EXPECT_EQ(wineDrivePath("/games/zev/"), R"(Z:\games\zev)");
    EXPECT_EQ(wineDrivePath("/games/./zev/../zev2"), R"(Z:\games\zev2)");
}

} // namespace
