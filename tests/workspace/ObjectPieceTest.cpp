#include "WorkspaceTestSupport.h"

#include "gamedata/GeometryLoader.h"
#include "gamedata/Placement.h"
#include "workspace/MarkerMeshes.h"
#include "workspace/ObjectPiece.h"

#include <filesystem>

using namespace zev;
using namespace zev::workspace;
using workspacetest::DemoSetup;
using workspacetest::ExpectNear;

namespace {

engine::Vector3 FaceNormal(const engine::MeshGroup& group, const engine::MeshFace& face) {
    const auto corners = group.Corners(face);
    const engine::Vector3 a = engine::ToDouble(group.vertices[corners[0]].position);
    engine::Vector3 n;
    for (std::size_t i = 1; i + 1 < corners.size(); ++i)
        n = n +
            engine::Vector3::Cross(engine::ToDouble(group.vertices[corners[i]].position) - a,
                                   engine::ToDouble(group.vertices[corners[i + 1]].position) - a);
    return n;
}

engine::Vector3 FaceCentre(const engine::MeshGroup& group, const engine::MeshFace& face) {
    engine::Vector3 c;
    for (auto index : group.Corners(face))
        c = c + engine::ToDouble(group.vertices[index].position);
    return c * (1.0 / face.cornerCount);
}

class ObjectPieceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(demo.ok); }

    DemoSetup demo;
    TObjectPiece piece{demo.paths.archive, demo.paths.programDirectory};
    std::shared_ptr<engine::Frame> scene = engine::Frame::Create();
};

} // namespace

TEST(MarkerModels, HaveTheExtentsOfTheFigureAndTheBeacon) {
    const engine::Box figure = StartPointMarkerModel()->GetBox();
    ExpectNear(figure.min, {-1.075, 0, -0.65});
    ExpectNear(figure.max, {1.075, 3.725, 0.60});
    const engine::Box beacon = NavPointMarkerModel()->GetBox();
    ExpectNear(beacon.min, {-2, -2, -2});
    ExpectNear(beacon.max, {2, 2, 2});
}

TEST(MarkerModels, FaceOutwardWithTheirNormals) {
    // The figure is made of boxes, six faces each: every face looks away from its box's centre.
    const auto figure = StartPointMarkerModel();
    ASSERT_EQ(figure->GetGroupCount(), 1u);
    const engine::MeshGroup& parts = figure->Groups()[0];
    ASSERT_EQ(parts.faces.size() % 6, 0u);
    for (std::size_t box = 0; box < parts.faces.size(); box += 6) {
        engine::Vector3 centre;
        for (std::size_t f = box; f < box + 6; ++f)
            centre = centre + FaceCentre(parts, parts.faces[f]) * (1.0 / 6);
        for (std::size_t f = box; f < box + 6; ++f) {
            const auto& face = parts.faces[f];
            EXPECT_GT(
                engine::Vector3::Dot(FaceNormal(parts, face), FaceCentre(parts, face) - centre), 0)
                << "face " << f;
            // Generated normals agree with the winding.
            const auto n = engine::ToDouble(parts.vertices[parts.Corners(face)[0]].normal);
            EXPECT_GT(engine::Vector3::Dot(n, FaceNormal(parts, face)), 0) << "face " << f;
        }
    }
    // The beacon is convex around its origin.
    const auto beacon = NavPointMarkerModel();
    const engine::MeshGroup& shell = beacon->Groups()[0];
    for (const auto& face : shell.faces)
        EXPECT_GT(engine::Vector3::Dot(FaceNormal(shell, face), FaceCentre(shell, face)), 0);
}

