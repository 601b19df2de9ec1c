#include "gamedata/ReadyMadeGroup.h"
#include "gamedata/GeometryLoader.h"
#include "gamedata/GeometryWriter.h"

#include "common/LittleEndian.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace zev::gamedata {
namespace {

std::vector<std::uint8_t> header(const char* magic = "BWD") {
    std::vector<std::uint8_t> h(52, 0xAB); // the rest of the header is not interpreted
    std::memcpy(h.data(), magic, 4);
    return h;
}

void append(std::vector<std::uint8_t>& file, const std::vector<std::uint8_t>& more) {
    file.insert(file.end(), more.begin(), more.end());
}

// An "OBJ" chunk written field by field at the documented offsets.
std::vector<std::uint8_t> memberChunk(std::int32_t entry, std::int16_t px = 0, std::int16_t py = 0,
                                      std::int16_t pz = 0, std::int16_t scale = 1) {
    std::vector<std::uint8_t> c(60, 0x5A);
    std::memcpy(c.data(), "OBJ", 4);
    common::putI32(&c[4], 60);
    std::uint8_t* r = &c[8];
    common::putI16(r + 6, scale);
    common::putI16(r + 10, std::int16_t(scale * 2));
    common::putI16(r + 14, std::int16_t(scale * 3));
    common::putI32(r + 20, 10);
    common::putI32(r + 24, -20);
    common::putI16(r + 28, 30);
    common::putI16(r + 30, px);
    common::putI16(r + 34, py);
    common::putI16(r + 38, pz);
    common::putI32(r + 48, entry);
    return c;
}

std::vector<std::uint8_t> otherChunk(const char* tag, std::int32_t size, std::size_t bodyBytes) {
    std::vector<std::uint8_t> c(8 + bodyBytes, 0x33);
    // A tag shorter than three letters keeps its terminator in the tag bytes.
    std::fill_n(c.begin(), 4, 0);
    std::memcpy(c.data(), tag, std::min<std::size_t>(4, std::strlen(tag) + 1));
    common::putI32(&c[4], size);
    return c;
}

TEST(ReadyMadeGroupFile, ReadsMemberFieldsAtTheirOffsets) {
    auto file = header();
    append(file, memberChunk(1234, -300, 50, 7000, 2));
    std::vector<ReadyMadeMemberRecord> members;
    std::string error;
    ASSERT_TRUE(parseReadyMadeGroup(file, members, error));
    ASSERT_EQ(members.size(), 1u);
    const ReadyMadeMemberRecord& m = members[0];
    EXPECT_EQ(m.entryNumber, 1234);
    EXPECT_EQ(m.scale, (std::array<std::int16_t, 3>{2, 4, 6}));
    EXPECT_EQ(m.rotation, (std::array<std::int32_t, 3>{10, -20, 30}));
    EXPECT_EQ(m.position, (std::array<std::int16_t, 3>{-300, 50, 7000}));
    // The writer produces the same bytes for the record fields it knows.
    const auto written = encodeReadyMadeGroup(members);
    std::vector<ReadyMadeMemberRecord> again;
    ASSERT_TRUE(parseReadyMadeGroup(written, again, error));
    EXPECT_EQ(again, members);
}

TEST(ReadyMadeGroupFile, SkipsUnknownChunksByTheirSize) {
    auto file = header();
    append(file, otherChunk("INF", 20, 12));
    append(file, memberChunk(1));
    append(file, otherChunk("OBJX", 8, 0)); // a chunk of header only
    append(file, otherChunk("OB", 30, 22));
    append(file, memberChunk(2));
    std::vector<ReadyMadeMemberRecord> members;
    std::string error;
    ASSERT_TRUE(parseReadyMadeGroup(file, members, error));
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].entryNumber, 1);
    EXPECT_EQ(members[1].entryNumber, 2);
}

