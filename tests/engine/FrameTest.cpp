#include "EngineTestSupport.h"

#include "engine/Frame.h"

#include <cmath>
#include <numbers>

using namespace zev::engine;
using enginetest::ExpectNear;

namespace {

constexpr double kQuarter = std::numbers::pi / 2;
const Vector3 kX{1, 0, 0};
const Vector3 kY{0, 1, 0};
const Vector3 kZ{0, 0, 1};

} // namespace

TEST(FrameTree, KeepsChildrenInTheOrderTheyWereAddedAndMovesAChildBetweenParents) {
    auto scene = Frame::Create();
    auto a = Frame::Create(scene.get());
    auto b = Frame::Create(scene.get());
    auto c = Frame::Create(scene.get());
    ASSERT_EQ(scene->GetChildren().size(), 3u);
    EXPECT_EQ(scene->GetChildren()[0], a);
    EXPECT_EQ(scene->GetChildren()[2], c);

    EXPECT_TRUE(b->AddChild(a)); // a leaves the scene for b
    ASSERT_EQ(scene->GetChildren().size(), 2u);
    EXPECT_EQ(scene->GetChildren()[0], b);
    EXPECT_EQ(a->GetParent(), b.get());
    EXPECT_EQ(a->GetScene(), scene.get());

    EXPECT_TRUE(scene->AddChild(b)); // already a child: moves to the end
    EXPECT_EQ(scene->GetChildren().back(), b);
}

TEST(FrameTree, RefusesCyclesAndDetachedFramesLiveOnWhileHeld) {
    auto scene = Frame::Create();
    auto group = Frame::Create(scene.get());
    auto member = Frame::Create(group.get());
    EXPECT_FALSE(member->AddChild(scene));
    EXPECT_FALSE(member->AddChild(group));
    EXPECT_FALSE(group->AddChild(group));
    EXPECT_FALSE(group->AddChild(nullptr));
    EXPECT_EQ(group->GetParent(), scene.get());

    EXPECT_FALSE(scene->DeleteChild(member.get())); // a grandchild, not a child
    EXPECT_TRUE(scene->DeleteChild(group.get()));
    EXPECT_EQ(group->GetParent(), nullptr);
    EXPECT_TRUE(scene->GetChildren().empty());
    EXPECT_EQ(member->GetScene(), group.get());

    group.reset(); // the last holder lets go: its child is orphaned, not dangling
    EXPECT_EQ(member->GetParent(), nullptr);
    EXPECT_EQ(member->GetScene(), member.get());
}

TEST(FrameTransform, ReadsAndWritesPositionsRelativeToAnyFrame) {
    auto scene = Frame::Create();
    auto parent = Frame::Create(scene.get());
    parent->AddRotation(Combine::After, kY, kQuarter); // parent's +x now points along world -z
    parent->SetPosition(scene.get(), 10, 0, 0);
    auto child = Frame::Create(parent.get());
    child->SetPosition(parent.get(), 2, 0, 0);

    ExpectNear(child->GetPosition(parent.get()), {2, 0, 0});
    ExpectNear(child->GetPosition(nullptr), {10, 0, -2});
    ExpectNear(child->GetPosition(scene.get()), {10, 0, -2});

    child->SetPosition(scene.get(), 10, 5, -4); // world coordinates into the parent's
    ExpectNear(child->GetPosition(parent.get()), {4, 5, 0});

    // Relative to itself: a camera moving ahead along its own viewing direction.
    auto camera = Frame::Create(scene.get());
    camera->SetPosition(scene.get(), 0, 60, 0);
    camera->TurnDegrees(scene.get(), kY, 90);
    camera->SetPosition(camera.get(), 0, 0, 10);
    ExpectNear(camera->GetPosition(nullptr),
               {10 * std::sin(90 * 0.01745), 60, 10 * std::cos(90 * 0.01745)});

    auto other = Frame::Create(scene.get());
    other->SetPosition(nullptr, 0, 0, -2);
    ExpectNear(child->GetPosition(other.get()), {10, 5, -2});
    child->SetPosition(other.get(), 1, 1, 1);
    ExpectNear(child->GetPosition(nullptr), {1, 1, -1});
}

