#include "GamedataTestSupport.h"

#include "gamedata/IndexFiles.h"

#include "common/ByteWriter.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace zev::gamedata;
using namespace zev::gamedata::test;
namespace fs = std::filesystem;

namespace {

// A WTB.IDX image of the given names, in order; record i has offset 1000 + i, number i.
std::vector<std::uint8_t> geometryIndexImage(const std::vector<std::string>& names) {
    zev::common::ByteWriter out;
    out.chars("IDX");
    out.zeros(321);
    for (std::size_t i = 0; i < names.size(); ++i) {
        GeometryIndexRecord record;
        record.setText(GeometryIndexRecord::longName, names[i]);
        record.setInt32(GeometryIndexRecord::dataOffset, static_cast<std::int32_t>(1000 + i));
        record.setInt32(GeometryIndexRecord::number, static_cast<std::int32_t>(i));
        out.bytes(record.bytes());
    }
    return out.take();
}

std::optional<std::uint32_t> lookup(const std::vector<std::string>& names,
                                    const std::string& name) {
    const auto found = GeometryIndex::fromImage(geometryIndexImage(names)).find(name);
    if (!found)
        return std::nullopt;
    return found->dataOffset - 1000;
}

// The rule itself, record by record, for comparing with the indexed lookup.
std::optional<std::uint32_t> firstMatch(const std::vector<std::string>& names,
                                        const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (geometryNameMatches(names[i], name))
            return static_cast<std::uint32_t>(i);
    return std::nullopt;
}

} // namespace

TEST(GeometryNameMatch, IgnoresTheRecordNamesFourCharacterExtension) {
    EXPECT_TRUE(geometryNameMatches("abc1.xyz", "abc12"));
    EXPECT_TRUE(geometryNameMatches("abc1.xyz", "abc1"));
    EXPECT_FALSE(geometryNameMatches("abc1.xyz", "abc"));
    EXPECT_FALSE(geometryNameMatches("abc1.xyz", "ABC12"));
    EXPECT_TRUE(geometryNameMatches("tower", "t"));       // "tower" less 4 characters is "t"
    EXPECT_TRUE(geometryNameMatches(".geo", "anything")); // nothing left to compare
}

TEST(GeometryNameMatch, NeedsAnIdenticalNameForRecordNamesShorterThanFour) {
    EXPECT_TRUE(geometryNameMatches("", ""));
    EXPECT_FALSE(geometryNameMatches("", "tower"));
    EXPECT_TRUE(geometryNameMatches("abc", "abc"));
    EXPECT_FALSE(geometryNameMatches("abc", "abcd"));
}

TEST(GeometryIndex, FindsAnObjectThroughTheFirstRecordWhosePrefixItStartsWith) {
    const std::vector<std::string> names = {"", "abc1.xyz", "abc12.geo", "ab.geo", "zz"};
    EXPECT_EQ(lookup(names, "abc12"), 1u); // abc1.xyz comes first
    EXPECT_EQ(lookup(names, "abc9"), 3u);  // only ab.geo
    EXPECT_EQ(lookup(names, "zz"), 4u);
    EXPECT_EQ(lookup(names, "zzz"), std::nullopt);
    EXPECT_EQ(lookup(names, ""), 0u); // only the empty record matches an empty name
    EXPECT_EQ(lookup({"", "tower1.geo"}, "tower1"), 1u);
    EXPECT_EQ(lookup({"", "tower1.geo"}, "wall"), std::nullopt);
}

TEST(GeometryIndex, AgreesWithTheRecordByRecordRuleOnEveryName) {
    const std::vector<std::string> names = {"",    "abc1.xyz",  "abc12.geo", "ab.geo",
                                            "zz",  ".geo",      "abc",       "abcdefghijkl",
                                            "x.y", "tower.geo", "tow"};
    for (const std::string name : {"", "a", "ab", "abc", "abc1", "abc12", "abc123", "abcdefgh",
                                   "abcdefghijkl", "tower", "tow", "to", "x", "x.y", "zz", "zzz"}) {
        EXPECT_EQ(lookup(names, name), firstMatch(names, name)) << name;
        std::vector<std::string> withoutCatchAll = names;
        withoutCatchAll.erase(withoutCatchAll.begin() + 5);
        EXPECT_EQ(lookup(withoutCatchAll, name), firstMatch(withoutCatchAll, name)) << name;
    }
}

