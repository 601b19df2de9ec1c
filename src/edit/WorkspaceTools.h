#pragma once

#include "KeyActions.h"
#include "MissionEditor.h"
#include "ObjectDrop.h"

#include "engine/Viewport.h"

#include <functional>
#include <optional>
#include <string>

namespace zev::edit {

// What is under a point of the workspace as the tools see it: the selection it would make (a
// group member stands for its group) and where that thing stands.
struct PickedThing {
    Selection selection;
    engine::Vector3 position;
};

// The mission thing a picked frame shows: an object (tag = slot), a start point marker (500 to
// 507), a nav point marker (600 + star, named by its number), a ready-made group member (its
// group frame's). Nothing for the ground and any other frame.
std::optional<Selection> selectionOfFrame(const engine::Frame& frame);

// The status bar's read-out of what is under the pointer: panel 0 and the position in game
// units (whole workspace units x 100).
struct StatusReadout {
    std::string text;
    int x = 0, y = 0, z = 0;
    std::string panel(int index) const; // 0: the text; 1 to 3: "X= %d", "Y= %d", "Z= %d"
};
// With nothing (or the ground) under the pointer the side camera's position is reported.
StatusReadout statusFor(const MissionEditor& editor, const std::optional<PickedThing>& hovered,
                        const engine::Vector3& sideCamera);

// What the tools ask of the window they work in.
class ToolView {
public:
    virtual ~ToolView() = default;
    // The viewport of the last drawn frame (picking, the drop); null before the first frame.
    virtual const engine::Viewport* viewport() const = 0;
    // Hides the system pointer and captures the mouse while a drag runs, and gives it back.
    virtual void capturePointer(bool captured) = 0;
    // Draws one frame at once, so that a drag step shows without waiting for the frame loop.
    virtual void drawNow() = 0;
    // The pointer of the tool in use (the dropper's or the arrow).
    virtual void showToolPointer(bool dropper) = 0;
    // The status bar read-out (windowed runs only call it).
    virtual void showStatus(const StatusReadout& readout) = 0;
    // Opens the editor of what is selected (after a double-click).
    virtual void editSelection() = 0;
};

enum class MouseButton { Left, Right };

// What a press of a mouse button starts in the workspace.
enum class MouseGesture { Move, Turn, Drop, None };

// One row of the workspace's mouse gestures: with which tool a button does what, and the words
// the keys reference shows. The tools look their gestures up here, so the reference and the
// behaviour cannot part.
struct MouseGestureRow {
    bool dropper; // the Dropper tool (in the top view); else the Mouse tool
    MouseButton button;
    MouseGesture gesture;
    const char* input; // "Left drag", ...
    const char* what;
};
inline constexpr MouseGestureRow kMouseGestures[] = {
    {false, MouseButton::Left, MouseGesture::Move, "Left drag",
     "Picks what is under the pointer (a ready-made group's member picks the group) and moves "
     "it: x and z in the top view, the height in the front view"},
    {false, MouseButton::Right, MouseGesture::Turn, "Right drag",
     "Picks what is under the pointer and turns it, 5 degrees a step"},
    {true, MouseButton::Left, MouseGesture::Drop, "Left click",
     "Drops the palette's object where the top view is clicked"},
    {true, MouseButton::Right, MouseGesture::None, "Right click", "Nothing"},
};
// Gestures the window handles around the tools, for the reference.
inline constexpr const char* kOtherMouseGestures[][2] = {
    {"Click", "Selects what is under the pointer (the Mouse tool)"},
    {"Double-click", "Opens the editor of the object, start point or nav point under the pointer"},
    {"Esc during a drag", "Puts the selection back where the drag began"},
};
// The gesture of `button` with the Dropper tool in the top view (`dropping`) or the Mouse tool.
MouseGesture gestureFor(bool dropping, MouseButton button);

// The mouse and dropper tools over the window's mouse events, turned into button, position and
// menu-mode state in one place by the window. Picking selects; a left drag moves the selection
// (top view: x and z; front view: y), a right drag turns it by 5 degrees a step; each drag is
// one undo step, and Esc puts the selection back where the drag began. The dropper places the
// palette's object where the top view is clicked.
class WorkspaceTools {
public:
    static constexpr int kTurnStep = 5;

    WorkspaceTools(MissionEditor& editor, KeyActions& keys, CameraRig cameras,
                   ObjectDropper& dropper, ToolView& view)
        : editor_(editor), keys_(keys), cameras_(cameras), dropper_(dropper), view_(view) {}

    // The palette's current object, asked at each drop.
    std::function<PaletteChoice()> palette;
    // Full-screen runs: no drop in menu mode, no status bar.
    bool windowed = true;

    void press(MouseButton button, int x, int y, bool menuMode = false);
    void move(int x, int y, bool menuMode = false);
    void release();
    void doubleClick() { doubleClickPending_ = true; }
    // Esc: a drag in progress is taken back.
    void cancelDrag();

    // The tool buttons: the dropper locks the view to the top; back to the mouse tool the front
    // view returns when it was the view before.
    void useDropper();
    void useMouse();
    bool dropperActive() const { return dropperOn_; }
    bool dragging() const { return leftDrag_ || rightDrag_; }

    // What is under a point, without selecting it.
    std::optional<PickedThing> hoverAt(int x, int y) const;
    // Selects what is under a point; false (and nothing selected) when nothing is.
    bool pickAt(int x, int y);

private:
    bool dropsHere() const { return dropperOn_ && keys_.view() == WorkspaceView::Top; }
    std::optional<engine::Vector3> positionOf(const Selection& selection) const;
    void beginDrag(const char* what);
    void dragTo(int x, int y);
    void turnBy(int x);
    void endDrag(bool keep);

    MissionEditor& editor_;
    KeyActions& keys_;
    CameraRig cameras_;
    ObjectDropper& dropper_;
    ToolView& view_;
    bool leftDrag_ = false;
    bool rightDrag_ = false;
    bool pointerHidden_ = false;
    bool doubleClickPending_ = false;
    bool dropperOn_ = false;
    bool frontViewRemembered_ = false;
    int originX_ = 0, originY_ = 0; // the mouse where the selection was picked
    engine::Vector3 originPosition_;
    int lastX_ = 0; // the mouse at the last turning step
    int snapTurn_ = 0; // snapped turns: the plain steps gathered toward the next one
};

} // namespace zev::edit
