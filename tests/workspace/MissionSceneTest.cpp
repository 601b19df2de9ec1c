#include "WorkspaceTestSupport.h"

#include "common/Numbers.h"
#include "edit/MarkerCommands.h"
#include "edit/ObjectCommands.h"
#include "edit/WorkspaceTools.h"
#include "mission/MissionFile.h"
#include "platform/EditorSettings.h"
#include "workspace/MissionScene.h"

using namespace zev;
using namespace zev::workspace;
using workspacetest::CountTagged;
using workspacetest::DemoSetup;
using workspacetest::ExpectNear;
using workspacetest::ObjectRecord;

namespace {

class MissionSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.ok);
        ASSERT_TRUE(scene.Setup());
        scene.Attach(&editor);
        document = workspacetest::NewMission(demo);
    }

    // The document as New gives it to the editor.
    void Build() { editor.startMission(*document); }

    // Saves the document and opens it again, as the Open command reads a mission.
    void SaveAndOpen() {
        const auto path = demo.dir.path() / "mission.mdb";
        const mission::RecordPositions positions(*document);
        ASSERT_TRUE(mission::MissionFile::save(*document, path, positions, 0, reporter));
        document = std::make_unique<mission::MissionDocument>();
        std::uint8_t patch = 0;
        ASSERT_TRUE(mission::MissionFile::open(*document, patch, path, reporter));
        editor.openMission(*document, scene.ShowCheck(), reporter);
    }

    void Place(int slot, const mission::MissionObjectRecord& record) {
        ASSERT_TRUE(document->objects.place(slot, record));
    }

    DemoSetup demo;
    TObjectPiece piece{demo.paths.archive, demo.paths.programDirectory};
    edit::MissionEditor editor; // outlives the scene that listens to it
    MissionScene scene{*demo.settings, &piece};
    std::unique_ptr<mission::MissionDocument> document;
    common::RecordingReporter reporter;
};

engine::Color Bytes(int r, int g, int b) {
    return engine::ColorFromBytes(r, g, b);
}

} // namespace

TEST_F(MissionSceneTest, SetsUpLightsCamerasGroundAndDayBackground) {
    const engine::Frame* light = scene.LightFrame();
    ASSERT_TRUE(light);
    EXPECT_EQ(light->GetParent(), scene.Scene());
    ASSERT_EQ(light->GetLights().size(), 2u);
    EXPECT_EQ(light->GetLights()[0]->GetType(), engine::LightType::Point);
    EXPECT_EQ(light->GetLights()[0]->GetColor(), (engine::Color{1, 1, 1, 1}));
    EXPECT_EQ(light->GetLights()[1]->GetType(), engine::LightType::Ambient);
    EXPECT_EQ(light->GetLights()[1]->GetColor(), (engine::Color{0.5f, 0.5f, 0.5f, 1}));
    ExpectNear(light->GetOrientation(scene.Scene()).direction,
               engine::Vector3{0, -1, 1}.Normalized());

    ExpectNear(scene.SideCamera()->GetPosition(scene.Scene()), {0, 60, 0});
    ExpectNear(scene.SideCamera()->GetOrientation(scene.Scene()).direction, {0, 0, 1});
    ExpectNear(scene.TopCamera()->GetPosition(scene.Scene()), {0, 80, 10});
    ExpectNear(scene.TopCamera()->GetOrientation(scene.Scene()).direction, {0, -1, 0}, 1e-3);

    ASSERT_TRUE(scene.GroundPlane());
    EXPECT_EQ(scene.GroundPlane()->GetAppData(), 2000);
    EXPECT_EQ(scene.GroundPlane()->GetColor(), Bytes(255, 128, 64));
    EXPECT_EQ(scene.Scene()->GetSceneBackground(), MissionScene::kDayBackground);
    EXPECT_EQ(scene.Quality().Value(), 0x89u);
}

