#include "build/PifFiles.h"
#include "build/StarFiles.h"
#include "common/LittleEndian.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace zev::build;
using zev::common::getU16;
using zev::common::getU32;

namespace {

template <std::size_t N>
std::string chars(const std::array<std::uint8_t, N>& f, std::size_t at, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(f.data() + at), n);
}

template <std::size_t N>
bool zeroBetween(const std::array<std::uint8_t, N>& f, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (f[i] != 0)
            return false;
    return true;
}

TEST(StarFiles, TheEmptyStarFileIsTheFiftyTwoByteChunkFile) {
    const auto& f = emptyStarFile();
    EXPECT_EQ(chars(f, 0, 4), std::string("BWD\0", 4));
    EXPECT_EQ(getU32(f.data() + 4), 52u);
    EXPECT_EQ(getU32(f.data() + 8), 28u);
    EXPECT_EQ(chars(f, 12, 4), std::string("REV\0", 4));
    EXPECT_EQ(getU32(f.data() + 16), 12u);
    EXPECT_EQ(chars(f, 20, 8), "1.22DTBL");
    EXPECT_EQ(getU32(f.data() + 28), 28u);
    EXPECT_TRUE(zeroBetween(f, 32, 52));
    EXPECT_EQ(starFileName(0), "en00star.bwd");
    EXPECT_EQ(starFileName(8), "en08star.bwd");
}

TEST(StarFiles, ThePlayerStarFileCarriesTheLaunchUnit) {
    const auto f = playerStarFile("VORLANE", 0x1234, "VRL00STD", 0x0102);
    EXPECT_EQ(chars(f, 0, 4), std::string("BWD\0", 4));
    EXPECT_EQ(getU32(f.data() + 4), 152u);
    EXPECT_EQ(getU32(f.data() + 8), 100u);
    EXPECT_EQ(chars(f, 12, 4), std::string("REV\0", 4));
    EXPECT_EQ(getU32(f.data() + 16), 12u);
    EXPECT_EQ(chars(f, 20, 8), "1.22DTBL");
    EXPECT_EQ(getU32(f.data() + 28), 28u);
    EXPECT_TRUE(zeroBetween(f, 32, 52));
    EXPECT_EQ(chars(f, 52, 4), std::string("GPS\0", 4));
    EXPECT_EQ(getU32(f.data() + 56), 100u);
    EXPECT_EQ(getU16(f.data() + 60), 0x0102); // configuration first
    EXPECT_EQ(getU16(f.data() + 62), 0x1234);
    EXPECT_EQ(f[64], 0);
    EXPECT_EQ(f[65], 1);
    EXPECT_TRUE(zeroBetween(f, 66, 84));
    EXPECT_EQ(getU16(f.data() + 84), 6);
    EXPECT_EQ(getU16(f.data() + 86), 1024);
    EXPECT_EQ(chars(f, 88, 9), std::string("VORLANE\0\0", 9));
    EXPECT_EQ(chars(f, 97, 9), std::string("VRL00STD\0", 9));
    EXPECT_EQ(chars(f, 106, 10), std::string("ZEVEDIT3D\0", 10));
    EXPECT_TRUE(zeroBetween(f, 116, 152));

    const auto cut = playerStarFile("ABCDEFGHIJ", 1, "", 2);
    EXPECT_EQ(chars(cut, 88, 9), std::string("ABCDEFGH\0", 9));
    EXPECT_EQ(cut[97], 0);
}

// Walks the heading chain the way a PIF reader does.
struct Section {
    std::string name;
    std::size_t data;
    std::size_t length;
};
std::vector<Section> pifSections(const PifImage& f) {
    std::vector<Section> out;
    std::size_t at = kPifBasicSize;
    while (at != 0xFFFF && out.size() < 16) {
        EXPECT_LE(at + kPifHeadingSize, f.size());
        if (at + kPifHeadingSize > f.size())
            break;
        out.push_back({std::string(reinterpret_cast<const char*>(f.data() + at)),
                       getU16(f.data() + at + 18), getU16(f.data() + at + 20)});
        at = getU16(f.data() + at + 16);
    }
    return out;
}

TEST(PifFiles, BothFilesAreWholePifsOfTheirSize) {
    for (const PifImage& f : {assemblerPif(), gamePif("ZEV.EXE")}) {
        ASSERT_EQ(f.size(), 2857u);
        EXPECT_EQ(f[1], pifChecksum(f));
        const auto sections = pifSections(f);
        ASSERT_EQ(sections.size(), 4u);
        EXPECT_EQ(sections[0].name, "MICROSOFT PIFEX");
        EXPECT_EQ(sections[0].data, 0u);
        EXPECT_EQ(sections[0].length, 0x171u);
        EXPECT_EQ(sections[1].name, "WINDOWS 386 3.0");
        EXPECT_EQ(sections[1].length, 0x68u);
        EXPECT_EQ(sections[2].name, "WINDOWS 286 3.0");
        EXPECT_EQ(sections[2].length, 6u);
        // Each section's data follows its heading and the last one ends the file.
        for (std::size_t i = 1; i < sections.size(); ++i)
            EXPECT_LE(sections[i].data + sections[i].length, f.size());
        EXPECT_EQ(sections.back().data + sections.back().length, f.size());
        EXPECT_EQ(f[0x63] & 0x10, 0x10); // the window closes when the program ends
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(assemblerPif().data() + 0x24)), "KORT.EXE");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(gamePif("TALVOWIN.EXE").data() + 0x24)),
              "TALVOWIN.EXE");
    EXPECT_EQ(chars(gamePif("ZEV.EXE"), 2, 30), "ZEV" + std::string(27, ' '));
}

} // namespace
