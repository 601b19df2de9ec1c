#include "KeyActions.h"

#include "SelectionCommands.h"
#include "TurnCommands.h"

#include <cmath>

namespace zev::edit {

using engine::Vector3;

namespace {

// Rodrigues' rotation of `v` about the unit axis `k`.
Vector3 rotateAbout(const Vector3& v, const Vector3& k, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return v * c + Vector3::Cross(k, v) * s + k * (Vector3::Dot(k, v) * (1 - c));
}

// Actions that make undo steps; a change of action ends the merging of a held key.
bool isEditAction(int action) {
    return (action >= 1 && action <= 12) || action == 21;
}

} // namespace

engine::Frame* KeyActions::currentCamera() const {
    return view_ == WorkspaceView::Front ? cameras_.side : cameras_.top;
}

void KeyActions::run(int action, std::int64_t nowMs) {
    if (isEditAction(action) && action != lastAction_) {
        editor_.endMerging();
        lastAction_ = action;
    }
    const double m = 0.01 * speeds_.objectMovement;
    switch (action) {
    case 1:
    case 2:
        return turnSelection(1, action == 1 ? 1 : -1, nowMs);
    case 3:
    case 4:
        return turnSelection(0, action == 3 ? 1 : -1, nowMs);
    case 5:
    case 6:
        return turnSelection(2, action == 5 ? 1 : -1, nowMs);
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
        if (snapping() && !snapStepDue(action, m, nowMs))
            return;
        break;
    default:
        break;
    }
    switch (action) {
    case 7:
        return moveSelection({m, 0, 0}, nowMs);
    case 8:
        return moveSelection({-m, 0, 0}, nowMs);
    case 9:
        return moveSelection({0, m, 0}, nowMs);
    case 10:
        return moveSelection({0, -m, 0}, nowMs);
    case 11:
        return moveSelection({0, 0, m}, nowMs);
    case 12:
        return moveSelection({0, 0, -m}, nowMs);
    case 17:
        return switchView(WorkspaceView::Top, true);
    case 18:
        return switchView(WorkspaceView::Front, true);
    case 21:
        deleteSelectedObjects(editor_);
        return;
    case 22:
        if (dropperEnabled && !dropperDown && onToolSwitch)
            onToolSwitch(true);
        return;
    case 23:
        if (dropperEnabled && dropperDown && onToolSwitch)
            onToolSwitch(false);
        return;
    default:
        return flyCamera(action);
    }
}

void KeyActions::turnSelection(int axis, int sign, std::int64_t nowMs) {
    if (auto turn = turnSelectionCommand(editor_, axis, sign * speeds_.objectRotation))
        editor_.execute(std::move(turn), nowMs);
}

bool KeyActions::snapStepDue(int action, double plainStep, std::int64_t nowMs) {
    // Frames of a held key follow each other within this; a longer gap is a new press.
    constexpr std::int64_t kHeldGapMs = 150;
    SnapTravel& t = snapTravel_.at(std::size_t(action - 7));
    const bool fresh = nowMs - t.lastRunMs > kHeldGapMs;
    t.lastRunMs = nowMs;
    if (fresh) {
        t.travelled = 0;
        return true;
    }
    t.travelled += plainStep;
    if (t.travelled + 1e-9 < snap->size) // tenths add up to a hair under a unit
        return false;
    t.travelled -= snap->size;
    return true;
}

void KeyActions::moveSelection(const Vector3& plainStep, std::int64_t nowMs) {
    // With snapping on, the thing selected last moves to the next grid line along the step's
    // axis and the others keep their places beside it.
    Vector3 step = plainStep;
    if (snapping())
        if (const auto p = editor_.positionOf(editor_.selection()))
            step = Vector3{snap->keyMove(p->x, plainStep.x), snap->keyMove(p->y, plainStep.y),
                           snap->keyMove(p->z, plainStep.z)} -
                   *p;
    if (auto move = moveSelectionCommand(editor_, step))
        editor_.execute(std::move(move), nowMs);
}

void KeyActions::switchView(WorkspaceView to, bool fromKey) {
    if (view_ == to || (fromKey && viewLock) || !cameras_.side || !cameras_.top)
        return;
    engine::Frame* scene = cameras_.scene;
    const Vector3 side = cameras_.side->GetPosition(scene);
    const Vector3 top = cameras_.top->GetPosition(scene);
    if (to == WorkspaceView::Top)
        cameras_.top->SetPosition(scene, side.x, top.y, side.z);
    else
        cameras_.side->SetPosition(scene, top.x, side.y, top.z);
    view_ = to;
    if (fromKey && onViewKey)
        onViewKey(to);
}

void KeyActions::flyCamera(int action) {
    if (!cameras_.side || !cameras_.top)
        return;
    engine::Frame* scene = cameras_.scene;
    const double c = speeds_.cameraMovement;
    const bool front = view_ == WorkspaceView::Front;
    engine::Frame* camera = currentCamera();
    Vector3 p = camera->GetPosition(scene);
    switch (action) {
    case 13:
    case 14:
        if (front)
            camera->SetPosition(camera, 0, 0, action == 13 ? c : -c);
        else
            camera->SetPosition(scene, p.x, p.y, p.z + (action == 13 ? c : -c));
        return;
    case 15:
    case 16:
        if (front) {
            const engine::Orientation o = camera->GetOrientation(scene);
            const double angle = (action == 15 ? -0.01 : 0.01) * speeds_.cameraSteering;
            camera->SetOrientation(scene, rotateAbout(o.direction, o.up.Normalized(), angle), o.up);
        } else {
            camera->SetPosition(scene, p.x + (action == 15 ? -c : c), p.y, p.z);
        }
        return;
    case 19:
        camera->SetPosition(scene, p.x, p.y + speeds_.cameraUpDown, p.z);
        return;
    case 20: {
        const double floor = front ? kSideCameraFloor : kTopCameraFloor;
        camera->SetPosition(scene, p.x, std::max(p.y - speeds_.cameraUpDown, floor), p.z);
        return;
    }
    default:
        return;
    }
}

} // namespace zev::edit
