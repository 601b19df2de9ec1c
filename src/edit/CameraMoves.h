#pragma once

#include "KeyActions.h"

#include "engine/Frame.h"
#include "engine/Math.h"
#include "engine/Viewport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zev::edit {

// Where a camera stands and where it looks, in scene coordinates.
struct CameraPose {
    engine::Vector3 position;
    engine::Vector3 direction{0, 0, 1};
    engine::Vector3 up{0, 1, 0};
    friend bool operator==(const CameraPose&, const CameraPose&) = default;
};
CameraPose poseOf(const engine::Frame& camera, const engine::Frame* scene);
void applyPose(engine::Frame& camera, const engine::Frame* scene, const CameraPose& pose);

// Both cameras of the workspace and the view that shows: what a bookmark keeps.
struct WorkspaceCameras {
    WorkspaceView view = WorkspaceView::Front;
    CameraPose side;
    CameraPose top;
    friend bool operator==(const WorkspaceCameras&, const WorkspaceCameras&) = default;
};
// As text for the settings, and back (nothing for text that is not one).
std::string camerasText(const WorkspaceCameras& cameras);
std::optional<WorkspaceCameras> camerasFromText(const std::string& text);

// Where a ray meets the plane through `point` with `normal` in front of its origin.
std::optional<engine::Vector3> planeHit(const engine::Ray& ray, const engine::Vector3& point,
                                        const engine::Vector3& normal);
// Where a ray meets the ground plane (y = 0) in front of its origin.
std::optional<engine::Vector3> groundHit(const engine::Ray& ray);

// A box around what is to be framed, in scene coordinates.
struct Bounds {
    engine::Vector3 low;
    engine::Vector3 high;
    engine::Vector3 centre() const { return (low + high) * 0.5; }
    // Half the box's diagonal: a sphere around the box.
    double radius() const { return (high - low).Length() * 0.5; }
};

// The camera pose that shows `bounds` filling about half the view: the front view keeps its
// viewing direction and backs away from the centre, the top view stands over it.
CameraPose framingPose(const CameraPose& current, WorkspaceView view, const Bounds& bounds,
                       double field);

// A camera gliding from one pose to another over a fraction of a second.
class CameraFlight {
public:
    static constexpr std::int64_t kDurationMs = 300;
    CameraFlight(const CameraPose& from, const CameraPose& to, std::int64_t startMs)
        : from_(from), to_(to), startMs_(startMs) {}
    // The pose at `nowMs` (eased at both ends) and whether the flight has arrived.
    CameraPose poseAt(std::int64_t nowMs) const;
    bool arrived(std::int64_t nowMs) const { return nowMs - startMs_ >= kDurationMs; }

private:
    CameraPose from_, to_;
    std::int64_t startMs_;
};

// The mouse's camera moves, on the camera of the current view; none changes the mission.
// Wheel: toward or away from the point under the pointer (the top view changes its height and
// keeps that point under the pointer). Pan (middle button): the point grabbed stays under the
// pointer. Orbit (Alt + left, front view): about a centre, keeping it in view. Look (right
// button on nothing): the front camera turns where it stands. Steps scale with the camera
// speeds of "User POV Camera Control" (10 is the usual step).
class CameraNavigator {
public:
    // Ground floors as the key actions keep them; the wheel never takes the front camera below
    // this either.
    static constexpr double kWheelFloor = 2;

    CameraNavigator(CameraRig cameras, const WorkspaceSpeeds& speeds)
        : cameras_(cameras), speeds_(speeds) {}

    void wheel(const engine::Viewport& viewport, WorkspaceView view, double x, double y,
               double notches);

    enum class Drag { None, Pan, Orbit, Look };
    // `centre`: what the orbit turns about (the selection's centre), else the ground point
    // under the pointer.
    void begin(Drag drag, const engine::Viewport& viewport, WorkspaceView view, double x, double y,
               std::optional<engine::Vector3> centre = std::nullopt);
    void dragTo(const engine::Viewport& viewport, double x, double y);
    void end() { drag_ = Drag::None; }
    Drag dragging() const { return drag_; }

private:
    engine::Frame* camera(WorkspaceView view) const;
    double speedScale(int speed) const { return speed / 10.0; }

    CameraRig cameras_;
    const WorkspaceSpeeds& speeds_;
    Drag drag_ = Drag::None;
    engine::Frame* camera_ = nullptr;
    CameraPose startPose_;
    engine::Vector3 grabbed_;     // pan: the point held under the pointer
    engine::Vector3 planeNormal_; // pan: the plane it moves in
    engine::Vector3 centre_;      // orbit
    double startX_ = 0, startY_ = 0;
};

// The mouse's camera gestures: which button (with Alt or not) starts which drag, and the words
// the keys reference shows. The workspace picks its drag here, so the reference and the
// behaviour cannot part.
enum class CameraButton { Left, Middle, Right };
struct CameraGestureRow {
    CameraButton button;
    bool withAlt; // only with Alt held; otherwise with or without it
    CameraNavigator::Drag drag;
    const char* input;
    const char* what;
};
inline constexpr CameraGestureRow kCameraGestures[] = {
    {CameraButton::Middle, false, CameraNavigator::Drag::Pan, "Middle drag",
     "Pans the camera: the point grabbed stays under the pointer"},
    {CameraButton::Left, true, CameraNavigator::Drag::Orbit, "Alt + left drag",
     "Orbits the front camera about the selection, or the ground point under the pointer"},
    {CameraButton::Right, false, CameraNavigator::Drag::Look, "Right drag on nothing",
     "Turns the front camera where it stands (over an object the Mouse tool turns the object)"},
};
inline constexpr const char* kCameraWheelGesture[2] = {
    "Wheel", "Moves the camera toward or away from the point under the pointer"};
// The drag a press of `button` starts; None when it starts no camera move.
CameraNavigator::Drag cameraDragFor(CameraButton button, bool altHeld);

} // namespace zev::edit