TEST(FrameTransform, ReadsAndWritesOrientationsRelativeToAnyFrame) {
    auto scene = Frame::Create();
    auto parent = Frame::Create(scene.get());
    parent->AddRotation(Combine::After, kY, kQuarter);
    auto child = Frame::Create(parent.get());
    child->SetPosition(parent.get(), 3, 4, 5);

    ASSERT_TRUE(child->SetOrientation(parent.get(), kZ, kY));
    ExpectNear(child->GetOrientation(parent.get()).direction, kZ);
    ExpectNear(child->GetOrientation(nullptr).direction, {1, 0, 0});
    ExpectNear(child->GetOrientation(nullptr).up, kY);

    // In world terms: look along world +z with an up that is not yet perpendicular.
    ASSERT_TRUE(child->SetOrientation(nullptr, kZ, {0, 1, 1}));
    ExpectNear(child->GetOrientation(nullptr).direction, kZ);
    ExpectNear(child->GetOrientation(nullptr).up, kY);
    ExpectNear(child->GetOrientation(parent.get()).direction, {-1, 0, 0});
    ExpectNear(child->GetPosition(parent.get()), {3, 4, 5}); // position untouched

    // A scale is dropped by a new orientation; degenerate requests change nothing.
    child->AddScale(Combine::Before, 6, 6, 6);
    ASSERT_TRUE(child->SetOrientation(parent.get(), kZ, kY));
    ExpectNear(child->GetTransform().Row(0), kX);
    EXPECT_FALSE(child->SetOrientation(parent.get(), {0, 0, 0}, kY));
    EXPECT_FALSE(child->SetOrientation(parent.get(), kY, {0, 2, 0}));
    ExpectNear(child->GetOrientation(parent.get()).direction, kZ);
}

TEST(FrameTransform, TurnsAboutTheParentsAxesInTheOrderGivenAndKeepsThePosition) {
    // Turning X then Y about the parent's axes: z ends up along -y and y along +x. (Turning
    // about the frame's own axes, or Y first, would give other axes.)
    auto scene = Frame::Create();
    auto parent = Frame::Create(scene.get());
    parent->AddRotation(Combine::After, kZ, 0.3); // a turned parent must not matter
    parent->SetPosition(nullptr, 7, 8, 9);
    auto frame = Frame::Create(parent.get());
    frame->SetPosition(parent.get(), 1, 2, 3);
    frame->SetOrientation(parent.get(), kZ, kY);

    frame->Turn(parent.get(), kX, kQuarter);
    frame->Turn(parent.get(), kY, kQuarter);
    Orientation o = frame->GetOrientation(parent.get());
    ExpectNear(o.direction, {0, -1, 0});
    ExpectNear(o.up, {1, 0, 0});
    ExpectNear(frame->GetPosition(parent.get()), {1, 2, 3});
    EXPECT_EQ(frame->GetRotation().speed, 0); // the step leaves no rotation behind

    // Z last: turning the result about the parent's z by a quarter.
    frame->Turn(parent.get(), kZ, kQuarter);
    o = frame->GetOrientation(parent.get());
    ExpectNear(o.direction, {1, 0, 0});
    ExpectNear(o.up, {0, 1, 0});

    // Whole degrees use the workspace factor 0.01745, not exactly pi / 180.
    auto turned = Frame::Create(scene.get());
    turned->TurnDegrees(scene.get(), kY, 90);
    const double angle = 90 * 0.01745;
    ExpectNear(turned->GetOrientation(nullptr).direction, {std::sin(angle), 0, std::cos(angle)});
}

TEST(FrameTransform, AddScaleBeforeScalesInTheFramesOwnAxesAndAfterInTheParents) {
    auto scene = Frame::Create();
    auto visualPoint = [](const Frame& f, Vector3 p) {
        return f.GetWorldTransform().TransformPoint(p);
    };
    auto before = Frame::Create(scene.get());
    before->SetPosition(nullptr, 5, 0, 0);
    before->Turn(nullptr, kY, kQuarter); // own +x points along world -z
    before->AddScale(Combine::Before, 2, 1, 1);
    ExpectNear(before->GetPosition(nullptr), {5, 0, 0});
    ExpectNear(visualPoint(*before, {1, 0, 0}), {5, 0, -2});

    auto after = Frame::Create(scene.get());
    after->SetPosition(nullptr, 5, 0, 0);
    after->Turn(nullptr, kY, kQuarter);
    after->AddScale(Combine::After, 2, 1, 1);
    ExpectNear(after->GetPosition(nullptr), {10, 0, 0}); // the position is scaled too
    ExpectNear(visualPoint(*after, {1, 0, 0}), {10, 0, -1});

    // Rotation before an existing transform turns about the frame's own axis: a camera at
    // height 80 looking along +z ends up looking straight down without moving.
    auto camera = Frame::Create(scene.get());
    camera->SetPosition(scene.get(), 0, 80, 10);
    camera->SetOrientation(scene.get(), kZ, kY);
    camera->AddRotation(Combine::Before, kX, kQuarter);
    ExpectNear(camera->GetPosition(nullptr), {0, 80, 10});
    ExpectNear(camera->GetOrientation(nullptr).direction, {0, -1, 0});
    ExpectNear(camera->GetOrientation(nullptr).up, {0, 0, 1});
}