TEST_F(MissionSceneTest, NewMissionShowsEveryStartPointNavPointZeroOfEachStarAndPlacesCameras) {
    demo.settings->setInteger("Render Options", "Player 3 Green", 200);
    Build();
    EXPECT_TRUE(reporter.messages.empty());

    // Scene order: cameras, light, ground, then objects, nav points and start points.
    const auto& top = scene.Scene()->GetChildren();
    ASSERT_EQ(top.size(), 7u);
    EXPECT_EQ(top[4].get(), scene.ObjectsFrame());
    EXPECT_EQ(top[5].get(), scene.NavPointsFrame());
    EXPECT_EQ(top[6].get(), scene.StartPointsFrame());
    EXPECT_TRUE(scene.ObjectsFrame()->GetChildren().empty());

    const auto& starts = scene.StartPointsFrame()->GetChildren();
    ASSERT_EQ(starts.size(), 8u);
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(starts[std::size_t(p)]->GetAppData(), 500 + p);
        EXPECT_EQ(starts[std::size_t(p)]->GetName(),
                  "Player " + std::to_string(p + 1) + " Start Point");
    }
    ExpectNear(starts[1]->GetPosition(scene.Scene()), {81, 0, 826});
    EXPECT_EQ(starts[0]->GetColor(), Bytes(0, 0, 255));
    EXPECT_EQ(starts[2]->GetColor(), Bytes(0, 200, 255));
    // Player 2's heading 180 turns the figure round.
    EXPECT_NEAR(starts[1]->GetOrientation(scene.Scene()).direction.z, std::cos(180 * 0.01745),
                1e-9);

    const auto& navs = scene.NavPointsFrame()->GetChildren();
    ASSERT_EQ(navs.size(), 8u);
    for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(navs[std::size_t(s)]->GetAppData(), 600 + s);
        EXPECT_EQ(navs[std::size_t(s)]->GetName(), "0");
        EXPECT_EQ(navs[std::size_t(s)]->GetColor(), Bytes(150, 150, 150));
    }
    ExpectNear(navs[4]->GetPosition(scene.Scene()), {-100, 50, -100});

    ExpectNear(scene.SideCamera()->GetPosition(scene.Scene()), {17, 20, -854});
    ExpectNear(scene.SideCamera()->GetOrientation(scene.Scene()).direction, {0, 0, 1});
    ExpectNear(scene.TopCamera()->GetPosition(scene.Scene()), {17, 120, -854});
    ExpectNear(scene.TopCamera()->GetOrientation(scene.Scene()).direction, {0, -1, 0}, 1e-3);
}

TEST_F(MissionSceneTest, SideCameraTurnsByPlayerOnesHeading) {
    document->startPoint(1).setText(mission::StartPointRecord::heading, "90");
    Build();
    const auto facing = scene.SideCamera()->GetOrientation(scene.Scene()).direction;
    EXPECT_NEAR(facing.x, std::sin(90 * 0.01745), 1e-9);
    EXPECT_NEAR(facing.z, std::cos(90 * 0.01745), 1e-9);
    // A second build starts again from the default orientation instead of turning further.
    Build();
    EXPECT_NEAR(scene.SideCamera()->GetOrientation(scene.Scene()).direction.x,
                std::sin(90 * 0.01745), 1e-9);
}

