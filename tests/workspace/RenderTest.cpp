#include "WorkspaceTestSupport.h"

#include "edit/ObjectCommands.h"
#include "workspace/MissionPreview.h"
#include "workspace/MissionScene.h"
#include "workspace/OffscreenRender.h"
#include "workspace/Sprites.h"

#include "workspace/WorkspaceWidget.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace zev;
using namespace zev::workspace;
using workspacetest::DemoSetup;
using workspacetest::EnsureGuiApplication;
using workspacetest::ObjectRecord;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::filesystem::path Artefact(const std::string& name) {
    const std::filesystem::path dir = ZEV_ARTEFACT_DIR;
    std::filesystem::create_directories(dir);
    return dir / name;
}

// Whether a pixel's colour is within `tolerance` of (r, g, b) on every channel.
::testing::AssertionResult ColourNear(const QImage& image, QPoint at, int r, int g, int b,
                                      int tolerance = 3) {
    if (!image.rect().contains(at))
        return ::testing::AssertionFailure() << "pixel " << at.x() << "," << at.y() << " outside";
    const QColor c = image.pixelColor(at);
    if (std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
        std::abs(c.blue() - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel " << at.x() << "," << at.y() << " is " << c.red() << "," << c.green() << ","
           << c.blue() << ", expected " << r << "," << g << "," << b;
}

enum class Hue { Green, Red, Violet };

::testing::AssertionResult HasHue(const QImage& image, QPoint at, Hue hue) {
    if (!image.rect().contains(at))
        return ::testing::AssertionFailure() << "pixel " << at.x() << "," << at.y() << " outside";
    const QColor c = image.pixelColor(at);
    bool ok = false;
    switch (hue) {
    case Hue::Green:
        ok = c.green() > 100 && c.red() < 20 && c.blue() < c.green() / 2;
        break;
    case Hue::Red:
        ok = c.red() > 100 && c.green() < 20 && c.blue() < 20;
        break;
    case Hue::Violet:
        ok = c.blue() > c.red() && c.red() > c.green() && c.green() > 30;
        break;
    }
    if (ok)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << at.x() << "," << at.y() << " is " << c.red()
                                         << "," << c.green() << "," << c.blue();
}

// The plain ground's colour family (brown: red over green over blue), which no object, marker
// or sky colour of the demo mission shares.
bool IsGroundColour(const QColor& c) {
    return c.red() >= 100 && c.red() > c.green() && c.green() > c.blue();
}

int CountHue(const QImage& image, const QRect& area, Hue hue) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += HasHue(image, {x, y}, hue) ? 1 : 0;
    return n;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.ok);
        EnsureGuiApplication();
        if (!offscreen.Begin(kWidth, kHeight)) {
            if (std::getenv("ZEV_REQUIRE_GL"))
                FAIL() << offscreen.ErrorText();
            GTEST_SKIP() << offscreen.ErrorText();
        }
        ASSERT_TRUE(scene.Setup());
        scene.Attach(&editor);
        document = workspacetest::NewMission(demo);
        // In front of player 1's start point (17, 0, -854), where the side camera looks from.
        document->objects.place(0, ObjectRecord("bunker", 1700, 0, -79400));
        document->objects.place(1, ObjectRecord("hangar", -1300, 0, -78000, false, 20));
        document->objects.place(2, ObjectRecord("outpost", 5500, 0, -77000, true));
        editor.openMission(*document, scene.ShowCheck(), reporter);
        ASSERT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
    }

    QImage Render() {
        engine::Viewport viewport(scene.CurrentCamera(), 0, 0, kWidth, kHeight);
        viewport.SetBack(MissionScene::kBackDistance);
        offscreen.Render(*scene.Scene(), viewport, scene.Quality());
        return offscreen.Image();
    }

    // Where a scene point appears in the picture.
    QPoint PixelOf(const engine::Vector3& point) const {
        engine::Viewport viewport(scene.CurrentCamera(), 0, 0, kWidth, kHeight);
        viewport.SetBack(MissionScene::kBackDistance);
        const engine::Vector4 s = viewport.Transform(point);
        return {static_cast<int>(s.x / s.w), static_cast<int>(s.y / s.w)};
    }

    engine::Frame& Object(int index) { return *scene.ObjectsFrame()->GetChildren()[index]; }

    DemoSetup demo;
    TObjectPiece piece{demo.paths.archive, demo.paths.programDirectory};
    edit::MissionEditor editor; // outlives the scene that listens to it
    MissionScene scene{*demo.settings, &piece};
    std::unique_ptr<mission::MissionDocument> document;
    common::RecordingReporter reporter;
    OffscreenRender offscreen;
};

} // namespace