TEST(MarkerModels, GroundQuadIsTheSpecifiedFacingUpQuad) {
    const auto ground = GroundQuad();
    ASSERT_EQ(ground->GetGroupCount(), 1u);
    const engine::MeshGroup& g = ground->Groups()[0];
    ASSERT_EQ(g.vertices.size(), 4u);
    ASSERT_EQ(g.faces.size(), 1u);
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const float xz[4][2] = {{-50000, -50000}, {-50000, 50000}, {50000, 50000}, {50000, -50000}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(g.indices[i], i);
        EXPECT_EQ(g.vertices[i].position, (engine::Vector3f{xz[i][0], 0, xz[i][1]}));
        EXPECT_EQ(g.vertices[i].normal, (engine::Vector3f{0, 1, 0}));
        EXPECT_EQ(g.vertices[i].u, uv[i][0]);
        EXPECT_EQ(g.vertices[i].v, uv[i][1]);
    }
    EXPECT_GT(FaceNormal(g, g.faces[0]).y, 0); // its corners run clockwise seen from above
}

TEST_F(ObjectPieceTest, LoadsAnObjectPlacedTurnedXThenYThenZAndColoured) {
    const Degrees3 rotation{30, 45, 60};
    ASSERT_TRUE(piece.LoadObjectFrame(*scene, "bunker", 17, "", {5, 1, -3}, {2, 1, 1}, rotation,
                                      {0, 255, 64}, nullptr))
        << piece.LastError();
    ASSERT_EQ(scene->GetChildren().size(), 1u);
    const engine::Frame& frame = *scene->GetChildren()[0];
    EXPECT_EQ(frame.GetAppData(), 17);
    EXPECT_EQ(frame.GetName(), "");
    EXPECT_EQ(frame.GetMaterialMode(), engine::MaterialMode::Frame);
    EXPECT_EQ(frame.GetColor(), engine::ColorFromBytes(0, 255, 64));
    ExpectNear(frame.GetPosition(scene.get()), {5, 1, -3});

    // The mesh is the geometry converted with the object's scale, normals generated.
    gamedata::Mesh expected;
    std::string error;
    ASSERT_TRUE(gamedata::loadObjectMesh(demo.paths.archive, demo.paths.programDirectory, "bunker",
                                         {2, 1, 1}, expected, error));
    ASSERT_EQ(frame.GetVisuals().size(), 1u);
    const engine::Visual& visual = *frame.GetVisuals()[0];
    EXPECT_EQ(visual.GetVertexCount(), expected.vertexCount());
    EXPECT_EQ(visual.GetFaceCount(), expected.faceCount());
    EXPECT_NE(visual.Groups()[0].vertices[0].normal, (engine::Vector3f{0, 0, 0}));

    // Every vertex lands where the game's placement rule (turn about X, then Y, then Z of the
    // parent, then move) puts it.
    const gamedata::Placement placement{{5, 1, -3}, {1, 1, 1}, {30, 45, 60}};
    const engine::Matrix4 world = frame.GetWorldTransform();
    for (const auto& v : expected.groups[0].vertices) {
        const gamedata::Vec3 p = placement.apply(v.position);
        ExpectNear(world.TransformPoint({v.position.x, v.position.y, v.position.z}),
                   {p.x, p.y, p.z}, 1e-3);
    }
}

TEST_F(ObjectPieceTest, AutoZoomMovesTheCameraOverTheObjectOnlyWhenOn) {
    auto camera = engine::Frame::Create(scene.get());
    camera->SetPosition(scene.get(), 1, 80, 2);
    camera->AddRotation(engine::Combine::Before, {1, 0, 0}, 1.5705);
    const auto before = camera->GetOrientation(scene.get());

    piece.SetAutoZoom(false);
    ASSERT_TRUE(piece.LoadObjectFrame(*scene, "bunker", 0, "", {10, 0, 20}, {1, 1, 1}, {0, 0, 0},
                                      {0, 255, 64}, camera.get()));
    ExpectNear(camera->GetPosition(scene.get()), {1, 80, 2});

    piece.SetAutoZoom(true);
    ASSERT_TRUE(piece.LoadObjectFrame(*scene, "bunker", 1, "", {10, 0, 20}, {1, 1, 1}, {0, 0, 0},
                                      {0, 255, 64}, camera.get()));
    const engine::Visual& bunker = *scene->GetChildren().back()->GetVisuals()[0];
    const engine::Box box = bunker.GetBox();
    const double largest =
        std::max({box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z});
    ExpectNear(camera->GetPosition(scene.get()), {10, 2 * largest, 20});
    EXPECT_DOUBLE_EQ(AutoZoomHeight(bunker), 2 * largest);
    ExpectNear(camera->GetOrientation(scene.get()).direction, before.direction);
}