TEST(FrameMotion, MoveTurnsEveryFrameBelowByItsRotationSpeedTimesTheTime) {
    auto scene = Frame::Create();
    auto object = Frame::Create(scene.get());
    object->SetPosition(scene.get(), 0, -5, 0);
    auto attached = Frame::Create(object.get());
    attached->SetPosition(object.get(), 0, 0, 1);
    object->SetRotation(scene.get(), kY, 0.0008); // radians per millisecond

    scene->Move(500);
    scene->Move(500);
    const double angle = 0.8;
    ExpectNear(object->GetOrientation(nullptr).direction, {std::sin(angle), 0, std::cos(angle)});
    ExpectNear(object->GetPosition(nullptr), {0, -5, 0});
    // The child rides along without a rotation of its own.
    ExpectNear(attached->GetPosition(nullptr), {std::sin(angle), -5, std::cos(angle)});
    ExpectNear(attached->GetOrientation(object.get()).direction, kZ);

    scene->Move(0); // a frozen scene does not turn
    ExpectNear(object->GetOrientation(nullptr).direction, {std::sin(angle), 0, std::cos(angle)});

    // The axis is taken in the reference's coordinates: the parent's x is world -z here.
    auto parent = Frame::Create(scene.get());
    parent->Turn(nullptr, kY, kQuarter);
    auto child = Frame::Create(parent.get());
    child->SetRotation(nullptr, {0, 0, -1}, 0.001);
    EXPECT_NEAR(child->GetRotation().axis.x, 1, 1e-9);
    scene->Move(kQuarter * 1000);
    ExpectNear(child->GetOrientation(parent.get()).direction, {0, -1, 0});
}

TEST(FrameAppearance, KeepsTagsColoursAndContentAndTakesMaterialFromTheParentOnRequest) {
    auto scene = Frame::Create();
    auto group = Frame::Create(scene.get());
    auto member = Frame::Create(group.get());
    member->SetAppData(3000);
    member->SetName("RMG FRAME");
    EXPECT_EQ(member->GetAppData(), 3000);
    EXPECT_EQ(member->GetName(), "RMG FRAME");

    group->SetColorRGB(1, 0, 0);
    member->SetColor(ColorFromBytes(198, 122, 255));
    EXPECT_EQ(member->GetDrawingColor(), ColorFromBytes(198, 122, 255));
    member->SetMaterialMode(MaterialMode::Parent);
    EXPECT_EQ(member->GetDrawingColor(), (Color{1, 0, 0, 1}));
    EXPECT_FLOAT_EQ(ColorFromBytes(200, 100, 50).g, 100.0f / 255.0f);

    auto mesh = enginetest::BoxMesh(0, 0, 0, 1, 1, 1);
    member->AddVisual(mesh);
    group->AddVisual(mesh); // shared
    EXPECT_EQ(mesh.use_count(), 3);
    EXPECT_FALSE(member->DeleteVisual(nullptr));
    EXPECT_TRUE(member->DeleteVisual(mesh.get()));
    EXPECT_TRUE(member->GetVisuals().empty());

    auto light = std::make_shared<Light>(LightType::Ambient, Color{0.5f, 0.5f, 0.5f, 1});
    scene->AddLight(light);
    EXPECT_EQ(scene->GetLights().front()->GetType(), LightType::Ambient);
    EXPECT_TRUE(scene->DeleteLight(light.get()));
    EXPECT_FALSE(scene->DeleteLight(light.get()));
}
