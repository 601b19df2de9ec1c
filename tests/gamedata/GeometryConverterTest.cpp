#include "gamedata/GeometryConverter.h"
#include "gamedata/GeometryWriter.h"

#include "common/LittleEndian.h"

#include <gtest/gtest.h>

namespace zev::gamedata {
namespace {

// Geometry bytes written by hand, so the test does not lean on the writer's idea of the layout.
class RawGeometry {
public:
    RawGeometry(int vertices, int faces) : bytes_(32, 0) {
        common::putI16(bytes_.data() + 24, std::int16_t(vertices));
        common::putI16(bytes_.data() + 26, std::int16_t(faces));
    }
    RawGeometry& vertex(int x, int y, int z, int u = 0, int v = 0) {
        const std::size_t at = grow(16);
        common::putI32(&bytes_[at], x);
        common::putI32(&bytes_[at + 4], y);
        common::putI32(&bytes_[at + 8], z);
        common::putI16(&bytes_[at + 12], std::int16_t(u));
        common::putI16(&bytes_[at + 14], std::int16_t(v));
        return *this;
    }
    // A face record with exactly the given slots (used and unused).
    RawGeometry& face(int corners, std::vector<int> slots) {
        const std::size_t at = grow(4 + 2 * slots.size());
        common::putI16(&bytes_[at], 0x7777); // not interpreted
        common::putI16(&bytes_[at + 2], std::int16_t(corners));
        for (std::size_t i = 0; i < slots.size(); ++i)
            common::putI16(&bytes_[at + 4 + 2 * i], std::int16_t(slots[i]));
        return *this;
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::size_t grow(std::size_t n) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + n, 0);
        return at;
    }
    std::vector<std::uint8_t> bytes_;
};

Mesh convert(const std::vector<std::uint8_t>& bytes, Vec3 scale = {1, 1, 1}, Vec3 translate = {}) {
    Mesh mesh;
    std::string error;
    EXPECT_TRUE(ConvertGeometry(bytes, scale, translate, mesh, error)) << error;
    return mesh;
}

std::vector<Vec3> positions(const Mesh& mesh) {
    std::vector<Vec3> out;
    for (const MeshVertex& v : mesh.groups.at(0).vertices)
        out.push_back(v.position);
    return out;
}

TEST(GeometryConverter, TruncatesCoordinatesTowardZeroInWholeHundreds) {
    RawGeometry g(3, 1);
    g.vertex(199, -199, 250, 150, -150).vertex(-50, 99, 100, 99, 200).vertex(0, 0, -100000);
    g.face(3, {0, 1, 2, 0});
    const Mesh mesh = convert(g.bytes());
    const auto& v = mesh.groups.at(0).vertices;
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].position, (Vec3{1, -1, 2}));
    EXPECT_FLOAT_EQ(v[0].u, 1);
    EXPECT_FLOAT_EQ(v[0].v, -1);
    // Corner order a, c, b: the third vertex comes second.
    EXPECT_EQ(v[1].position, (Vec3{0, 0, -1000}));
    EXPECT_EQ(v[2].position, (Vec3{0, 0, 1}));
    EXPECT_FLOAT_EQ(v[2].u, 0);
    EXPECT_FLOAT_EQ(v[2].v, 2);
    EXPECT_EQ(v[0].normal, (Vec3{0, 0, 0}));
}

TEST(GeometryConverter, ReversesCornersKeepingTheFirst) {
    RawGeometry g(5, 2);
    for (int i = 0; i < 5; ++i)
        g.vertex(100 * (i + 1), 0, 0);
    g.face(4, {0, 1, 2, 3});          // a b c d -> a d c b
    g.face(5, {0, 1, 2, 3, 4, 0, 0}); // a b c d e -> a e d c b
    const auto p = positions(convert(g.bytes()));
    std::vector<float> xs;
    for (const Vec3& v : p)
        xs.push_back(v.x);
    EXPECT_EQ(xs, (std::vector<float>{1, 4, 3, 2, 1, 5, 4, 3, 2}));
}

TEST(GeometryConverter, GivesEveryCornerItsOwnVertexAndListsFacesForAnEngine) {
    RawGeometry g(4, 2);
    g.vertex(0, 0, 0).vertex(100, 0, 0).vertex(100, 100, 0).vertex(0, 100, 0);
    g.face(3, {0, 1, 2, 0}).face(3, {0, 2, 3, 0});
    const Mesh mesh = convert(g.bytes());
    ASSERT_EQ(mesh.groups.size(), 1u);
    const MeshGroup& group = mesh.groups[0];
    EXPECT_EQ(group.vertices.size(), 6u);
    ASSERT_EQ(group.faces.size(), 2u);
    EXPECT_EQ(group.faces[1].firstVertex, 3u);
    EXPECT_EQ(group.faceData(), (std::vector<std::uint32_t>{3, 0, 1, 2, 3, 3, 4, 5}));
}

TEST(GeometryConverter, SkipsTheUnusedSlotsOfTrianglesAndPentagons) {
    // A triangle carries a fourth slot and a pentagon two more; both hold indices that would be
    // out of range if they were used. The face after each must still be read from its place.
    RawGeometry g(6, 4);
    for (int i = 0; i < 6; ++i)
        g.vertex(100 * i, 0, 0);
    g.face(3, {0, 1, 2, 30000});
    g.face(4, {2, 3, 4, 5});
    g.face(5, {1, 2, 3, 4, 5, -7, 9999});
    g.face(6, {0, 1, 2, 3, 4, 5, 4242});
    const Mesh mesh = convert(g.bytes());
    const MeshGroup& group = mesh.groups.at(0);
    ASSERT_EQ(group.faces.size(), 4u);
    EXPECT_EQ(group.vertices.size(), 3u + 4 + 5 + 6);
    EXPECT_FLOAT_EQ(group.vertices[3].position.x, 2);  // second face starts at its own slot 0
    EXPECT_FLOAT_EQ(group.vertices[7].position.x, 1);  // third face
    EXPECT_FLOAT_EQ(group.vertices[12].position.x, 0); // fourth face
}