TEST_F(RenderTest, DrawsTheDemoMissionWithGroundObjectsSelectionByDayAndNight) {
    editor.select(edit::Selection::object(1));
    ASSERT_EQ(scene.Selected(), &Object(1));
    const QImage day = Render();
    ASSERT_EQ(day.size(), QSize(kWidth, kHeight));
    day.save(QString::fromStdString(Artefact("demo-mission-day.png").string()));

    // Sky above the horizon, the ground (lit by the grey ambient light alone, as the point
    // light at the scene's origin grazes it) below.
    EXPECT_TRUE(ColourNear(day, {512, 10}, 150, 189, 217));
    EXPECT_TRUE(ColourNear(day, {5, kHeight - 5}, 128, 64, 32));
    EXPECT_TRUE(ColourNear(day, {kWidth - 5, kHeight - 5}, 128, 64, 32));
    // The single object in the standard colour, the selected one in the selection colour, the
    // group's members in the group colour.
    EXPECT_TRUE(HasHue(day, PixelOf(Object(0).GetPosition(nullptr) + engine::Vector3{0, 2, 0}),
                       Hue::Green));
    EXPECT_TRUE(
        HasHue(day, PixelOf(Object(1).GetPosition(nullptr) + engine::Vector3{0, 3, 0}), Hue::Red));
    EXPECT_TRUE(HasHue(day, PixelOf(Object(2).GetPosition(nullptr) + engine::Vector3{0, 2, 0}),
                       Hue::Violet));

    scene.NightTime1Click();
    const QImage night = Render();
    night.save(QString::fromStdString(Artefact("demo-mission-night.png").string()));
    EXPECT_TRUE(ColourNear(night, {512, 10}, 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(night, {5, kHeight - 5}, 128, 64, 32));
    EXPECT_EQ(night.pixelColor(PixelOf(Object(0).GetPosition(nullptr) + engine::Vector3{0, 2, 0})),
              day.pixelColor(PixelOf(Object(0).GetPosition(nullptr) + engine::Vector3{0, 2, 0})));
}

TEST_F(RenderTest, FillModesDrawFacesEdgesOrCornersAndEveryShadeModeKeepsTheColour) {
    // Close to the bunker: it fills the middle of the picture.
    scene.SideCamera()->SetPosition(nullptr, 17, 3, -812);
    const QRect middle(312, 284, 400, 200);
    const QPoint centre = PixelOf(Object(0).GetPosition(nullptr) + engine::Vector3{0, 2, 0});

    int solid = 0;
    for (auto shade :
         {&MissionScene::FlatClick, &MissionScene::GouraudClick, &MissionScene::PhongClick}) {
        (scene.*shade)();
        const QImage image = Render();
        EXPECT_TRUE(HasHue(image, centre, Hue::Green)) << int(scene.Quality().Shade());
        solid = CountHue(image, middle, Hue::Green);
    }
    scene.WireFrameClick();
    const QImage wire = Render();
    wire.save(QString::fromStdString(Artefact("bunker-wireframe.png").string()));
    EXPECT_FALSE(HasHue(wire, centre, Hue::Green));
    const int edges = CountHue(wire, middle, Hue::Green);
    scene.PointClick();
    const QImage points = Render();
    const int corners = CountHue(points, middle, Hue::Green);
    EXPECT_GT(solid, 40000);
    EXPECT_GT(edges, 200);
    EXPECT_LT(edges, solid / 10);
    EXPECT_GT(corners, 4);
    EXPECT_LT(corners, edges);
}

TEST_F(RenderTest, UploadsEachMeshOnceSharesItAndUploadsAgainOnlyWhenItChanges) {
    Render();
    WorkspaceRenderer& renderer = offscreen.Renderer();
    const auto uploads = renderer.UploadCount();
    const auto cached = renderer.CachedMeshCount();
    const auto draws = renderer.LastDrawCount();
    Render();
    EXPECT_EQ(renderer.UploadCount(), uploads);

    // Three more frames showing the bunker's mesh: drawn three more times, uploaded never.
    for (int i = 1; i <= 3; ++i) {
        auto frame = engine::Frame::Create(scene.ObjectsFrame());
        frame->AddVisual(Object(0).GetVisuals()[0]);
        frame->SetPosition(nullptr, 17, 0, -794 + 15 * i); // behind it, in view
    }
    Render();
    EXPECT_EQ(renderer.LastDrawCount(), draws + 3);
    EXPECT_EQ(renderer.CachedMeshCount(), cached);
    EXPECT_EQ(renderer.UploadCount(), uploads);

    Object(0).GetVisuals()[0]->Scale(1, 2, 1);
    Render();
    EXPECT_EQ(renderer.UploadCount(), uploads + 1);

    // The group's member meshes are freed once the group is gone.
    const auto drawsWithGroup = renderer.LastDrawCount();
    editor.execute(std::make_unique<edit::RemoveObjectCommand>(2));
    Render();
    const auto groupDraws = drawsWithGroup - renderer.LastDrawCount();
    EXPECT_GT(groupDraws, 0u);
    EXPECT_EQ(renderer.CachedMeshCount(), cached - groupDraws);
    EXPECT_GT(renderer.CachedBytes(), 0u);
}

TEST_F(RenderTest, LeavesOutWhatLiesBehindTheCamera) {
    Render();
    WorkspaceRenderer& renderer = offscreen.Renderer();
    const auto draws = renderer.LastDrawCount();
    // Turned round, the objects in front of player 1 are behind the camera.
    scene.SideCamera()->TurnDegrees(nullptr, {0, 1, 0}, 180);
    const QImage image = Render();
    EXPECT_GE(renderer.LastCulledCount(), 3u);
    EXPECT_LT(renderer.LastDrawCount(), draws);
    EXPECT_EQ(CountHue(image, image.rect(), Hue::Green), 0);
    EXPECT_TRUE(ColourNear(image, {5, kHeight - 5}, 128, 64, 32)); // the ground is still there
}

TEST_F(RenderTest, FullScreenLayersShowTheBackgroundPictureAndAKeyedPointer) {
    scene.NightTime1Click(); // black clear colour, so only the picture can colour the sky
    WorkspaceRenderer& renderer = offscreen.Renderer();
    const QImage picture = BackgroundPicture(kWidth, kHeight);
    renderer.SetBackgroundPicture(picture);
    renderer.SetPointerSprite(PointerSprite(PointerMode::Arrow));
    renderer.SetPointerPosition({100, 50});
    const QImage image = Render();
    image.save(QString::fromStdString(Artefact("full-screen-layers.png").string()));

    const QColor sky = picture.pixelColor(512, 20);
    EXPECT_TRUE(ColourNear(image, {512, 20}, sky.red(), sky.green(), sky.blue(), 4));
    // The scene is drawn over the picture.
    EXPECT_TRUE(HasHue(image, PixelOf(Object(0).GetPosition(nullptr) + engine::Vector3{0, 2, 0}),
                       Hue::Green));
    // The arrow's inside is white; its black corner shows the picture through the colour key.
    EXPECT_TRUE(ColourNear(image, {102, 58}, 255, 255, 255, 2));
    const QColor behind = picture.pixelColor(112, 52);
    EXPECT_TRUE(ColourNear(image, {112, 52}, behind.red(), behind.green(), behind.blue(), 4));

    renderer.SetBackgroundPicture({});
    renderer.SetPointerSprite({});
    const QImage plain = Render();
    EXPECT_TRUE(ColourNear(plain, {512, 20}, 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(plain, {102, 58}, 0, 0, 0, 0));
}

TEST_F(RenderTest, PreviewDrawsASavedMissionFromTheTopCamera) {
    document->objects.place(3, ObjectRecord("bunker", 1700, 0, -82400)); // 30 units ahead
    PreviewOptions options;
    options.archivePath = demo.paths.archive;
    options.programDirectory = demo.paths.programDirectory;
    options.topView = true;
    options.width = 640;
    options.height = 480;
    QImage image;
    std::string error;
    ASSERT_TRUE(RenderMissionPreview(*document, options, *demo.settings, reporter, image, error))
        << error;
    image.save(QString::fromStdString(Artefact("demo-mission-top.png").string()));
    ASSERT_EQ(image.size(), QSize(640, 480));
    // Looking straight down from 120 units over player 1: ground everywhere around, player 1's
    // marker in the middle, the objects in front (up in the picture).
    EXPECT_TRUE(ColourNear(image, {3, 3}, 128, 64, 32));
    EXPECT_TRUE(ColourNear(image, {636, 476}, 128, 64, 32));
    const QColor middle = image.pixelColor(320, 240);
    EXPECT_GT(middle.blue(), 100);
    EXPECT_LT(middle.red(), 20);
    EXPECT_GT(CountHue(image, QRect(0, 0, 640, 240), Hue::Green), 100);
}

TEST_F(RenderTest, WidgetDrawsTheSceneThroughTheCurrentCamera) {
    WorkspaceWidget widget(scene);
    widget.resize(400, 300);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QImage image = widget.grabFramebuffer();
    ASSERT_TRUE(widget.InitError().isEmpty()) << widget.InitError().toStdString();
    image.save(QString::fromStdString(Artefact("widget-front.png").string()));
    const double ratio = image.devicePixelRatio();
    auto at = [&](int x, int y) { return QPoint(int(x * ratio), int(y * ratio)); };
    EXPECT_TRUE(ColourNear(image, at(200, 5), 150, 189, 217));
    EXPECT_TRUE(ColourNear(image, at(5, 295), 128, 64, 32));
    EXPECT_EQ(widget.Viewport().GetCamera(), scene.SideCamera().get());
    EXPECT_DOUBLE_EQ(widget.Viewport().GetBack(), 30000.0);

    // The top view looks down on the ground; night turns the sky black.
    scene.UseTopView(true);
    scene.NightTime1Click();
    image = widget.grabFramebuffer();
    EXPECT_EQ(widget.Viewport().GetCamera(), scene.TopCamera().get());
    EXPECT_TRUE(ColourNear(image, at(200, 5), 128, 64, 32));
    scene.UseTopView(false);
    image = widget.grabFramebuffer();
    EXPECT_TRUE(ColourNear(image, at(200, 5), 0, 0, 0, 0));
}

TEST_F(RenderTest, FullScreenWidgetShowsThePictureByDayAndTheSpritePointer) {
    edit::MissionEditor fullEditor;
    MissionScene full(*demo.settings, &piece);
    ASSERT_TRUE(full.Setup(true));
    full.Attach(&fullEditor);
    fullEditor.openMission(*document, full.ShowCheck(), reporter);
    WorkspaceWidget widget(full);
    widget.resize(400, 300);
    widget.SetSpritePointer(true);
    widget.LoadPointerSprite(PointerMode::Dropper);
    widget.SetPointerPosition({60, 40});
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    EXPECT_EQ(widget.cursor().shape(), Qt::BlankCursor);
    QImage image = widget.grabFramebuffer();
    image.save(QString::fromStdString(Artefact("widget-full-screen.png").string()));
    const double ratio = image.devicePixelRatio();
    auto at = [&](int x, int y) { return QPoint(int(x * ratio), int(y * ratio)); };
    const QImage picture = BackgroundPicture(400, 300);
    const QColor sky = picture.pixelColor(200, 5);
    EXPECT_TRUE(ColourNear(image, at(200, 5), sky.red(), sky.green(), sky.blue(), 4));
    // The inside of the dropper's red barrel, 9 and 13 pixels into the sprite.
    EXPECT_TRUE(ColourNear(image, at(60 + 9, 40 + 13), 230, 60, 40));

    full.NightTime1Click();
    image = widget.grabFramebuffer();
    EXPECT_TRUE(ColourNear(image, at(200, 5), 0, 0, 0, 0));
    widget.SetSpritePointer(false);
    EXPECT_NE(widget.cursor().shape(), Qt::BlankCursor);
}

TEST_F(RenderTest, GroundGridDrawsLinesOnTheGroundAloneInBothViewsAndOffChangesNothing) {
    WorkspaceRenderer& renderer = offscreen.Renderer();
    ASSERT_FALSE(renderer.GroundGrid());
    for (bool top : {true, false}) {
        scene.UseTopView(top);
        const QImage plain = Render();
        renderer.SetGroundGrid(true);
        const QImage grid = Render();
        grid.save(QString::fromStdString(
            Artefact(top ? "ground-grid-top.png" : "ground-grid-front.png").string()));
        renderer.SetGroundGrid(false);
        EXPECT_EQ(Render(), plain) << top;

        // Lines show, and only where the ground was: objects, markers and sky are untouched.
        int changed = 0;
        int offGround = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (grid.pixel(x, y) != plain.pixel(x, y)) {
                    ++changed;
                    offGround += IsGroundColour(plain.pixelColor(x, y)) ? 0 : 1;
                }
        EXPECT_GT(changed, 2000) << top;
        EXPECT_EQ(offGround, 0) << top;
    }

    // Looking down on player 1 (17, -854): every pixel along a line darker than the ground, a
    // line every hundred units darker than the others, the middle of a cell plain ground.
    scene.UseTopView(true);
    renderer.SetGroundGrid(true);
    const QImage image = Render();
    constexpr double kLevel = -0.9;
    int major = 0; // the lightest pixel along each line
    int minor = 0;
    for (double z = -880; z <= -870; ++z) {
        major = std::max(major, image.pixelColor(PixelOf({0, kLevel, z})).red());
        minor = std::max(minor, image.pixelColor(PixelOf({-20, kLevel, z})).red());
    }
    EXPECT_LT(minor, 115);
    EXPECT_LT(major, minor);
    EXPECT_TRUE(ColourNear(image, PixelOf({-15, kLevel, -875}), 128, 64, 32));
}

TEST_F(RenderTest, EditorLightingLightsWhatTheSceneLightsMissFromTheCameraAndOffChangesNothing) {
    WorkspaceRenderer& renderer = offscreen.Renderer();
    ASSERT_FALSE(renderer.EditorLighting());
    // The bunker's face towards the camera and the ground: lit by the ambient light alone.
    const QPoint face = PixelOf(Object(0).GetPosition(nullptr) + engine::Vector3{0, 2, 0});
    const QPoint ground{5, kHeight - 5};
    const QImage plain = Render();
    ASSERT_TRUE(ColourNear(plain, face, 0, 128, 32));
    ASSERT_TRUE(ColourNear(plain, ground, 128, 64, 32));

    renderer.SetEditorLighting(true);
    const QImage lit = Render();
    lit.save(QString::fromStdString(Artefact("editor-lighting-front.png").string()));
    EXPECT_TRUE(HasHue(lit, face, Hue::Green));
    EXPECT_GT(lit.pixelColor(face).green(), plain.pixelColor(face).green() + 30);
    EXPECT_GT(lit.pixelColor(ground).red(), 128 + 10);
    // The light travels with the camera: the top camera looks straight at the ground.
    scene.UseTopView(true);
    const QImage top = Render();
    top.save(QString::fromStdString(Artefact("editor-lighting-top.png").string()));
    EXPECT_GT(top.pixelColor(ground).red(), lit.pixelColor(ground).red() + 20);

    scene.UseTopView(false);
    renderer.SetEditorLighting(false);
    EXPECT_EQ(Render(), plain);
}

TEST_F(RenderTest, WithoutDepthBufferingTheGroundLiesUnderEveryObjectAndTheRestLooksAlike) {
    // Looking down on player 1 (17, -854) and the bunker sunk wholly under the ground (at -0.9)
    // beside it.
    scene.UseTopView(true);
    Object(0).SetPosition(nullptr, 17, -20, -870);
    const QPoint buried = PixelOf({17, -19, -870});
    ASSERT_TRUE(QRect(0, 0, kWidth, kHeight).contains(buried)) << buried.x() << "," << buried.y();
    const QImage tested = Render();
    EXPECT_TRUE(IsGroundColour(tested.pixelColor(buried)));

    offscreen.Renderer().SetDepthBuffering(false);
    const QImage painted = Render();
    painted.save(QString::fromStdString(Artefact("demo-mission-no-depth-buffer.png").string()));
    EXPECT_TRUE(HasHue(painted, buried, Hue::Green));
    // Elsewhere the picture is the same: the ground under what stands on it.
    int same = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            same += tested.pixel(x, y) == painted.pixel(x, y) ? 1 : 0;
    EXPECT_GT(same, kWidth * kHeight * 9 / 10);
}