TEST(ReadyMadeGroupFile, EndsTheWalkAtDamagedOrShortChunks) {
    std::string error;
    std::vector<ReadyMadeMemberRecord> members;
    for (std::int32_t badSize : {0, 7, -8, -100000}) {
        // A size below the chunk header would walk backwards forever.
        auto file = header();
        append(file, memberChunk(1));
        append(file, otherChunk("BAD", badSize, 0));
        append(file, memberChunk(2));
        ASSERT_TRUE(parseReadyMadeGroup(file, members, error));
        EXPECT_EQ(members.size(), 1u) << badSize;
    }
    auto pastEnd = header();
    append(pastEnd, otherChunk("BIG", 1000, 4));
    append(pastEnd, memberChunk(3));
    ASSERT_TRUE(parseReadyMadeGroup(pastEnd, members, error));
    EXPECT_TRUE(members.empty());

    auto shortMember = header();
    append(shortMember, memberChunk(4));
    shortMember.resize(shortMember.size() - 1);
    ASSERT_TRUE(parseReadyMadeGroup(shortMember, members, error));
    EXPECT_TRUE(members.empty());

    auto shortChunkHeader = header();
    append(shortChunkHeader, memberChunk(5));
    shortChunkHeader.insert(shortChunkHeader.end(), {'O', 'B', 'J', 0, 60});
    ASSERT_TRUE(parseReadyMadeGroup(shortChunkHeader, members, error));
    EXPECT_EQ(members.size(), 1u);
}

TEST(ReadyMadeGroupFile, RefusesFilesThatAreNotGroups) {
    std::vector<ReadyMadeMemberRecord> members;
    for (const auto& file : {header("BWE"), header("bwd"), std::vector<std::uint8_t>(51, 0),
                             std::vector<std::uint8_t>{}}) {
        auto bytes = file;
        if (bytes.size() >= 52)
            append(bytes, memberChunk(1));
        std::string error;
        EXPECT_FALSE(parseReadyMadeGroup(bytes, members, error));
        EXPECT_EQ(error, "Is Not a Ready Made Group (BWD file)!");
    }
    auto magicWithoutNul = header();
    magicWithoutNul[3] = 'X';
    std::string error;
    EXPECT_FALSE(parseReadyMadeGroup(magicWithoutNul, members, error));
}

// Geometry by entry number, held in memory.
class FakeSource : public GroupGeometrySource {
public:
    std::map<std::int32_t, std::uint32_t> index;
    std::map<std::uint32_t, std::vector<std::uint8_t>> data;
    bool indexReadable = true;
    bool archiveReadable = true;
    int archiveReads = 0;

    Lookup findEntry(std::int32_t entry, std::uint32_t& offset) override {
        if (!indexReadable)
            return Lookup::IndexUnavailable;
        const auto it = index.find(entry);
        if (it == index.end())
            return Lookup::Missing;
        offset = it->second;
        return Lookup::Found;
    }
    bool geometryAt(std::uint32_t offset, std::vector<std::uint8_t>& bytes) override {
        ++archiveReads;
        if (!archiveReadable)
            return false;
        bytes = data[offset];
        return true;
    }
};

std::vector<std::uint8_t> triangleGeometry(int size) {
    GameGeometry g;
    g.vertices = {{0, 0, 0}, {size, 0, 0}, {0, size, 0}};
    g.faces = {{0, 1, 2}};
    return encodeGeometry(g);
}

FakeSource sourceWithEntries() {
    FakeSource s;
    s.index = {{5, 1000}, {6, 2000}, {8697, 3000}};
    s.data = {{1000, triangleGeometry(100)},
              {2000, triangleGeometry(500)},
              {3000, triangleGeometry(900)}};
    return s;
}

TEST(ReadyMadeGroup, SkipsEntry8697AndEntriesMissingFromTheIndex) {
    auto file = header();
    append(file, memberChunk(5, 250, 0, -100));
    append(file, memberChunk(8697));
    append(file, memberChunk(77));
    append(file, memberChunk(6));
    FakeSource source = sourceWithEntries();
    ReadyMadeGroup group;
    std::string error;
    ASSERT_TRUE(buildReadyMadeGroup(file, source, group, error));
    EXPECT_EQ(error, "");
    ASSERT_EQ(group.members.size(), 2u);
    EXPECT_EQ(group.members[0].record.entryNumber, 5);
    EXPECT_EQ(group.members[1].record.entryNumber, 6);
    EXPECT_EQ(source.archiveReads, 2);
}

