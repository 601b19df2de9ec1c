#include "EngineTestSupport.h"

#include "engine/Mesh.h"
#include "engine/MeshBuilder.h"
#include "engine/RenderQuality.h"

#include <vector>

using namespace zev::engine;
using enginetest::At;
using enginetest::ExpectNear;

TEST(Mesh, AddsGroupsOfFacesWithVariableCornerCounts) {
    Mesh mesh;
    // A triangle and a pentagon, as the converter hands them over: count, then corners.
    const std::vector<std::uint32_t> data = {3, 0, 2, 1, 5, 3, 7, 6, 5, 4};
    const int group = mesh.AddGroup(8, 2, Mesh::kVariableCorners, data);
    ASSERT_EQ(group, 0);
    const MeshGroup& g = *mesh.GetGroup(group);
    ASSERT_EQ(g.faces.size(), 2u);
    EXPECT_EQ(g.vertices.size(), 8u);
    EXPECT_EQ(
        std::vector<std::uint32_t>(g.Corners(g.faces[1]).begin(), g.Corners(g.faces[1]).end()),
        (std::vector<std::uint32_t>{3, 7, 6, 5, 4}));

    const std::vector<std::uint32_t> quads = {0, 1, 2, 3, 3, 2, 1, 0};
    EXPECT_EQ(mesh.AddGroup(4, 2, 4, quads), 1);
    EXPECT_EQ(mesh.GetFaceCount(), 4u);
    EXPECT_EQ(mesh.GetGroup(2), nullptr);
    EXPECT_EQ(mesh.GetGroup(-1), nullptr);
}

TEST(Mesh, RefusesFaceDataThatDoesNotFitAndAddsNothing) {
    Mesh mesh;
    const std::uint64_t revision = mesh.Revision();
    const std::vector<std::uint32_t> shortData = {4, 0, 1, 2};
    EXPECT_EQ(mesh.AddGroup(4, 1, Mesh::kVariableCorners, shortData), -1);
    const std::vector<std::uint32_t> missingFace = {3, 0, 1, 2};
    EXPECT_EQ(mesh.AddGroup(4, 2, Mesh::kVariableCorners, missingFace), -1);
    const std::vector<std::uint32_t> twoCorners = {2, 0, 1};
    EXPECT_EQ(mesh.AddGroup(4, 1, Mesh::kVariableCorners, twoCorners), -1);
    const std::vector<std::uint32_t> beyond = {3, 0, 1, 4};
    EXPECT_EQ(mesh.AddGroup(4, 1, Mesh::kVariableCorners, beyond), -1);
    const std::vector<std::uint32_t> huge = {0xFFFFFFFFu, 0, 1, 2};
    EXPECT_EQ(mesh.AddGroup(4, 1, Mesh::kVariableCorners, huge), -1);
    EXPECT_EQ(mesh.AddGroup(4, 1, 2, twoCorners), -1);
    EXPECT_EQ(mesh.AddGroup(Mesh::kMaxGroupVertices + 1, 0, 3, {}), -1);
    EXPECT_EQ(mesh.GetGroupCount(), 0u);
    EXPECT_EQ(mesh.Revision(), revision);
}

TEST(Mesh, SetsVerticesWithinTheGroupOnly) {
    Mesh mesh;
    const std::vector<std::uint32_t> data = {0, 1, 2};
    const int group = mesh.AddGroup(3, 1, 3, data);
    const std::vector<MeshVertex> two = {At(1, 2, 3), At(4, 5, 6)};
    EXPECT_TRUE(mesh.SetVertices(group, 1, two));
    EXPECT_EQ(mesh.GetGroup(group)->vertices[2].position, (Vector3f{4, 5, 6}));
    EXPECT_FALSE(mesh.SetVertices(group, 2, two)); // would run past the end
    EXPECT_FALSE(mesh.SetVertices(group, 4, {}));
    EXPECT_FALSE(mesh.SetVertices(1, 0, two));
    EXPECT_EQ(mesh.GetGroup(group)->vertices[0].position, (Vector3f{0, 0, 0}));
}

TEST(Mesh, TranslatesThenScalesAndReportsItsBox) {
    auto mesh = enginetest::BoxMesh(-1, 0, -2, 1, 3, 2);
    Box box = mesh->GetBox();
    ASSERT_FALSE(box.empty);
    ExpectNear(box.min, {-1, 0, -2});
    ExpectNear(box.max, {1, 3, 2});

    const std::uint64_t revision = mesh->Revision();
    mesh->Translate(1, 0, 0);
    mesh->Scale(2, 1, 0.5);
    EXPECT_NE(mesh->Revision(), revision);
    box = mesh->GetBox(); // the box follows the change
    ExpectNear(box.min, {0, 0, -1});
    ExpectNear(box.max, {4, 3, 1});
    EXPECT_TRUE(Mesh().GetBox().empty);
}

