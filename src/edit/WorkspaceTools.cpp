#include "WorkspaceTools.h"

#include "MarkerCommands.h"
#include "ObjectCommands.h"
#include "PointerDrag.h"
#include "TurnCommands.h"

#include "common/Numbers.h"
#include "mission/MissionObjectRecord.h"
#include "mission/StartPointRecord.h"

#include <cmath>
#include <cstdio>

namespace zev::edit {

using engine::Vector3;
using mission::MissionObjectRecord;
using mission::StartPointRecord;

namespace {

constexpr std::int32_t kGroundTag = 2000;
constexpr std::int32_t kGroupMemberTag = 3000;
constexpr std::int32_t kStartPointTag = 500;
constexpr std::int32_t kNavPointTag = 600;

int gameUnits(double coordinate) {
    return static_cast<int>(std::trunc(coordinate)) * 100;
}

} // namespace

std::optional<Selection> selectionOfFrame(const engine::Frame& picked) {
    const engine::Frame* frame = &picked;
    if (frame->GetAppData() == kGroupMemberTag)
        frame = frame->GetParent();
    if (!frame)
        return std::nullopt;
    const std::int32_t tag = frame->GetAppData();
    if (tag >= 0 && tag < kStartPointTag)
        return Selection::object(tag);
    if (tag >= kStartPointTag && tag < kStartPointTag + mission::kPlayerCount)
        return Selection::startPoint(tag - kStartPointTag + 1);
    if (tag >= kNavPointTag && tag < kNavPointTag + mission::kStarCount)
        return Selection::navPoint(tag - kNavPointTag, common::leadingInt(frame->GetName()));
    return std::nullopt; // the ground (2000) and frames of no mission thing
}

std::string StatusReadout::panel(int index) const {
    if (index == 0)
        return text;
    const char* const formats[] = {"X= %d", "Y= %d", "Z= %d"};
    const int values[] = {x, y, z};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, formats[index - 1], values[index - 1]);
    return buffer;
}

StatusReadout statusFor(const MissionEditor& editor, const std::optional<PickedThing>& hovered,
                        const Vector3& sideCamera) {
    StatusReadout readout;
    Vector3 at = sideCamera;
    readout.text = "Current Camera Position";
    if (hovered) {
        const Selection& s = hovered->selection;
        char buffer[256];
        switch (s.kind) {
        case Selection::Kind::Object:
            if (const MissionObjectRecord* r = editor.document().objects.find(s.id)) {
                std::snprintf(buffer, sizeof buffer, "%s    %s   %s",
                              r->text(MissionObjectRecord::menuText).c_str(),
                              r->text(MissionObjectRecord::objectName).c_str(),
                              r->text(MissionObjectRecord::alternateName).c_str());
                readout.text = buffer;
                at = hovered->position;
            }
            break;
        case Selection::Kind::StartPoint:
            std::snprintf(buffer, sizeof buffer, "Start Point for Player %d", s.id);
            readout.text = buffer;
            at = hovered->position;
            break;
        case Selection::Kind::NavPoint:
            std::snprintf(buffer, sizeof buffer, "Nav Point %d for Star %d", s.id + 1, s.star);
            readout.text = buffer;
            at = hovered->position;
            break;
        case Selection::Kind::None:
            break;
        }
    }
    readout.x = gameUnits(at.x);
    readout.y = gameUnits(at.y);
    readout.z = gameUnits(at.z);
    return readout;
}

// --- picking

