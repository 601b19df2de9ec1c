#pragma once

#include "common/Reporter.h"
#include "edit/MissionEditor.h"
#include "engine/Frame.h"
#include "engine/RenderQuality.h"
#include "engine/Visual.h"
#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"
#include "platform/SettingsStore.h"
#include "workspace/ObjectPiece.h"
#include "workspace/SceneColours.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace zev::workspace {

// The workspace's scene: the frame tree under the scene frame with its two cameras, the light
// frame, the ground plane and the three containers that hold the mission's objects, nav point
// markers and start point markers; the colours of each kind of frame and the commands that
// change them; the render-quality value; day and night.
//
// Frame tags (application data): object slot 0 to 499, start points 500 to 507, nav points
// 600 + star (name: the nav point number), ground plane 2000, group members 3000.
//
// The scene is a picture of a MissionEditor: it adds, removes and places frames when the
// editor tells it and never changes the mission. No OpenGL here: a renderer draws Scene()
// through a viewport bound to CurrentCamera(). Its ScenePositions read the frames back (the
// editor's own are what Save and Build use).
class MissionScene : public mission::ScenePositions, public edit::EditorListener {
public:
    static constexpr double kBackDistance = 30000.0;
    // The windowed day background.
    static constexpr engine::Color kDayBackground{0.59f, 0.74f, 0.85f, 1.0f};

    // Colours come from and go to `settings`. `objectPiece` (not owned, may be null) builds
    // the frames; without it no marker or object is shown.
    MissionScene(platform::SettingsStore& settings, TObjectPiece* objectPiece);
    ~MissionScene() override;
    MissionScene(const MissionScene&) = delete;
    MissionScene& operator=(const MissionScene&) = delete;

    void SetObjectPiece(TObjectPiece* objectPiece) { objectPiece_ = objectPiece; }
    TObjectPiece* ObjectPiece() const { return objectPiece_; }

    // --- set-up of a rendering run
    // The lights (a white point light and a grey ambient light on a light frame under the
    // scene) and the two cameras in their start positions.
    bool SetupLightsAndCameras();
    // SetupLightsAndCameras, the ground plane in its stored colour and the day background. In a
    // full-screen run day and night show or hide the background picture instead of changing
    // the background colour.
    bool Setup(bool fullScreen = false);

    // --- the picture of an editor's mission
    // Shows `editor`'s mission and follows every change of it from now on (null: none).
    void Attach(edit::MissionEditor* editor);
    edit::MissionEditor* Editor() const { return editor_; }
    // For Open: whether an object of a document can be shown, by building its frame (kept for
    // the picture that follows); the converter's error text when it cannot.
    edit::MissionEditor::ShowCheck ShowCheck();
    // For a drop: builds the frame of the object about to be added in `slot`; its error text
    // when it cannot be shown.
    std::optional<std::string> PrepareObject(int slot, const mission::MissionObjectRecord& record);
    // Auto-zoom after a drop: with auto-zoom on, `camera` moves over the object in `slot` at
    // twice its largest extent, keeping its orientation.
    void ZoomOver(int slot, engine::Frame* camera);
    // The box around an object's frame and everything under it, in scene coordinates; nothing
    // when the slot shows nothing.
    std::optional<engine::Box> ObjectBox(int slot) const;
    // Takes the three containers out of the scene.
    void DetachMissionFrames();
    // Both cameras over player 1's start point: the side camera at height 20 looking along +z
    // and turned by the player's heading, the top camera at height 120.
    void PlaceCamerasOverPlayerOne(const mission::MissionDocument& document);
    // The frame that shows a selection; null when none does.
    engine::Frame* FrameOf(const edit::Selection& selection) const;

    // --- edit::EditorListener
    void missionReplaced() override;
    void objectAdded(int slot) override;
    void objectRemoved(int slot) override;
    void objectMoved(int slot) override;
    void objectRecordChanged(int slot) override;
    void startPointChanged(int player) override;
    void navPointsChanged() override;
    void selectionChanged() override;
    // Hidden objects' frames leave the objects container (not drawn, not picked) and come back.
    void hiddenChanged() override;

    // --- frames
    engine::Frame* Scene() const { return scene_.get(); }
    const std::shared_ptr<engine::Frame>& SceneFrame() const { return scene_; }
    const std::shared_ptr<engine::Frame>& SideCamera() const { return sideCamera_; }
    const std::shared_ptr<engine::Frame>& TopCamera() const { return topCamera_; }
    engine::Frame* LightFrame() const { return lightFrame_.get(); }
    engine::Frame* GroundPlane() const;
    engine::Frame* ObjectsFrame() const { return objects_.get(); }
    engine::Frame* NavPointsFrame() const { return navPoints_.get(); }
    engine::Frame* StartPointsFrame() const { return startPoints_.get(); }

    // --- views
    // Which camera the viewport shows: the top camera (top view) or the side camera (front).
    void UseTopView(bool top) { topView_ = top; }
    bool IsTopView() const { return topView_; }
    const std::shared_ptr<engine::Frame>& CurrentCamera() const {
        return topView_ ? topCamera_ : sideCamera_;
    }