TEST(ReadyMadeGroup, PlacesMembersInWorkspaceUnitsAndScalesTheirMeshes) {
    auto file = header();
    append(file, memberChunk(6, 250, -50, 1000, 2));
    FakeSource source = sourceWithEntries();
    ReadyMadeGroup group;
    std::string error;
    ASSERT_TRUE(buildReadyMadeGroup(file, source, group, error));
    const ReadyMadeMember& m = group.members.at(0);
    EXPECT_EQ(m.placement.position, (Vec3{2.5f, -0.5f, 10.f}));
    EXPECT_EQ(m.placement.rotationDegrees, (std::array<int, 3>{10, -20, 30}));
    // Scale 2, 4, 6 on a 5 x 5 triangle.
    const BoundingBox box = m.mesh.boundingBox();
    EXPECT_FLOAT_EQ(box.max.x, 10);
    EXPECT_FLOAT_EQ(box.max.y, 20);
}

TEST(ReadyMadeGroup, StopsMemberLoadingButSucceedsWhenTheIndexCannotBeRead) {
    auto file = header();
    append(file, memberChunk(5));
    FakeSource source = sourceWithEntries();
    source.indexReadable = false;
    ReadyMadeGroup group;
    std::string error;
    EXPECT_TRUE(buildReadyMadeGroup(file, source, group, error));
    EXPECT_EQ(error, "Could Not open WTB.IDX");
    EXPECT_TRUE(group.members.empty());
}

TEST(ReadyMadeGroup, FailsOnAnUnreadableArchiveOrGeometryKeepingEarlierMembers) {
    auto file = header();
    append(file, memberChunk(5));
    append(file, memberChunk(6));
    FakeSource noArchive = sourceWithEntries();
    noArchive.archiveReadable = false;
    ReadyMadeGroup group;
    std::string error;
    EXPECT_FALSE(buildReadyMadeGroup(file, noArchive, group, error));
    EXPECT_EQ(error, "Could Not open ZEV.PRJ");

    FakeSource badGeometry = sourceWithEntries();
    badGeometry.data[2000].resize(40); // cut inside the vertex table
    EXPECT_FALSE(buildReadyMadeGroup(file, badGeometry, group, error));
    EXPECT_EQ(error, "Error Reading GEO Table");
    ASSERT_EQ(group.members.size(), 1u);
    EXPECT_EQ(group.members[0].record.entryNumber, 5);
}

TEST(ReadyMadeGroupFiles, LieInRmgBesideTheArchive) {
    EXPECT_EQ(readyMadeGroupBase("/games/zev/ZEV.PRJ"), "/games/zev");
    EXPECT_EQ(readyMadeGroupBase("/games/zev"), "/games/zev");
    // A dot in a directory name does not make the directory a file.
    EXPECT_EQ(readyMadeGroupBase("/games/zev.v2/game"), "/games/zev.v2/game");

    TempDir dir;
    std::filesystem::create_directories(dir / "zev.v2");
    EXPECT_EQ(readyMadeGroupBase(dir / "zev.v2"), dir / "zev.v2");
    std::filesystem::create_directories(dir / "RMG");
    {
        std::FILE* f = std::fopen((dir / "RMG" / "OUTPOST.BWD").c_str(), "wb");
        std::fclose(f);
    }
    EXPECT_EQ(readyMadeGroupPath(dir.path() / "zev.prj", "outpost"),
              dir.path() / "RMG" / "OUTPOST.BWD");
    EXPECT_FALSE(readyMadeGroupPath(dir.path(), "../outpost"));
    EXPECT_FALSE(readyMadeGroupPath(dir.path(), "a/b"));

    ReadyMadeGroup group;
    std::string error;
    EXPECT_FALSE(loadReadyMadeGroup(dir.path(), dir.path(), "missing", group, error));
    EXPECT_EQ(error, "Could not Open BWD File!");
    EXPECT_FALSE(loadReadyMadeGroup(dir.path(), dir.path(), "outpost", group, error));
    EXPECT_EQ(error, "Is Not a Ready Made Group (BWD file)!");
}

} // namespace
} // namespace zev::gamedata