TEST_F(ObjectPieceTest, AnUnknownObjectLeavesNoFrameAndTellsWhy) {
    EXPECT_FALSE(piece.LoadObjectFrame(*scene, "nosuchthing", 3, "", {}, {1, 1, 1}, {0, 0, 0},
                                       {0, 0, 0}, nullptr));
    EXPECT_EQ(piece.LastError(), "Object not Found in GEO Table");
    EXPECT_TRUE(scene->GetChildren().empty());

    TObjectPiece lost(demo.dir.path() / "nowhere" / "ZEV.PRJ", demo.paths.programDirectory);
    EXPECT_FALSE(lost.LoadObjectFrame(*scene, "bunker", 3, "", {}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0},
                                      nullptr));
    EXPECT_EQ(lost.LastError(), "Could Not open ZEV.PRJ");
    EXPECT_TRUE(scene->GetChildren().empty());
}

TEST_F(ObjectPieceTest, LoadsAReadyMadeGroupWithTaggedMembersScaledBeforeTheTurn) {
    ASSERT_TRUE(piece.LoadReadyMadeGroup(*scene, "outpost", 42, "", {100, 0, 200}, {2, 1, 1},
                                         {0, 90, 0}, {198, 122, 255}))
        << piece.LastError();
    ASSERT_EQ(scene->GetChildren().size(), 1u);
    const engine::Frame& group = *scene->GetChildren()[0];
    EXPECT_EQ(group.GetAppData(), 42);
    EXPECT_TRUE(group.GetVisuals().empty());

    gamedata::ReadyMadeGroup expected;
    std::string error;
    ASSERT_TRUE(gamedata::loadReadyMadeGroup(demo.paths.archive, demo.paths.programDirectory,
                                             "outpost", expected, error));
    ASSERT_EQ(group.GetChildren().size(), expected.members.size());
    const gamedata::Placement groupPlacement{{100, 0, 200}, {2, 1, 1}, {0, 90, 0}};
    for (std::size_t i = 0; i < expected.members.size(); ++i) {
        const engine::Frame& member = *group.GetChildren()[i];
        const auto& placement = expected.members[i].placement;
        EXPECT_EQ(member.GetAppData(), 3000);
        EXPECT_EQ(member.GetName(), "RMG FRAME");
        EXPECT_EQ(member.GetColor(), engine::ColorFromBytes(198, 122, 255));
        ExpectNear(member.GetPosition(&group),
                   {placement.position.x, placement.position.y, placement.position.z}, 1e-5);
        // The group's scale works in the group's own axes, before its turn and move.
        const gamedata::Vec3 world = groupPlacement.apply(placement.position);
        ExpectNear(member.GetPosition(scene.get()), {world.x, world.y, world.z}, 1e-3);
    }
}

TEST_F(ObjectPieceTest, AGroupThatCannotBeFinishedLeavesNoFrameBehind) {
    EXPECT_FALSE(
        piece.LoadReadyMadeGroup(*scene, "nogroup", 1, "", {}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}));
    EXPECT_EQ(piece.LastError(), "Could not Open BWD File!");

    // The group file is there but the archive is gone: the members cannot be read.
    std::filesystem::remove(demo.paths.archive);
    EXPECT_FALSE(
        piece.LoadReadyMadeGroup(*scene, "outpost", 1, "", {}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}));
    EXPECT_EQ(piece.LastError(), "Could Not open ZEV.PRJ");
    EXPECT_TRUE(scene->GetChildren().empty()); // no untagged frame posing as slot 0
}