TEST_F(MissionSceneTest, OpenShowsObjectsGroupsAndMarkersOfEveryStar) {
    using NP = mission::NavPointRecord;
    for (int star = 0; star < 8; ++star) {
        NP& extra = document->navPoint(star, 3 + star);
        extra.setByte(NP::inUse, 1);
        extra.setText(NP::x, common::decimal(1000 * star));
        extra.setText(NP::y, "250");
        extra.setText(NP::z, "-1999");
    }
    Place(0, ObjectRecord("bunker", 1700, 0, -79400));
    Place(1, ObjectRecord("outpost", 5000, 0, -70000, true, 45));
    Place(2, ObjectRecord("pine", -2050, 0, -3300));
    SaveAndOpen();
    EXPECT_TRUE(reporter.messages.empty());

    const auto& objects = scene.ObjectsFrame()->GetChildren();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]->GetAppData(), 0);
    EXPECT_EQ(objects[0]->GetName(), "");
    EXPECT_TRUE(objects[0]->GetChildren().empty());
    EXPECT_EQ(objects[0]->GetColor(), Bytes(0, 255, 64));
    ExpectNear(objects[0]->GetPosition(scene.Scene()), {17, 0, -794});
    EXPECT_EQ(objects[1]->GetAppData(), 1);
    EXPECT_EQ(objects[1]->GetChildren().size(), 9u);
    EXPECT_EQ(CountTagged(*objects[1], 3000), 9);
    EXPECT_EQ(objects[1]->GetChildren()[0]->GetColor(), Bytes(198, 122, 255));
    EXPECT_NEAR(objects[1]->GetOrientation(scene.Scene()).direction.x, std::sin(45 * 0.01745),
                1e-9);
    ExpectNear(objects[2]->GetPosition(scene.Scene()), {-20.5, 0, -33});

    // Two nav points per star, each star's markers tagged 600 + star and named by number.
    const engine::Frame& navs = *scene.NavPointsFrame();
    ASSERT_EQ(navs.GetChildren().size(), 16u);
    for (int star = 0; star < 8; ++star)
        EXPECT_EQ(CountTagged(navs, 600 + star), 2) << star;
    const engine::Frame& starExtra = *navs.GetChildren()[2 * 5 + 1];
    EXPECT_EQ(starExtra.GetAppData(), 605);
    EXPECT_EQ(starExtra.GetName(), "8");
    ExpectNear(starExtra.GetPosition(scene.Scene()), {50, 2.5, -19.99}, 1e-9);
    EXPECT_EQ(scene.StartPointsFrame()->GetChildren().size(), 8u);

    // Save sees the frames: objects in workspace order, the group's members not counted.
    const auto placements = scene.objectFrames();
    ASSERT_EQ(placements.size(), 3u);
    EXPECT_EQ(placements[2].position, (std::array<std::int32_t, 3>{-2000, 0, -3300}));
    const auto navPlacements = scene.navPointFrames();
    EXPECT_EQ(navPlacements[2 * 5 + 1].position, (std::array<std::int32_t, 3>{5000, 200, -1900}));
}

TEST_F(MissionSceneTest, AnObjectThatCannotBeShownIsFreedWithItsMessageAndLoadingGoesOn) {
    Place(0, ObjectRecord("bunker", 0, 0, 0));
    Place(1, ObjectRecord("nosuchobj", 100, 0, 100));
    Place(2, ObjectRecord("nogroup", 100, 0, 100, true));
    Place(3, ObjectRecord("hangar", 5000, 0, 0));
    SaveAndOpen();

    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, "Object not Found in GEO Table");
    EXPECT_EQ(reporter.messages[0].caption, "ZEVEDIT 3D");
    EXPECT_EQ(reporter.messages[1].text, "Could not Open BWD File!");
    EXPECT_EQ(editor.document().objects.occupiedSlots(), (std::vector<int>{0, 3}));
    EXPECT_EQ(editor.objectOrder(), (std::vector<int>{0, 3}));
    const auto& objects = scene.ObjectsFrame()->GetChildren();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->GetAppData(), 0);
    EXPECT_EQ(objects[1]->GetAppData(), 3);
}

TEST_F(MissionSceneTest, ColourCommandsRecolourSingleObjectsAndGroupMembersApart) {
    Place(0, ObjectRecord("bunker", 0, 0, 0));
    Place(1, ObjectRecord("grove", 2000, 0, 0, true));
    SaveAndOpen();
    const engine::Frame& single = *scene.ObjectsFrame()->GetChildren()[0];
    const engine::Frame& group = *scene.ObjectsFrame()->GetChildren()[1];

    scene.StandardObjectColor1Click({10, 20, 30});
    EXPECT_EQ(single.GetColor(), Bytes(10, 20, 30));
    for (const auto& member : group.GetChildren())
        EXPECT_EQ(member->GetColor(), Bytes(198, 122, 255));
    EXPECT_EQ(platform::readColour(*demo.settings, platform::kStandardObjectColour),
              (platform::Rgb{10, 20, 30}));

    scene.RMGObjectColor1Click({40, 50, 60});
    EXPECT_EQ(single.GetColor(), Bytes(10, 20, 30));
    for (const auto& member : group.GetChildren())
        EXPECT_EQ(member->GetColor(), Bytes(40, 50, 60));

    // Ground: the dialog opens at 100, 100, 100 until a colour is stored.
    EXPECT_EQ(ColourDialogStart(*demo.settings, ColourMenu::GroundPlane),
              (platform::Rgb{100, 100, 100}));
    EXPECT_EQ(ColourDialogStart(*demo.settings, ColourMenu::SelectedObject),
              (platform::Rgb{255, 0, 0}));
    scene.GroundPlaneColor1Click({1, 2, 3});
    EXPECT_EQ(scene.GroundPlane()->GetColor(), Bytes(1, 2, 3));
    EXPECT_EQ(ColourDialogStart(*demo.settings, ColourMenu::GroundPlane), (platform::Rgb{1, 2, 3}));

    // The start point command keeps nothing.
    scene.PlayerStartPointColor1Click({9, 9, 9});
    EXPECT_FALSE(demo.settings->contains("Render Options", "Player 1 Red"));
    EXPECT_EQ(ColourMenuKey(ColourMenu::PlayerStartPoint), nullptr);
}

