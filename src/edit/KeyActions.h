#pragma once

#include "GridSnap.h"
#include "MissionEditor.h"
#include "TurnCommands.h"

#include "engine/Frame.h"

#include <array>
#include <cstdint>
#include <functional>

namespace zev::edit {

// The five step sizes of the key actions and the auto-zoom switch, kept per rendering mode.
struct WorkspaceSpeeds {
    int objectRotation = 10; // degrees per frame
    int objectMovement = 10; // hundredths of a workspace unit per frame
    int cameraMovement = 10; // workspace units per frame
    int cameraUpDown = 10;   // workspace units per frame
    int cameraSteering = 10; // hundredths of a radian per frame
    bool autoZoom = true;
};

enum class WorkspaceView { Front = 0, Top = 1 };

// The workspace's two cameras under the scene frame.
struct CameraRig {
    engine::Frame* scene = nullptr;
    engine::Frame* side = nullptr;
    engine::Frame* top = nullptr;
};

// The lowest heights action 20 takes the cameras to.
constexpr double kSideCameraFloor = 35;
constexpr double kTopCameraFloor = 20;

// The workspace key actions 1 to 23: turns and moves of everything selected as merging undo
// steps on the editor, the deletion of the selected objects, camera flying on the rig, the view
// switch and the tool switches.
class KeyActions {
public:
    KeyActions(MissionEditor& editor, CameraRig cameras, WorkspaceSpeeds& speeds)
        : editor_(editor), cameras_(cameras), speeds_(speeds) {}

    // Runs one action (once per drawn frame per held key); `nowMs` lets a held key's repeats
    // merge into one step.
    void run(int action, std::int64_t nowMs);

    WorkspaceView view() const { return view_; }
    engine::Frame* currentCamera() const;
    // The view buttons: the switch without the view lock and without the tool buttons.
    void showTopView() { switchView(WorkspaceView::Top, false); }
    void showFrontView() { switchView(WorkspaceView::Front, false); }
    bool viewLock = false;

    // The tool buttons as the actions see them, and what the window does on a switch.
    bool dropperEnabled = false;
    bool dropperDown = false;
    std::function<void(bool dropper)> onToolSwitch;
    // The view changed by a key (17 or 18): the window presses the matching view button.
    std::function<void(WorkspaceView)> onViewKey;
    // Snapping of the moves (and the mouse tools' drags and turns); none: never on.
    const GridSnap* snap = nullptr;
    bool snapping() const { return snap && snap->on; }

private:
    void turnSelection(int axis, int sign, std::int64_t nowMs);
    void moveSelection(const engine::Vector3& step, std::int64_t nowMs);
    void switchView(WorkspaceView to, bool fromKey);
    void flyCamera(int action);

    MissionEditor& editor_;
    CameraRig cameras_;
    WorkspaceSpeeds& speeds_;
    WorkspaceView view_ = WorkspaceView::Front;
    int lastAction_ = 0;
    // Snapped moves: a fresh press moves one grid step at once; held, the next step follows
    // once the plain moves would have gone a grid step. Per move action (7 to 12).
    struct SnapTravel {
        std::int64_t lastRunMs = -1000;
        double travelled = 0;
    };
    std::array<SnapTravel, 6> snapTravel_{};
    bool snapStepDue(int action, double plainStep, std::int64_t nowMs);
};

} // namespace zev::edit
