#include "EngineTestSupport.h"

#include "engine/Viewport.h"

#include <cmath>
#include <numbers>

using namespace zev::engine;
using enginetest::ExpectNear;

namespace {

constexpr double kQuarter = std::numbers::pi / 2;

// A scene with a camera looking straight down from `height` above (x, z), the way the
// workspace's top camera is set up, seen through a 700 x 500 viewport.
struct TopView {
    std::shared_ptr<Frame> scene = Frame::Create();
    std::shared_ptr<Frame> camera = Frame::Create(scene.get());
    Viewport viewport{camera, 0, 0, 700, 500};

    TopView(double x, double height, double z, double downAngle = kQuarter) {
        camera->SetPosition(scene.get(), x, height, z);
        camera->SetOrientation(scene.get(), {0, 0, 1}, {0, 1, 0});
        camera->AddRotation(Combine::Before, {1, 0, 0}, downAngle);
        viewport.SetBack(30000);
    }

    // The mouse-to-ground rule of the dropper: the ground point below the camera taken to
    // screen space, its x and y replaced by the mouse position, and taken back.
    Vector3 MouseToGround(double mx, double my) const {
        const Vector3 c = camera->GetPosition(scene.get());
        Vector4 s = viewport.Transform({c.x, 0, c.z});
        s.x = mx * s.w;
        s.y = my * s.w;
        return viewport.InverseTransform(s);
    }

    std::shared_ptr<Frame> AddGround() {
        auto ground = Frame::Create(scene.get());
        ground->SetPosition(scene.get(), 0, -0.9, 0);
        ground->SetAppData(2000);
        ground->SetName("Ground Plane");
        ground->AddVisual(enginetest::GroundMesh());
        return ground;
    }
};

std::pair<double, double> PixelOf(const Viewport& viewport, const Vector3& p) {
    const Vector4 s = viewport.Transform(p);
    return {s.x / s.w, s.y / s.w};
}

} // namespace

TEST(ViewportProjection, UsesTheDefaultFrontAndFieldWithTheGivenBack) {
    auto camera = Frame::Create();
    Viewport viewport(camera, 0, 0, 640, 480);
    EXPECT_EQ(viewport.GetFront(), 1.0);
    EXPECT_EQ(viewport.GetField(), 0.5);
    EXPECT_TRUE(viewport.SetBack(30000));
    EXPECT_EQ(viewport.GetBack(), 30000);
    EXPECT_FALSE(viewport.SetBack(0.5)); // in front of the front plane
    EXPECT_FALSE(viewport.SetField(0));
    EXPECT_EQ(viewport.GetBack(), 30000);

    // The camera at the origin looks along +z: the field is half the width seen at distance 1.
    const Vector4 centre = viewport.Transform({0, 0, 10});
    EXPECT_NEAR(centre.x / centre.w, 320, 1e-9);
    EXPECT_NEAR(centre.y / centre.w, 240, 1e-9);
    EXPECT_NEAR(centre.w, 10, 1e-9);
    const Vector4 edge = viewport.Transform({0.5, 0.25, 1});
    EXPECT_NEAR(edge.x / edge.w, 640, 1e-9); // right edge
    EXPECT_NEAR(edge.y / edge.w, 80, 1e-9);  // up is toward smaller y
    EXPECT_NEAR(viewport.Transform({0, 0, 1}).z, 0, 1e-9);
    const Vector4 back = viewport.Transform({0, 0, 30000});
    EXPECT_NEAR(back.z / back.w, 1, 1e-9);

    // A viewport placed inside the device counts pixels of the device.
    Viewport inset(camera, 100, 50, 640, 480);
    const auto [x, y] = PixelOf(inset, {0, 0, 10});
    EXPECT_NEAR(x, 420, 1e-9);
    EXPECT_NEAR(y, 290, 1e-9);
}