TEST_F(ObjectPieceTest, MarkersAreTaggedPlacedAndShareTheirModels) {
    ASSERT_TRUE(piece.CreateStartPointMarker(*scene, 501, "Player 2 Start Point", {81, 0, 826}, 90,
                                             {0, 0, 255}));
    ASSERT_TRUE(piece.CreateStartPointMarker(*scene, 502, "Player 3 Start Point", {0, 0, 0}, 0,
                                             {0, 0, 255}));
    ASSERT_TRUE(piece.CreateNavPointMarker(*scene, 603, "7", {100, 50, 100}, {150, 150, 150}));
    const auto& children = scene->GetChildren();
    ASSERT_EQ(children.size(), 3u);

    const engine::Frame& start = *children[0];
    EXPECT_EQ(start.GetAppData(), 501);
    EXPECT_EQ(start.GetName(), "Player 2 Start Point");
    EXPECT_EQ(start.GetColor(), engine::ColorFromBytes(0, 0, 255));
    ExpectNear(start.GetPosition(scene.get()), {81, 0, 826});
    // Scaled 6: the figure stands 6 x 3.725 high.
    EXPECT_NEAR(start.GetVisuals()[0]->GetBox().max.y, 6 * 3.725, 1e-4);
    // Turned about Y by 90 x 0.01745: it now faces +x.
    const auto facing = start.GetOrientation(scene.get()).direction;
    EXPECT_NEAR(facing.x, std::sin(90 * 0.01745), 1e-9);
    EXPECT_NEAR(facing.z, std::cos(90 * 0.01745), 1e-9);
    EXPECT_EQ(children[1]->GetVisuals()[0], start.GetVisuals()[0]);

    const engine::Frame& nav = *children[2];
    EXPECT_EQ(nav.GetAppData(), 603);
    EXPECT_EQ(nav.GetName(), "7");
    EXPECT_EQ(nav.GetColor(), engine::ColorFromBytes(150, 150, 150));
    ExpectNear(nav.GetPosition(scene.get()), {100, 50, 100});
    ExpectNear(nav.GetOrientation(scene.get()).direction, {0, 0, 1});
}

TEST_F(ObjectPieceTest, GroundPlaneLiesJustBelowTheGroundAndIsKept) {
    ASSERT_TRUE(piece.CreateGroundPlane(*scene, 2000, "Ground Plane", {255, 128, 64}));
    const auto ground = piece.GroundFrame();
    ASSERT_TRUE(ground);
    EXPECT_EQ(ground->GetParent(), scene.get());
    EXPECT_EQ(ground->GetAppData(), 2000);
    EXPECT_EQ(ground->GetName(), "Ground Plane");
    EXPECT_EQ(ground->GetColor(), engine::ColorFromBytes(255, 128, 64));
    ExpectNear(ground->GetPosition(scene.get()), {0, -0.9, 0});
}

TEST(EngineMeshes, KeepGroupsCornersAndTextureCoordinates) {
    gamedata::Mesh mesh;
    gamedata::MeshGroup group;
    for (int i = 0; i < 7; ++i)
        group.vertices.push_back({{float(i), float(i % 2), 0}, {}, 0.5f * i, 0.25f * i});
    group.faces = {{0, 3}, {3, 4}};
    mesh.groups.push_back(group);
    mesh.groups.push_back(group);
    const auto converted = ToEngineMesh(mesh);
    ASSERT_EQ(converted->GetGroupCount(), 2u);
    const engine::MeshGroup& g = converted->Groups()[1];
    ASSERT_EQ(g.faces.size(), 2u);
    EXPECT_EQ(g.faces[1].cornerCount, 4u);
    EXPECT_EQ(
        std::vector<std::uint32_t>(g.Corners(g.faces[1]).begin(), g.Corners(g.faces[1]).end()),
        (std::vector<std::uint32_t>{3, 4, 5, 6}));
    EXPECT_EQ(g.vertices[5].position, (engine::Vector3f{5, 1, 0}));
    EXPECT_FLOAT_EQ(g.vertices[5].u, 2.5f);
    EXPECT_FLOAT_EQ(g.vertices[5].v, 1.25f);
}