TEST(Mesh, VisualsOfTheSameGeometryCompareEqualAndHashAlike) {
    auto a = enginetest::BoxMesh(-1, 0, -2, 1, 3, 2);
    auto b = enginetest::BoxMesh(-1, 0, -2, 1, 3, 2);
    EXPECT_TRUE(SameGeometry(*a, *b));
    EXPECT_EQ(GeometryHash(*a), GeometryHash(*b));
    MeshBuilder withNormals;
    withNormals.AddMesh(*a);
    withNormals.GenerateNormals(); // the normals are part of the geometry
    EXPECT_FALSE(SameGeometry(*a, withNormals));
    b->Translate(0, 0.001, 0);
    EXPECT_FALSE(SameGeometry(*a, *b));
    EXPECT_NE(GeometryHash(*a), GeometryHash(*b));
    EXPECT_FALSE(SameGeometry(*a, Mesh()));
    EXPECT_TRUE(SameGeometry(Mesh(), Mesh()));
}

TEST(MeshBuilder, CopiesMeshesAndGeneratesFlatNormalsForUnsharedCorners) {
    auto box = enginetest::BoxMesh(0, 0, 0, 1, 1, 1);
    MeshBuilder builder;
    builder.AddMesh(*box);
    box->Translate(10, 0, 0); // a later change of the source does not reach the copy
    ExpectNear(builder.GetBox().max, {1, 1, 1});

    builder.GenerateNormals();
    const MeshGroup& g = builder.Groups()[0];
    // Faces run clockwise seen from outside, so every normal points out of the box.
    const Vector3f expected[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0},
                                  {1, 0, 0},  {0, 1, 0}, {0, -1, 0}};
    for (std::size_t f = 0; f < 6; ++f)
        for (std::uint32_t index : g.Corners(g.faces[f]))
            EXPECT_EQ(g.vertices[index].normal, expected[f]) << "face " << f;

    builder.AddMesh(builder); // adding itself doubles the groups
    EXPECT_EQ(builder.GetGroupCount(), 2u);
}

TEST(MeshBuilder, AveragesNormalsOfSharedCornersAndKeepsItsOwnQuality) {
    // Two faces of a roof share their ridge vertices.
    Mesh roof;
    const std::vector<std::uint32_t> data = {4, 0, 3, 2, 1, 4, 1, 2, 4, 5};
    const int group = roof.AddGroup(6, 2, Mesh::kVariableCorners, data);
    const std::vector<MeshVertex> v = {At(-1, 0, 0), At(0, 1, 0), At(0, 1, 1),
                                       At(-1, 0, 1), At(1, 0, 1), At(1, 0, 0)};
    roof.SetVertices(group, 0, v);
    MeshBuilder builder;
    builder.AddMesh(roof);
    builder.GenerateNormals();
    const auto& vertices = builder.Groups()[0].vertices;
    EXPECT_NEAR(vertices[0].normal.x, -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(vertices[0].normal.y, std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(vertices[1].normal.x, 0, 1e-6); // on the ridge: straight up
    EXPECT_NEAR(vertices[1].normal.y, 1, 1e-6);

    EXPECT_FALSE(builder.GetQuality().has_value());
    builder.SetQuality(RenderQuality(0x0A));
    EXPECT_EQ(builder.GetQuality()->Value(), 0x0Au);
}

TEST(RenderQuality, CombinesFillLightAndShadeBits) {
    const RenderQuality initial;
    EXPECT_EQ(initial.Value(), 0x89u);
    EXPECT_EQ(initial.Fill(), FillMode::Solid);
    EXPECT_EQ(initial.Shade(), ShadeMode::Gouraud);
    EXPECT_TRUE(initial.LightOn());

    const RenderQuality pointPhong = initial.WithFill(FillMode::Points).WithShade(ShadeMode::Phong);
    EXPECT_EQ(pointPhong.Value(), 0x0Au);
    EXPECT_EQ(initial.WithFill(FillMode::Wireframe).Value(), 0x49u);
    EXPECT_EQ(initial.WithShade(ShadeMode::Flat).Value(), 0x88u);
    EXPECT_EQ(initial.WithLight(false).Value(), 0x81u);
    // Bits outside the three fields are kept; unknown field values read as the nearest mode.
    EXPECT_EQ(RenderQuality(0x1FF).WithShade(ShadeMode::Flat).Value(), 0x1F8u);
    EXPECT_EQ(RenderQuality(0x1C7).Fill(), FillMode::Solid);
    EXPECT_EQ(RenderQuality(0x1C7).Shade(), ShadeMode::Phong);
}