TEST_F(MissionSceneTest, SelectionHighlightsAWholeGroupAndGivesColoursBack) {
    Place(0, ObjectRecord("bunker", 0, 0, 0));
    Place(1, ObjectRecord("grove", 2000, 0, 0, true));
    SaveAndOpen();
    engine::Frame& single = *scene.ObjectsFrame()->GetChildren()[0];
    engine::Frame& group = *scene.ObjectsFrame()->GetChildren()[1];
    engine::Frame& member = *group.GetChildren()[2];
    const auto pick = [&](const engine::Frame& frame) {
        editor.select(edit::selectionOfFrame(frame).value_or(edit::Selection::none()));
        return scene.Selected() != nullptr;
    };

    ASSERT_TRUE(pick(member));
    EXPECT_EQ(editor.selection(), edit::Selection::object(1));
    EXPECT_EQ(scene.Selected(), &group);
    for (const auto& m : group.GetChildren())
        EXPECT_EQ(m->GetColor(), Bytes(255, 0, 0));

    ASSERT_TRUE(pick(single)); // the group gets its colour back
    EXPECT_EQ(single.GetColor(), Bytes(255, 0, 0));
    for (const auto& m : group.GetChildren())
        EXPECT_EQ(m->GetColor(), Bytes(198, 122, 255));

    EXPECT_FALSE(pick(*scene.GroundPlane()));
    EXPECT_EQ(scene.Selected(), nullptr);
    EXPECT_EQ(single.GetColor(), Bytes(0, 255, 64));

    // A new selection colour clears the selection and is used by the next pick.
    ASSERT_TRUE(pick(single));
    scene.SelectedObjectColor1Click({0, 0, 99});
    EXPECT_EQ(scene.Selected(), nullptr);
    EXPECT_EQ(editor.selection(), edit::Selection::none());
    EXPECT_EQ(single.GetColor(), Bytes(0, 255, 64));
    ASSERT_TRUE(pick(single));
    EXPECT_EQ(single.GetColor(), Bytes(0, 0, 99));

    // Recolouring keeps the selection painted and gives it the new colour when it ends.
    scene.StandardObjectColor1Click({1, 1, 1});
    EXPECT_EQ(single.GetColor(), Bytes(0, 0, 99));
    editor.select(edit::Selection::none());
    EXPECT_EQ(single.GetColor(), Bytes(1, 1, 1));
}