TEST(ViewportProjection, InverseTransformUndoesTransformForATurnedAndMovedCamera) {
    auto scene = Frame::Create();
    auto camera = Frame::Create(scene.get());
    camera->SetPosition(scene.get(), 12, 20, -7);
    camera->SetOrientation(scene.get(), {0, 0, 1}, {0, 1, 0});
    camera->TurnDegrees(scene.get(), {0, 1, 0}, 135);
    camera->Turn(scene.get(), {1, 0, 0}, 0.2);
    Viewport viewport(camera, 0, 0, 1024, 768);
    viewport.SetBack(30000);
    const Vector3 points[] = {{0, 0, 0}, {-30, 5, -60}, {100, -0.9, 250}, {12.5, 20, -6}};
    for (const Vector3& p : points) {
        const Vector4 s = viewport.Transform(p);
        ExpectNear(viewport.InverseTransform(s), p, 1e-7);
        // Any multiple of the homogeneous vector is the same point.
        ExpectNear(viewport.InverseTransform({s.x * 3, s.y * 3, s.z * 3, s.w * 3}), p, 1e-7);
    }
}

TEST(ViewportProjection, FindsTheGroundPointUnderTheMouseFromTheTopCamera) {
    const TopView view(3, 80, 10);
    // The point below the camera is the centre of the view.
    ExpectNear(view.MouseToGround(350, 250), {3, 0, 10}, 1e-9);
    // 70 pixels right and 35 up at height 80: 8 units along +x and 4 along +z.
    ExpectNear(view.MouseToGround(420, 215), {11, 0, 14}, 1e-9);

    // The workspace turns its top camera down by 1.5705 rad, a hair short of a quarter turn:
    // the found point stays within a few hundredths of the ground.
    const TopView workspace(3, 80, 10, 1.5705);
    ExpectNear(workspace.MouseToGround(420, 215), {11, 0, 14}, 0.05);
}

TEST(ViewportProjection, MovesOneUnitPerTenPixelsWithTheCameraSeventyUnitsHigh) {
    // Dragging in the top view moves a frame by (pixels x camera height / 700): at height 70
    // that is what the picture shows on a 700-pixel-wide view, 10 pixels per unit.
    for (double height : {70.0, 140.0}) {
        const TopView view(0, height, 0);
        const auto [x0, y0] = PixelOf(view.viewport, {0, 0, 0});
        const auto [x1, y1] = PixelOf(view.viewport, {1, 0, 0});
        const auto [x2, y2] = PixelOf(view.viewport, {0, 0, 1});
        EXPECT_NEAR(x1 - x0, 700 / height, 1e-9);
        EXPECT_NEAR(y1 - y0, 0, 1e-9);
        EXPECT_NEAR(y0 - y2, 700 / height, 1e-9); // +z is up the screen
        ExpectNear(view.MouseToGround(350 + 700 / height * 3, 250), {3, 0, 0}, 1e-9);
    }
}

TEST(ViewportPick, FindsAReadyMadeGroupMemberFirstAndTheGroundBehindIt) {
    TopView view(4, 80, 0, 1.5705);
    auto ground = view.AddGround();
    auto objects = Frame::Create(view.scene.get());
    auto group = Frame::Create(objects.get());
    group->SetAppData(7);
    group->SetPosition(objects.get(), 4, 0, 0);
    group->AddScale(Combine::Before, 2, 2, 2);
    group->TurnDegrees(objects.get(), {0, 1, 0}, 30);
    auto shared = enginetest::BoxMesh(-0.5f, 0, -0.5f, 0.5f, 1, 0.5f);
    auto near = Frame::Create(group.get());
    near->SetAppData(3000);
    near->SetName("RMG FRAME");
    near->SetPosition(group.get(), 0, 1, 0);
    near->AddVisual(shared);
    auto far = Frame::Create(group.get());
    far->SetAppData(3000);
    far->SetName("RMG FRAME");
    far->AddVisual(shared);

    const auto [x, y] = PixelOf(view.viewport, near->GetPosition(nullptr));
    const auto hits = view.viewport.Pick(x, y);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].GetFrame(), near.get());
    EXPECT_EQ(hits[0].path,
              (std::vector<Frame*>{view.scene.get(), objects.get(), group.get(), near.get()}));
    EXPECT_EQ(hits[0].GetFrame()->GetParent()->GetAppData(), 7);
    EXPECT_EQ(hits[0].visual, shared.get());
    EXPECT_NEAR(hits[0].position.y, 4, 1e-6); // top of the upper box, scaled by 2
    EXPECT_NEAR(hits[0].depth, 76, 0.01);
    EXPECT_EQ(hits[1].GetFrame(), far.get()); // the same mesh in another frame
    EXPECT_NEAR(hits[1].position.y, 2, 1e-6);
    EXPECT_EQ(hits[2].path, (std::vector<Frame*>{view.scene.get(), ground.get()}));
    EXPECT_EQ(hits[2].GetFrame()->GetAppData(), 2000);
    EXPECT_NEAR(hits[2].position.y, -0.9, 1e-6);

    // Beside the group only the ground is under the mouse.
    const auto beside = view.viewport.Pick(x + 100, y);
    ASSERT_EQ(beside.size(), 1u);
    EXPECT_EQ(beside[0].GetFrame(), ground.get());
}