std::optional<Vector3> WorkspaceTools::positionOf(const Selection& selection) const {
    switch (selection.kind) {
    case Selection::Kind::Object:
        return editor_.objectPosition(selection.id);
    case Selection::Kind::StartPoint:
        return editor_.startPointPosition(selection.id);
    case Selection::Kind::NavPoint:
        for (const NavPointMarker& m : editor_.navPointMarkers())
            if (m.star == selection.star && m.index == selection.id)
                return m.position;
        return std::nullopt;
    case Selection::Kind::None:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<PickedThing> WorkspaceTools::hoverAt(int x, int y) const {
    const engine::Viewport* viewport = view_.viewport();
    if (!viewport)
        return std::nullopt;
    const std::vector<engine::PickHit> hits = viewport->Pick(x, y);
    if (hits.empty() || !hits.front().GetFrame())
        return std::nullopt;
    const auto selection = selectionOfFrame(*hits.front().GetFrame());
    if (!selection)
        return std::nullopt;
    const auto position = positionOf(*selection);
    if (!position)
        return std::nullopt;
    return PickedThing{*selection, *position};
}

bool WorkspaceTools::pickAt(int x, int y) {
    const auto picked = hoverAt(x, y);
    if (!picked) {
        editor_.select(Selection::none());
        return false;
    }
    editor_.select(picked->selection);
    originX_ = x;
    originY_ = y;
    originPosition_ = picked->position;
    return true;
}

// --- mouse events

MouseGesture gestureFor(bool dropping, MouseButton button) {
    for (const MouseGestureRow& row : kMouseGestures)
        if (row.dropper == dropping && row.button == button)
            return row.gesture;
    return MouseGesture::None;
}

void WorkspaceTools::press(MouseButton button, int x, int y, bool menuMode) {
    if (editor_.inGesture())
        return; // the other button's drag goes on
    if (button == MouseButton::Left)
        leftDrag_ = true;
    else
        rightDrag_ = true;
    switch (gestureFor(dropsHere(), button)) {
    case MouseGesture::Drop: {
        leftDrag_ = false;
        const engine::Viewport* viewport = view_.viewport();
        if (!menuMode && viewport && cameras_.top && palette)
            dropper_.drop(palette(), pointUnderMouse(*viewport, *cameras_.top, x, y));
        return;
    }
    case MouseGesture::Move:
        if (pickAt(x, y))
            beginDrag("Move");
        return;
    case MouseGesture::Turn:
        if (pickAt(x, y)) {
            lastX_ = x;
            beginDrag("Turn");
        }
        return;
    case MouseGesture::None:
        return;
    }
}

void WorkspaceTools::beginDrag(const char* what) {
    const char* thing = editor_.selection().kind == Selection::Kind::Object       ? " Object"
                        : editor_.selection().kind == Selection::Kind::StartPoint ? " Start Point"
                                                                                  : " Nav Point";
    editor_.endMerging();
    editor_.beginGesture(std::string(what) + thing);
}

void WorkspaceTools::move(int x, int y, bool menuMode) {
    if (doubleClickPending_ || menuMode)
        return;
    const bool selected = editor_.selection().kind != Selection::Kind::None;
    if ((leftDrag_ || rightDrag_) && selected && !pointerHidden_) {
        view_.capturePointer(true);
        pointerHidden_ = true;
    }
    if (leftDrag_ && selected && pointerHidden_) {
        dragTo(x, y);
        view_.drawNow();
    } else if (rightDrag_ && selected && pointerHidden_) {
        turnBy(x);
        lastX_ = x;
        view_.drawNow();
    }
    if (windowed)
        view_.showStatus(
            statusFor(editor_, hoverAt(x, y),
                      cameras_.side ? cameras_.side->GetPosition(cameras_.scene) : Vector3{}));
}

void WorkspaceTools::dragTo(int x, int y) {
    const engine::Viewport* viewport = view_.viewport();
    if (!viewport)
        return;
    const Selection sel = editor_.selection();
    const auto from = positionOf(sel);
    if (!from)
        return;
    const auto followed =
        followPointer(*viewport, keys_.view(), originPosition_, originX_, originY_, x, y);
    if (!followed)
        return;
    // Whole units as always, or the grid's lines while snapping is on.
    const GridSnap grid = keys_.snapping() ? *keys_.snap : GridSnap{};
    Vector3 to = *from;
    if (keys_.view() == WorkspaceView::Top) {
        to.x = grid.place(followed->x);
        to.z = grid.place(followed->z);
    } else {
        to.y = grid.place(followed->y);
    }
    if (to == *from)
        return;
    switch (sel.kind) {
    case Selection::Kind::Object:
        editor_.execute(std::make_unique<MoveObjectCommand>(sel.id, *from, to));
        break;
    case Selection::Kind::StartPoint:
        editor_.execute(std::make_unique<MoveStartPointCommand>(sel.id, *from, to));
        break;
    case Selection::Kind::NavPoint:
        editor_.execute(std::make_unique<MoveNavPointCommand>(sel.star, sel.id, *from, to));
        break;
    case Selection::Kind::None:
        break;
    }
}

void WorkspaceTools::turnBy(int x) {
    const bool greater = x > lastX_;
    const bool top = keys_.view() == WorkspaceView::Top;
    int step = (top == greater) ? kTurnStep : -kTurnStep;
    if (keys_.snapping()) {
        // Snapped, three steps of the pointer make one turn to the next multiple of 15.
        if ((snapTurn_ > 0) != (step > 0))
            snapTurn_ = 0;
        snapTurn_ += step;
        if (std::abs(snapTurn_) < GridSnap::kAngleStep)
            return;
        snapTurn_ = 0;
        const auto degrees = selectionHeading(editor_);
        if (!degrees)
            return;
        step = GridSnap{true}.turn(*degrees, step > 0 ? 1 : -1, kTurnStep) - *degrees;
    }
    if (auto turn = turnSelectionCommand(editor_, 1, step))
        editor_.execute(std::move(turn));
}

void WorkspaceTools::endDrag(bool keep) {
    leftDrag_ = rightDrag_ = false;
    if (pointerHidden_) {
        view_.capturePointer(false);
        pointerHidden_ = false;
    }
    if (keep)
        editor_.commitGesture();
    else
        editor_.cancelGesture();
}

void WorkspaceTools::release() {
    endDrag(true);
    if (doubleClickPending_) {
        doubleClickPending_ = false;
        if (editor_.selection().kind != Selection::Kind::None)
            view_.editSelection();
    }
}

void WorkspaceTools::cancelDrag() {
    if (!dragging() && !editor_.inGesture())
        return;
    endDrag(false);
    view_.drawNow();
}

// --- tool buttons

void WorkspaceTools::useDropper() {
    if (dropperOn_)
        return;
    dropperOn_ = true;
    frontViewRemembered_ = keys_.view() == WorkspaceView::Front;
    keys_.viewLock = true;
    keys_.dropperDown = true;
    keys_.showTopView();
    view_.showToolPointer(true);
}

void WorkspaceTools::useMouse() {
    if (!dropperOn_)
        return;
    dropperOn_ = false;
    keys_.viewLock = false;
    keys_.dropperDown = false;
    if (keys_.view() == WorkspaceView::Top && frontViewRemembered_)
        keys_.showFrontView();
    view_.showToolPointer(false);
}

} // namespace zev::edit