TEST_F(MissionSceneTest, ManySelectedAreAllPaintedAndHiddenObjectsLeaveThePicture) {
    Place(0, ObjectRecord("bunker", 0, 0, 0));
    Place(1, ObjectRecord("grove", 2000, 0, 0, true));
    Place(2, ObjectRecord("bunker", 4000, 0, 0));
    SaveAndOpen();
    engine::Frame* bunker = scene.FrameOf(edit::Selection::object(0));
    engine::Frame* grove = scene.FrameOf(edit::Selection::object(1));
    editor.setSelection(
        {edit::Selection::object(1), edit::Selection::object(0), edit::Selection::startPoint(1)});
    EXPECT_EQ(scene.SelectedFrames().size(), 3u);
    EXPECT_EQ(scene.Selected(), scene.FrameOf(edit::Selection::startPoint(1)));
    EXPECT_EQ(bunker->GetColor(), Bytes(255, 0, 0));
    EXPECT_EQ(grove->GetChildren().front()->GetColor(), Bytes(255, 0, 0));
    editor.removeFromSelection({edit::Selection::object(1)});
    EXPECT_EQ(grove->GetChildren().front()->GetColor(), Bytes(198, 122, 255));
    EXPECT_EQ(bunker->GetColor(), Bytes(255, 0, 0));

    // Hidden: out of the objects container (not drawn, not picked), back in its own colour.
    editor.hideObjects({0, 1});
    EXPECT_EQ(scene.ObjectsFrame()->GetChildren().size(), 1u);
    EXPECT_FALSE(scene.ObjectsFrame()->IsAncestorOf(bunker));
    EXPECT_EQ(bunker->GetColor(), Bytes(0, 255, 64));
    editor.applyObjectPosition(0, {5, 0, 5}); // an undo may still move it meanwhile
    editor.unhideAll();
    EXPECT_EQ(scene.ObjectsFrame()->GetChildren().size(), 3u);
    ExpectNear(bunker->GetPosition(scene.ObjectsFrame()), {5, 0, 5});
    // Save reads every object, hidden or not, from the editor.
    editor.hideObjects({2});
    EXPECT_EQ(editor.objectFrames().size(), 3u);
}

TEST_F(MissionSceneTest, RenderQualityMenusReplaceTheirBits) {
    EXPECT_EQ(scene.Quality().Value(), 0x89u);
    scene.PointClick();
    scene.PhongClick();
    EXPECT_EQ(scene.Quality().Value(), 0x0Au);
    scene.WireFrameClick();
    scene.FlatClick();
    EXPECT_EQ(scene.Quality().Value(), 0x48u);
    scene.SolidClick();
    scene.GouraudClick();
    EXPECT_EQ(scene.Quality().Value(), 0x89u);
}

TEST_F(MissionSceneTest, NightPaintsTheWindowedBackgroundBlackAndLeavesColoursAlone) {
    Build();
    const engine::Color ground = scene.GroundPlane()->GetColor();
    scene.NightTime1Click();
    EXPECT_TRUE(scene.IsNightTime());
    EXPECT_EQ(scene.Scene()->GetSceneBackground(), (engine::Color{0, 0, 0, 1}));
    EXPECT_EQ(scene.GroundPlane()->GetColor(), ground);
    EXPECT_EQ(scene.LightFrame()->GetLights()[1]->GetColor(), (engine::Color{0.5f, 0.5f, 0.5f, 1}));
    EXPECT_FALSE(scene.BackgroundPictureShown());
    scene.DayTime1Click();
    EXPECT_EQ(scene.Scene()->GetSceneBackground(), MissionScene::kDayBackground);

    // Full screen: day and night show or hide the background picture instead.
    MissionScene full(*demo.settings, &piece);
    ASSERT_TRUE(full.Setup(true));
    EXPECT_TRUE(full.BackgroundPictureShown());
    full.NightTime1Click();
    EXPECT_FALSE(full.BackgroundPictureShown());
}