TEST(ViewportPick, OrdersHitsByDistanceNotByTreeOrderAndRespectsTheClippingPlanes) {
    // A front view: the camera looks along +x at three boxes in a row, the farthest made first.
    auto scene = Frame::Create();
    auto camera = Frame::Create(scene.get());
    camera->SetPosition(scene.get(), 0, 1, 0);
    camera->SetOrientation(scene.get(), {1, 0, 0}, {0, 1, 0});
    Viewport viewport(camera, 0, 0, 640, 480);
    viewport.SetBack(100);
    std::vector<std::shared_ptr<Frame>> boxes;
    for (double distance : {50.0, 10.0, 0.7, 150.0}) {
        auto box = Frame::Create(scene.get());
        box->SetPosition(scene.get(), distance, 0, 0);
        box->AddVisual(enginetest::BoxMesh(-0.2f, 0, -2, 0.2f, 2, 2));
        box->SetAppData(static_cast<int>(distance));
        boxes.push_back(box);
    }
    const auto hits = viewport.Pick(320, 240);
    // The box at 0.7 lies between the camera and the front plane (its faces at 0.5 and 0.9)
    // and is not seen; the box at 150 lies beyond the back plane.
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].GetFrame()->GetAppData(), 10);
    EXPECT_NEAR(hits[0].depth, 9.8, 1e-6);
    EXPECT_EQ(hits[1].GetFrame()->GetAppData(), 50);

    // Faces are found from behind as well: with the near face of the nearest box in front of
    // the front plane, its far face is hit.
    camera->SetPosition(scene.get(), 9, 1, 0);
    ASSERT_FALSE(viewport.Pick(320, 240).empty());
    EXPECT_NEAR(viewport.Pick(320, 240)[0].depth, 1.2, 1e-6);

    // A frame flattened to nothing cannot be hit; nor can anything without a camera.
    boxes[1]->AddScale(Combine::Before, 0, 1, 1);
    EXPECT_EQ(viewport.Pick(320, 240)[0].GetFrame()->GetAppData(), 50);
    viewport.SetCamera(nullptr);
    EXPECT_TRUE(viewport.Pick(320, 240).empty());
}

TEST(ViewportPick, HitsFacesOfThreeToSevenCornersOnlyInsideThem) {
    // A heptagon facing the camera, cut into a fan of five triangles.
    auto scene = Frame::Create();
    auto camera = Frame::Create(scene.get());
    Viewport viewport(camera, 0, 0, 200, 200);
    auto mesh = std::make_shared<Mesh>();
    std::vector<MeshVertex> corners;
    std::vector<std::uint32_t> data = {7};
    for (int i = 0; i < 7; ++i) {
        const double a = 2 * std::numbers::pi * i / 7; // clockwise seen from the camera
        corners.push_back(
            enginetest::At(static_cast<float>(std::sin(a)), static_cast<float>(std::cos(a)), 10));
        data.push_back(static_cast<std::uint32_t>(i));
    }
    mesh->SetVertices(mesh->AddGroup(7, 1, Mesh::kVariableCorners, data), 0, corners);
    auto frame = Frame::Create(scene.get());
    frame->AddVisual(mesh);
    // 200 pixels / (2 x 0.5 x 10) units: 20 pixels per unit at depth 10.
    EXPECT_EQ(viewport.Pick(100, 100).size(), 1u);
    EXPECT_EQ(viewport.Pick(100 + 20 * 0.85, 100).size(), 1u);            // inside, near the rim
    EXPECT_EQ(viewport.Pick(100 + 20 * 0.95, 100 - 20 * 0.3).size(), 0u); // just outside
    EXPECT_EQ(viewport.Pick(100, 100 - 20 * 0.99).size(), 1u);            // below the top corner
    EXPECT_EQ(viewport.Pick(100, 100 - 20 * 1.01).size(), 0u);
}
