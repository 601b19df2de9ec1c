#pragma once

#include "common/Reporter.h"
#include "engine/Frame.h"
#include "engine/RenderQuality.h"
#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"
#include "platform/SettingsStore.h"
#include "workspace/ObjectPiece.h"
#include "workspace/SceneColours.h"

#include <memory>

namespace zev::workspace {

// The workspace's scene: the frame tree under the scene frame with its two cameras, the light
// frame, the ground plane and the three containers that hold the mission's objects, nav point
// markers and start point markers; the colours of each kind of frame and the commands that
// change them; the render-quality value; day and night.
//
// Frame tags (application data): object slot 0 to 499, start points 500 to 507, nav points
// 600 + star (name: the nav point number), ground plane 2000, group members 3000.
//
// No OpenGL here: a renderer draws Scene() through a viewport bound to CurrentCamera(). Save
// and Build read the frames through the ScenePositions this class implements.
class MissionScene : public mission::ScenePositions {
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

    // --- missions
    // A new mission (the document already reset): the containers made anew, a marker for each
    // start point and each nav point in use, the cameras over player 1.
    bool BuildMissionScene(const mission::MissionDocument& document, common::Reporter& reporter);
    // A mission just read from a file: as BuildMissionScene, plus a frame for each object. An
    // object that cannot be shown is freed from the document and the geometry's error text is
    // shown (caption "ZEVEDIT 3D"); loading goes on with the next.
    bool LoadMissionScene(mission::MissionDocument& document, common::Reporter& reporter);
    // Takes the three containers out of the scene (before a mission is read).
    void DetachMissionFrames();
    // After the nav point editor: marks the mission modified and makes the nav point markers
    // anew from the records.
    void RebuildNavPointMarkers(mission::MissionDocument& document);
    // The frame of the object in `slot` under the objects container, in the standard or the
    // ready-made group colour; with a camera given and auto-zoom on, the camera moves over it.
    // False (the object piece's LastError() tells why) when it cannot be shown.
    bool ShowObject(const mission::MissionDocument& document, int slot, engine::Frame* camera);
    // Both cameras over player 1's start point: the side camera at height 20 looking along +z
    // and turned by the player's heading, the top camera at height 120.
    void PlaceCamerasOverPlayerOne(const mission::MissionDocument& document);

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

    // --- selection
    // Highlights a picked frame in the selection colour, giving the previous selection back its
    // colour first. A group member selects its whole group. The ground plane and frames outside
    // the objects and marker containers are not selected (false).
    bool SelectFrame(engine::Frame* picked);
    // Gives the selected frame back its colour and selects nothing.
    void ClearSelection();
    engine::Frame* Selected() const { return selected_.lock().get(); }

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
    void MakeContainers();
    void AddStartPointMarkers(const mission::MissionDocument& document);
    void AddNavPointMarkers(const mission::MissionDocument& document);
    void PaintSelection(engine::Frame& frame, engine::Color colour);
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
    std::weak_ptr<engine::Frame> selected_;
    engine::Color selectedSavedColour_;
    bool topView_ = false;
    bool fullScreen_ = false;
    bool night_ = false;
    engine::RenderQuality quality_;
};

} // namespace zev::workspace