TEST_F(MissionSceneTest, TheScenePicturesEveryEditAndItsUndo) {
    Place(0, ObjectRecord("bunker", 1700, 0, -79400));
    Place(1, ObjectRecord("grove", 2000, 0, 0, true));
    SaveAndOpen();
    const auto frameOf = [&](int slot) { return scene.FrameOf(edit::Selection::object(slot)); };
    ASSERT_TRUE(frameOf(0) && frameOf(1));

    editor.execute(std::make_unique<edit::MoveObjectCommand>(0, engine::Vector3{17, 0, -794},
                                                             engine::Vector3{30, 2, -700}));
    ExpectNear(frameOf(0)->GetPosition(scene.Scene()), {30, 2, -700});

    // A turn and a scale of a group re-place its frame; a standard object's new scale builds
    // its mesh anew (the mesh carries the scale).
    using R = mission::MissionObjectRecord;
    R turned = *editor.document().objects.find(1);
    turned.setInt32(R::mainRotation(1), 90);
    turned.setInt32(R::scale(0), 2);
    editor.execute(std::make_unique<edit::ChangeObjectRecordCommand>(
        "Turn Object", 1, *editor.document().objects.find(1), turned));
    EXPECT_NEAR(frameOf(1)->GetOrientation(scene.Scene()).direction.x, 1.0, 1e-3);
    const auto height = [&] {
        const engine::Box box = frameOf(0)->GetVisuals().front()->GetBox();
        return box.max.y - box.min.y;
    };
    const double before = height();
    R bigger = *editor.document().objects.find(0);
    bigger.setInt32(R::scale(1), 3);
    editor.select(edit::Selection::object(0));
    editor.execute(std::make_unique<edit::ChangeObjectRecordCommand>(
        "Object Properties", 0, *editor.document().objects.find(0), bigger));
    EXPECT_NEAR(height(), 3 * before, 1e-6);
    EXPECT_EQ(frameOf(0)->GetColor(), Bytes(255, 0, 0)) << "a rebuilt selection stays painted";
    ExpectNear(frameOf(0)->GetPosition(scene.Scene()), {30, 2, -700});

    // Deleting takes the frame out; undo brings it back where it was.
    editor.execute(std::make_unique<edit::RemoveObjectCommand>(0));
    EXPECT_EQ(frameOf(0), nullptr);
    EXPECT_EQ(scene.Selected(), nullptr);
    EXPECT_EQ(scene.ObjectsFrame()->GetChildren().size(), 1u);
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(frameOf(0));
    ExpectNear(frameOf(0)->GetPosition(scene.Scene()), {30, 2, -700});

    // Markers follow their positions and a start point its heading.
    editor.execute(std::make_unique<edit::MoveNavPointCommand>(
        2, 0, editor.navPointMarkers()[2].position, engine::Vector3{5, 6, 7}));
    ExpectNear(scene.FrameOf(edit::Selection::navPoint(2, 0))->GetPosition(scene.Scene()),
               {5, 6, 7});
    mission::StartPointRecord start = editor.document().startPoint(3);
    start.setText(mission::StartPointRecord::heading, "90");
    editor.execute(std::make_unique<edit::ChangeStartPointCommand>(
        "Turn Start Point", 3, editor.document().startPoint(3), start));
    EXPECT_NEAR(
        scene.FrameOf(edit::Selection::startPoint(3))->GetOrientation(scene.Scene()).direction.x,
        1.0, 1e-3);

    // What the scene shows is where the editor says things are.
    EXPECT_EQ(scene.objectFrames().size(), editor.objectFrames().size());
    EXPECT_EQ(scene.navPointFrames(), editor.navPointFrames());
    EXPECT_EQ(scene.startPointFrames(), editor.startPointFrames());
}

TEST_F(MissionSceneTest, WithoutAConverterNoMarkersOrObjectsAreShownAndRecordsStay) {
    edit::MissionEditor bareEditor;
    MissionScene bare(*demo.settings, nullptr);
    ASSERT_TRUE(bare.Setup());
    ASSERT_TRUE(bare.GroundPlane()); // the ground is always there
    bare.Attach(&bareEditor);
    Place(0, ObjectRecord("bunker", 0, 0, 0));
    bareEditor.openMission(*document, bare.ShowCheck(), reporter);
    EXPECT_TRUE(bare.StartPointsFrame()->GetChildren().empty());
    EXPECT_TRUE(bare.ObjectsFrame()->GetChildren().empty());
    EXPECT_EQ(bareEditor.document().objects.count(), 1);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MissionSceneTest, DetachingTheMissionFramesEmptiesWhatSaveSees) {
    Place(0, ObjectRecord("bunker", 0, 0, 0));
    SaveAndOpen();
    editor.select(edit::Selection::object(0));
    ASSERT_TRUE(scene.Selected());
    scene.DetachMissionFrames();
    EXPECT_EQ(scene.ObjectsFrame(), nullptr);
    EXPECT_EQ(scene.Selected(), nullptr);
    EXPECT_TRUE(scene.objectFrames().empty());
    EXPECT_TRUE(scene.startPointFrames().empty());
    EXPECT_EQ(scene.Scene()->GetChildren().size(), 4u);
}