TEST(GeometryIndex, IgnoresAPartialLastRecordAndAShortHeader) {
    auto image = geometryIndexImage({"", "abc1.xyz"});
    image.resize(image.size() - 1);
    EXPECT_EQ(GeometryIndex::fromImage(image).size(), 1u);
    image.resize(100);
    EXPECT_EQ(GeometryIndex::fromImage(image).size(), 0u);
}

namespace {

class FindGeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        forgetCachedGeometryIndexes();
        fs::create_directories(dir / "home");
        ASSERT_TRUE(knownArchive().writeTo(dir / "ZEV.PRJ"));
    }
    std::optional<GeometryLocation> find(const std::string& name) {
        return FindGeometry(archive, dir.path(), dir / "home", name, lastError);
    }
    TempDir dir;
    ProjectArchive archive;
    std::string lastError;
};

} // namespace

TEST_F(FindGeometryTest, LeavesTheArchiveOpenAtAFoundGeometry) {
    writeFile(dir / "home" / "WTB.IDX", geometryIndexImage({"", "tower1.geo"}));
    const auto found = find("tower1");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->dataOffset, 1001u);
    EXPECT_EQ(found->recordName, "tower1.geo");
    EXPECT_TRUE(archive.isOpen());
}

TEST_F(FindGeometryTest, TellsWhyALookupFailed) {
    EXPECT_FALSE(find("tower1"));
    EXPECT_EQ(lastError, "Could Not open WTB.IDX");
    EXPECT_FALSE(archive.isOpen());

    writeFile(dir / "home" / "WTB.IDX", geometryIndexImage({"", "tower1.geo"}));
    EXPECT_FALSE(find("wall"));
    EXPECT_EQ(lastError, "Object not Found in GEO Table");
    EXPECT_FALSE(archive.isOpen());

    fs::remove(dir / "ZEV.PRJ");
    EXPECT_FALSE(find("tower1"));
    EXPECT_EQ(lastError, "Could Not open ZEV.PRJ");
}

TEST_F(FindGeometryTest, SeesARebuiltIndexFile) {
    const fs::path file = dir / "home" / "WTB.IDX";
    writeFile(file, geometryIndexImage({"", "tower1.geo"}));
    ASSERT_TRUE(find("tower1"));
    EXPECT_FALSE(find("wall"));
    // Same size, same modification time: replaced by a new file all the same.
    const auto stamp = fs::last_write_time(file);
    writeFile(dir / "new.idx", geometryIndexImage({"", "wall01.geo"}));
    fs::last_write_time(dir / "new.idx", stamp);
    fs::rename(dir / "new.idx", file);
    const auto found = find("wall01");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->recordName, "wall01.geo");
    // Rewritten in place with another size.
    writeFile(file, geometryIndexImage({"", "rock.geo", "tower1.geo"}));
    ASSERT_TRUE(find("tower1"));
    EXPECT_EQ(find("tower1")->dataOffset, 1002u);
    fs::remove(file);
    EXPECT_FALSE(find("tower1"));
    EXPECT_EQ(lastError, "Could Not open WTB.IDX");
}

TEST_F(FindGeometryTest, FindsGeometryIndexedFromTheArchive) {
    ProjectArchive builder;
    ASSERT_TRUE(builder.OpenArchive(dir / "ZEV.PRJ"));
    ASSERT_EQ(BuildPolyIndex(builder, dir / "ZEV.PRJ", dir / "home"), 5u);
    builder.CloseArchive();
    const auto found = find("abc12");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->recordName, "abc1.xyz");
    std::vector<std::uint8_t> data(9);
    EXPECT_EQ(archive.ReadAt(found->dataOffset, data.data(), 9, 9), 9u);
    EXPECT_EQ(data, bytesOf("abc1 data"));
}
