#include "common/IniFile.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace zev::common;

TEST(IniFile, FindsSectionsAndKeysWhateverTheirCase) {
    const IniFile ini = IniFile::parse("; comment\r\n[Program Defaults]\r\n  Gravity =  2.5  \r\n"
                                       "music track=\"7\"\r\n[other]\r\nGRAVITY=9\r\n");
    EXPECT_EQ(ini.getString("PROGRAM DEFAULTS", "GRAVITY", "1.0"), "2.5");
    EXPECT_EQ(ini.getString("program defaults", "MUSIC TRACK", "2"), "7");
    EXPECT_EQ(ini.getString("OTHER", "gravity", ""), "9");
}

TEST(IniFile, GivesTheDefaultForAMissingFileSectionOrKey) {
    TempDir dir;
    const IniFile missing = IniFile::load(dir / "none.ini");
    EXPECT_EQ(missing.getString("A", "B", "def"), "def");
    EXPECT_EQ(missing.getInt("A", "B", 42), 42);
    const IniFile ini = IniFile::parse("[A]\nB=1\n");
    EXPECT_EQ(ini.getString("C", "B", "x"), "x");
    EXPECT_EQ(ini.getString("A", "Z", "y"), "y");
    EXPECT_FALSE(ini.hasKey("A", "Z"));
}

TEST(IniFile, ReadsIntegersByTheirLeadingDigits) {
    const IniFile ini = IniFile::parse("[S]\nA=12abc\nB=abc\nC=-3\nD=\n");
    EXPECT_EQ(ini.getInt("S", "A", 5), 12);
    EXPECT_EQ(ini.getInt("S", "B", 5), 0);
    EXPECT_EQ(ini.getInt("S", "C", 5), -3);
    EXPECT_EQ(ini.getInt("S", "D", 5), 0);
}

TEST(IniFile, KeepsTheFirstOccurrenceAndListsKeysInOrder) {
    const IniFile ini = IniFile::parse("[S]\nx=1\ny=2\nX=3\n[s]\nz=4\nnot a key line\n");
    EXPECT_EQ(ini.getString("S", "x", ""), "1");
    EXPECT_EQ(ini.keys("S"), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(ini.sections(), std::vector<std::string>{"S"});
}

TEST(IniFile, LoadsFromDisk) {
    TempDir dir;
    std::ofstream(dir / "zevedit.ini") << "[PROGRAM DEFAULTS]\nFOG=3\n";
    EXPECT_EQ(IniFile::load(dir / "zevedit.ini").getInt("program defaults", "fog", 0), 3);
}