TEST(GeometryConverter, TranslatesInHundredthsThenScales) {
    RawGeometry g(3, 1);
    g.vertex(100, 200, 300).vertex(0, 0, 0).vertex(0, 0, 0);
    g.face(3, {0, 1, 2, 0});
    const Mesh mesh = convert(g.bytes(), {2, 3, -1}, {100, -200, 50});
    EXPECT_EQ(mesh.groups[0].vertices[0].position,
              (Vec3{(1 + 1) * 2.f, (2 - 2) * 3.f, (3 + 0.5f) * -1.f}));
}

TEST(GeometryConverter, ConvertsAnEmptyGeometryToAnEmptyGroup) {
    const Mesh mesh = convert(RawGeometry(0, 0).bytes());
    ASSERT_EQ(mesh.groups.size(), 1u);
    EXPECT_EQ(mesh.faceCount(), 0u);
    EXPECT_TRUE(mesh.boundingBox().empty);
}

TEST(GeometryConverter, RefusesGeometryThatDoesNotHoldTogether) {
    std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases;
    const auto base = [] {
        RawGeometry g(3, 1);
        g.vertex(0, 0, 0).vertex(100, 0, 0).vertex(0, 100, 0);
        return g;
    };
    cases.push_back({"index at the vertex count", base().face(3, {0, 1, 3, 0}).bytes()});
    cases.push_back({"negative index", base().face(3, {0, -1, 2, 0}).bytes()});
    cases.push_back({"two corners", base().face(2, {0, 1, 2, 0}).bytes()});
    cases.push_back({"eight corners", base().face(8, {0, 1, 2, 0, 1, 2, 0, 1}).bytes()});
    cases.push_back({"negative corner count", base().face(-3, {0, 1, 2, 0}).bytes()});
    auto truncatedFace = base().face(5, {0, 1, 2, 0, 1, 2, 0}).bytes();
    truncatedFace.resize(truncatedFace.size() - 1);
    cases.push_back({"face cut short", truncatedFace});
    auto missingFace = base().bytes();
    cases.push_back({"face missing", missingFace});
    auto shortVertices = RawGeometry(3, 0).vertex(0, 0, 0).bytes();
    cases.push_back({"vertex table cut short", shortVertices});
    cases.push_back({"negative vertex count", RawGeometry(-1, 0).bytes()});
    cases.push_back({"negative face count", RawGeometry(0, -1).bytes()});
    cases.push_back({"header cut short", std::vector<std::uint8_t>(31, 0)});
    cases.push_back({"nothing", {}});

    for (const auto& [what, bytes] : cases) {
        Mesh mesh;
        mesh.groups.resize(2); // left over from an earlier use
        std::string error;
        EXPECT_FALSE(ConvertGeometry(bytes, {1, 1, 1}, {}, mesh, error)) << what;
        EXPECT_EQ(error, "Error Reading GEO Table") << what;
        EXPECT_TRUE(mesh.groups.empty()) << what;
    }
}

TEST(GeometryConverter, BoundsTheBytesAGeometryMayNeedFromItsHeader) {
    EXPECT_EQ(geometrySizeBound(RawGeometry(10, 4).bytes()), 32u + 160 + 4 * 18);
    EXPECT_EQ(geometrySizeBound(RawGeometry(-1, 4).bytes()), 0u);
    EXPECT_EQ(geometrySizeBound(std::vector<std::uint8_t>(20, 0)), 0u);
}

TEST(GeometryConverter, ReadsWhatTheWriterWrites) {
    GameGeometry g;
    g.vertices = {{0, 0, 0, 0, 0},
                  {300, 0, 0, 100, 0},
                  {300, 400, 0, 100, 100},
                  {0, 400, 0, 0, 100},
                  {150, 600, 0, 50, 200}};
    g.faces = {{0, 1, 2}, {0, 1, 2, 3}, {0, 1, 2, 4, 3}, {0, 1, 2, 4, 3, 0}, {0, 1, 2, 4, 3, 0, 1}};
    const auto bytes = encodeGeometry(g);
    EXPECT_EQ(bytes.size(), 32u + 5 * 16 + 2 * 12 + 3 * 18);
    const Mesh mesh = convert(bytes);
    EXPECT_EQ(mesh.faceCount(), 5u);
    EXPECT_EQ(mesh.vertexCount(), 3u + 4 + 5 + 6 + 7);
    EXPECT_TRUE(encodeGeometry({{{0, 0, 0}}, {{0, 0}}}).empty()); // a two-corner face
}

TEST(AutoZoomHeight, IsTwiceTheLargestExtent) {
    BoundingBox box;
    box.include({-1, 0, 2});
    box.include({2, 10, 6}); // 3 x 10 x 4
    EXPECT_FLOAT_EQ(AutoZoomHeight(box), 20);
    BoundingBox wide;
    wide.include({0, 0, 0});
    wide.include({7, 1, 2});
    EXPECT_FLOAT_EQ(AutoZoomHeight(wide), 14);
    EXPECT_FLOAT_EQ(AutoZoomHeight(BoundingBox{}), 0);
}

} // namespace
} // namespace zev::gamedata
