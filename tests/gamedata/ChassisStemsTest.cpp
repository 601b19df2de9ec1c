#include "GamedataTestSupport.h"

#include "gamedata/ChassisStems.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

using namespace zev::gamedata;
using namespace zev::gamedata::test;

TEST(ChassisStems, HoldsSixtyTwoLowerCaseStemsOfAtMostEightCharacters) {
    const auto& stems = builtInChassisStems();
    ASSERT_EQ(stems.size(), 62u);
    std::set<std::string> prefixes;
    for (const auto& stem : stems) {
        EXPECT_FALSE(stem.empty());
        EXPECT_LE(stem.size(), 8u) << stem;
        EXPECT_TRUE(std::all_of(stem.begin(), stem.end(), [](char c) { return std::islower(c); }))
            << stem;
        prefixes.insert(stem.substr(0, 4));
    }
    EXPECT_EQ(prefixes.size(), 62u); // every stem stands for a chassis of its own
    for (const char* name : {"vorlane", "kestrel", "halberd", "mantis"})
        EXPECT_NE(std::find(stems.begin(), stems.end(), name), stems.end()) << name;
}

TEST(ChassisStems, MatchOnTheFirstFourCharactersOfTheShortName) {
    const auto& stems = builtInChassisStems();
    EXPECT_EQ(matchingChassisStem("VORLANE", stems), "vorlane");
    EXPECT_EQ(matchingChassisStem("VORLXTRA", stems), "vorlane");
    EXPECT_EQ(matchingChassisStem("vorl", stems), "vorlane");
    EXPECT_EQ(matchingChassisStem("VOR", stems), "");
    EXPECT_EQ(matchingChassisStem("VORX", stems), "");
    EXPECT_EQ(matchingChassisStem("", stems), "");
    EXPECT_EQ(matchingChassisStem("SOUNDFX", stems), "");
}

TEST(ChassisStems, AreExtendedByChassisTxtInTheProgramDirectory) {
    TempDir dir;
    EXPECT_EQ(loadChassisStems(dir.path()).size(), 62u);
    writeFile(dir / "CHASSIS.TXT",
              bytesOf("  Scorpion \r\n\n# a comment\nvorlane\nlongstemname\nab\n"));
    const auto stems = loadChassisStems(dir.path());
    ASSERT_EQ(stems.size(), 65u);
    EXPECT_EQ(stems[62], "scorpion");
    EXPECT_EQ(stems[63], "longstem");
    EXPECT_EQ(stems[64], "ab");
    EXPECT_EQ(matchingChassisStem("SCORP01", stems), "scorpion");
    EXPECT_EQ(matchingChassisStem("AB", stems), "ab");
    EXPECT_EQ(matchingChassisStem("ABC", stems), "");
}