    // --- selection: every selected thing in the selection colour; a group in its members
    // The frame of the thing selected last; null when nothing selected is shown.
    engine::Frame* Selected() const;
    std::vector<engine::Frame*> SelectedFrames() const;

    // --- colour commands; each gets the colour chosen in its dialog (ColourDialogStart tells
    // what the dialog opens with) and stores it.
    void GroundPlaneColor1Click(const Rgb& chosen);
    // Both recolour every object: single objects in the standard colour, members of groups in
    // the ready-made group colour.
    void StandardObjectColor1Click(const Rgb& chosen);
    void RMGObjectColor1Click(const Rgb& chosen);
    // Stores the colour and clears the selection so the next pick uses it.
    void SelectedObjectColor1Click(const Rgb& chosen);
    // The start point command's choice is not kept; markers use the "Player N" values.
    void PlayerStartPointColor1Click(const Rgb& chosen);
    // Single objects in the standard colour, group members in the ready-made group colour.
    void RecolourObjects();

    // --- render quality (fill, light and shade bits; starts as 0x89)
    engine::RenderQuality Quality() const { return quality_; }
    void SetQuality(engine::RenderQuality quality) { quality_ = quality; }
    void PointClick() { quality_ = quality_.WithFill(engine::FillMode::Points); }
    void WireFrameClick() { quality_ = quality_.WithFill(engine::FillMode::Wireframe); }
    void SolidClick() { quality_ = quality_.WithFill(engine::FillMode::Solid); }
    void FlatClick() { quality_ = quality_.WithShade(engine::ShadeMode::Flat); }
    void GouraudClick() { quality_ = quality_.WithShade(engine::ShadeMode::Gouraud); }
    void PhongClick() { quality_ = quality_.WithShade(engine::ShadeMode::Phong); }

    // --- day and night
    void DayTime1Click();
    void NightTime1Click();
    bool IsNightTime() const { return night_; }
    bool IsFullScreen() const { return fullScreen_; }
    // Whether the full-screen background picture is drawn behind the scene.
    bool BackgroundPictureShown() const { return fullScreen_ && !night_; }

    // --- positions for Save and Build
    std::vector<mission::FramePlacement> startPointFrames() const override;
    std::vector<mission::FramePlacement> navPointFrames() const override;
    std::vector<mission::FramePlacement> objectFrames() const override;

private:
    // What an object's frame was built from: a change of any of these builds it anew.
    struct BuiltFrom {
        std::string objectName;
        bool group = false;
        std::array<std::int32_t, 3> scale{};
        friend bool operator==(const BuiltFrom&, const BuiltFrom&) = default;
    };
    static BuiltFrom BuiltFromRecord(const mission::MissionObjectRecord& record);

    void MakeContainers();
    void AddStartPointMarkers();
    void AddNavPointMarkers();
    // Builds the frame of a record under `parent` (tag = slot); false with the converter's
    // error when it cannot be shown.
    bool BuildObject(engine::Frame& parent, int slot, const mission::MissionObjectRecord& record);
    // The object's frame under the objects container: a prepared one, or built now.
    void ShowObject(int slot);
    // Position, turns (and a group's scale) of an object's frame from the model.
    void PlaceObject(int slot);
    void RemoveObjectFrame(int slot);
    void PaintSelection();
    void UnpaintSelection();
    Rgb Colour(const platform::ColourKey& key) const;

    platform::SettingsStore& settings_;
    TObjectPiece* objectPiece_;
    TObjectPiece groundMaker_; // makes the ground plane when no object piece is given
    std::shared_ptr<engine::Frame> scene_;
    std::shared_ptr<engine::Frame> sideCamera_;
    std::shared_ptr<engine::Frame> topCamera_;
    std::shared_ptr<engine::Frame> lightFrame_;
    std::shared_ptr<engine::Frame> ground_;
    std::shared_ptr<engine::Frame> objects_;
    std::shared_ptr<engine::Frame> navPoints_;
    std::shared_ptr<engine::Frame> startPoints_;
    edit::MissionEditor* editor_ = nullptr;
    // Frames built ahead of their objects (Open's check, a drop), by tag.
    std::shared_ptr<engine::Frame> prepared_;
    std::array<std::shared_ptr<engine::Frame>, mission::ObjectTable::capacity> objectFrames_;
    std::array<BuiltFrom, mission::ObjectTable::capacity> builtFrom_;
    // The frames in the selection colour and the colour each had before.
    struct Painted {
        std::weak_ptr<engine::Frame> frame;
        engine::Color saved;
    };
    std::vector<Painted> painted_;
    std::shared_ptr<engine::Frame> hiddenObjects_;
    bool topView_ = false;
    bool fullScreen_ = false;
    bool night_ = false;
    engine::RenderQuality quality_;
};

} // namespace zev::workspace
