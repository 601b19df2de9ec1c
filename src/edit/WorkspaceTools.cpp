#include "WorkspaceTools.h"

#include "PointerDrag.h"
#include "TurnCommands.h"

#include "common/Numbers.h"
#include "mission/MissionObjectRecord.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zev::edit {

using engine::Vector3;
using mission::MissionObjectRecord;

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

bool ScreenRectangle::contains(double x, double y) const {
    return x >= std::min(x0, x1) && x <= std::max(x0, x1) && y >= std::min(y0, y1) &&
           y <= std::max(y0, y1);
}

// --- picking

std::optional<PickedThing> WorkspaceTools::hoverAt(int x, int y) const {
    const engine::Viewport* viewport = view_.viewport();
    if (!viewport)
        return std::nullopt;
    for (const engine::PickHit& hit : viewport->Pick(x, y)) {
        if (!hit.GetFrame())
            return std::nullopt;
        const auto selection = selectionOfFrame(*hit.GetFrame());
        if (!selection)
            return std::nullopt;
        // A hidden object is not there for the pointer: what lies behind it is.
        if (selection->kind == Selection::Kind::Object && editor_.isHidden(selection->id))
            continue;
        const auto position = editor_.positionOf(*selection);
        if (!position)
            return std::nullopt;
        return PickedThing{*selection, *position};
    }
    return std::nullopt;
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

std::vector<Selection> WorkspaceTools::thingsInside(const ScreenRectangle& rectangle) const {
    std::vector<Selection> inside;
    const engine::Viewport* viewport = view_.viewport();
    if (!viewport || !editor_.hasMission())
        return inside;
    const auto take = [&](const Selection& thing, const Vector3& at) {
        const engine::Vector4 s = viewport->Transform(at);
        if (s.w > 0 && rectangle.contains(s.x / s.w, s.y / s.w))
            inside.push_back(thing);
    };
    for (int slot : shownObjects(editor_))
        take(Selection::object(slot), *editor_.objectPosition(slot));
    for (int player = 1; player <= mission::kPlayerCount; ++player)
        take(Selection::startPoint(player), editor_.startPointPosition(player));
    for (const NavPointMarker& m : editor_.navPointMarkers())
        take(Selection::navPoint(m.star, m.index), m.position);
    return inside;
}

// --- mouse events

MouseGesture gestureFor(bool dropping, MouseButton button) {
    for (const MouseGestureRow& row : kMouseGestures)
        if (row.dropper == dropping && row.button == button)
            return row.gesture;
    return MouseGesture::None;
}

void WorkspaceTools::press(MouseButton button, int x, int y, bool menuMode, PressKeys keys) {
    if (editor_.inGesture() || rectangle_)
        return; // the other button's drag goes on
    if (button == MouseButton::Right)
        rightDrag_ = true;
    switch (gestureFor(dropsHere(), button)) {
    case MouseGesture::Drop: {
        const engine::Viewport* viewport = view_.viewport();
        if (!menuMode && viewport && cameras_.top && palette)
            dropper_.drop(palette(), pointUnderMouse(*viewport, *cameras_.top, x, y));
        return;
    }
    case MouseGesture::Move:
        return pressLeft(x, y, keys);
    case MouseGesture::Turn:
        return pressRight(x, y);
    case MouseGesture::None:
        return;
    }
}

void WorkspaceTools::pressLeft(int x, int y, PressKeys keys) {
    const auto picked = hoverAt(x, y);
    if (!picked) {
        // Empty ground: a rectangle, however much is selected elsewhere.
        rectangle_ = ScreenRectangle{x, y, x, y};
        rectangleMode_ = keys.control && keys.shift   ? RectangleMode::Remove
                         : keys.control || keys.shift ? RectangleMode::Add
                                                      : RectangleMode::Replace;
        return;
    }
    const Selection& thing = picked->selection;
    if (keys.control) {
        editor_.toggleSelected(thing);
        return;
    }
    if (keys.shift)
        editor_.addToSelection({thing});
    else if (!editor_.isSelected(thing))
        editor_.select(thing);
    else if (editor_.selectionSize() > 1)
        clickSelects_ = thing;
    leftDrag_ = true;
    beginDrag("Move", *picked, x, y);
}

void WorkspaceTools::pressRight(int x, int y) {
    const auto picked = hoverAt(x, y);
    if (!picked) {
        editor_.select(Selection::none());
        return;
    }
    if (!editor_.isSelected(picked->selection))
        editor_.select(picked->selection);
    lastX_ = x;
    turned_ = 0;
    snapTurn_ = 0;
    headingAtStart_ = selectionHeading(editor_).value_or(0);
    beginDrag("Turn", *picked, x, y);
}

void WorkspaceTools::beginDrag(const char* what, const PickedThing& on, int x, int y) {
    originX_ = x;
    originY_ = y;
    originPosition_ = on.position;
    origins_ = selectionOrigins(editor_);
    centre_ = centreOf(origins_);
    moved_ = false;
    editor_.endMerging();
    editor_.beginGesture(std::string(what) + " " + selectionNoun(editor_));
}

void WorkspaceTools::move(int x, int y, bool menuMode) {
    if (doubleClickPending_ || menuMode)
        return;
    if (rectangle_) {
        rectangle_->x1 = x;
        rectangle_->y1 = y;
        view_.showRectangle(rectangle_);
    }
    const bool carrying = editor_.inGesture() && !origins_.empty();
    if ((leftDrag_ || rightDrag_) && carrying && !pointerHidden_) {
        view_.capturePointer(true);
        pointerHidden_ = true;
    }
    if (leftDrag_ && carrying && pointerHidden_) {
        dragTo(x, y);
        view_.drawNow();
    } else if (rightDrag_ && carrying && pointerHidden_) {
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
    const auto followed =
        followPointer(*viewport, keys_.view(), originPosition_, originX_, originY_, x, y);
    if (!followed)
        return;
    // The picked thing lands where the pointer says, on whole units (or the grid's lines while
    // snapping is on); the others keep their places beside it.
    const GridSnap grid = keys_.snapping() ? *keys_.snap : GridSnap{};
    Vector3 offset;
    if (keys_.view() == WorkspaceView::Top) {
        offset.x = grid.place(followed->x) - originPosition_.x;
        offset.z = grid.place(followed->z) - originPosition_.z;
    } else {
        offset.y = grid.place(followed->y) - originPosition_.y;
    }
    if (auto step = moveThingsCommand(editor_, origins_, offset)) {
        editor_.execute(std::move(step));
        moved_ = true;
    }
}

void WorkspaceTools::turnBy(int x) {
    const bool greater = x > lastX_;
    const bool top = keys_.view() == WorkspaceView::Top;
    int step = (top == greater) ? kTurnStep : -kTurnStep;
    if (keys_.snapping()) {
        // Snapped, three steps of the pointer make one turn, to the next multiple of 15 degrees
        // of the thing turned.
        if ((snapTurn_ > 0) != (step > 0))
            snapTurn_ = 0;
        snapTurn_ += step;
        if (std::abs(snapTurn_) < GridSnap::kAngleStep)
            return;
        snapTurn_ = 0;
        const int now = normalisedDegrees(headingAtStart_ + turned_);
        step = GridSnap{true}.turn(now, step > 0 ? 1 : -1, kTurnStep) - now;
        if (step > 180)
            step -= 360;
        if (step < -180)
            step += 360;
    }
    turned_ += step;
    if (auto turn = turnThingsCommand(editor_, origins_, centre_, 1, step, turned_)) {
        editor_.execute(std::move(turn));
        moved_ = true;
    }
}

void WorkspaceTools::endDrag(bool keep) {
    leftDrag_ = rightDrag_ = false;
    origins_.clear();
    if (pointerHidden_) {
        view_.capturePointer(false);
        pointerHidden_ = false;
    }
    if (keep)
        editor_.commitGesture();
    else
        editor_.cancelGesture();
}

void WorkspaceTools::finishRectangle() {
    const ScreenRectangle r = *rectangle_;
    rectangle_.reset();
    view_.showRectangle(std::nullopt);
    // A click on the ground: nothing selected (a click with Ctrl or Shift keeps the selection).
    if (std::abs(r.x1 - r.x0) < 3 && std::abs(r.y1 - r.y0) < 3) {
        if (rectangleMode_ == RectangleMode::Replace)
            editor_.select(Selection::none());
        return;
    }
    const std::vector<Selection> inside = thingsInside(r);
    switch (rectangleMode_) {
    case RectangleMode::Replace:
        return editor_.setSelection(inside);
    case RectangleMode::Add:
        return editor_.addToSelection(inside);
    case RectangleMode::Remove:
        return editor_.removeFromSelection(inside);
    }
}

void WorkspaceTools::release() {
    if (rectangle_)
        finishRectangle();
    const bool moved = moved_;
    endDrag(true);
    moved_ = false;
    if (clickSelects_) {
        if (!moved)
            editor_.select(*clickSelects_);
        clickSelects_.reset();
    }
    if (doubleClickPending_) {
        doubleClickPending_ = false;
        if (editor_.selection().kind != Selection::Kind::None)
            view_.editSelection();
    }
}

void WorkspaceTools::cancelDrag() {
    if (rectangle_) {
        rectangle_.reset();
        view_.showRectangle(std::nullopt);
        view_.drawNow();
        return;
    }
    if (!leftDrag_ && !rightDrag_ && !editor_.inGesture())
        return;
    clickSelects_.reset();
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
