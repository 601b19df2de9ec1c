#pragma once

#include "KeyActions.h"
#include "MissionEditor.h"
#include "ObjectDrop.h"
#include "SelectionCommands.h"

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

// The modifier keys held at a press.
struct PressKeys {
    bool control = false;
    bool shift = false;
};

// A rectangle of the workspace in the pixels it is drawn in, corner to corner as dragged.
struct ScreenRectangle {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool contains(double x, double y) const;
    friend bool operator==(const ScreenRectangle&, const ScreenRectangle&) = default;
};

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
    // The selection rectangle over the workspace while one is dragged; nothing hides it.
    virtual void showRectangle(const std::optional<ScreenRectangle>& rectangle) { (void)rectangle; }
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
     "From a selected thing: moves everything selected, following the pointer (x and z in the "
     "top view, the height in the front view); from empty ground: a rectangle that selects what "
     "stands inside it (Ctrl adds, Ctrl+Shift removes)"},
    {false, MouseButton::Right, MouseGesture::Turn, "Right drag",
     "On a thing: turns the selection about its common centre, 5 degrees a step (15 with Snap "
     "to Grid)"},
    {true, MouseButton::Left, MouseGesture::Drop, "Left click",
     "Drops the palette's object where the top view is clicked"},
    {true, MouseButton::Right, MouseGesture::None, "Right click", "Nothing"},
};
// Gestures the window handles around the tools, for the reference.
inline constexpr const char* kOtherMouseGestures[][2] = {
    {"Click", "Selects what is under the pointer alone (the Mouse tool)"},
    {"Ctrl+click", "Adds the thing under the pointer to the selection or takes it out"},
    {"Shift+click", "Adds the thing under the pointer to the selection"},
    {"Double-click", "Opens the editor of the object, start point or nav point under the pointer"},
    {"Esc during a drag", "Puts the selection back where the drag began, or drops the rectangle"},
};
// The gesture of `button` with the Dropper tool in the top view (`dropping`) or the Mouse tool.
MouseGesture gestureFor(bool dropping, MouseButton button);

// The mouse and dropper tools over the window's mouse events, turned into button, position,
// modifier and menu-mode state in one place by the window.
//
// A click selects what is under the pointer alone (Ctrl: adds or removes it, Shift: adds it); a
// left drag that starts on a selected thing moves everything selected (top view: x and z; front
// view: y), a right drag turns it by 5 degrees a step about its common centre; each drag is one
// undo step, and Esc puts the selection back where the drag began. A left drag from empty ground
// draws a rectangle and selects what stands inside it at the release (Ctrl adds, Ctrl+Shift
// removes; Esc drops the rectangle); it never moves anything. The dropper places the palette's
// object where the top view is clicked.
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

    void press(MouseButton button, int x, int y, bool menuMode = false, PressKeys keys = {});
    void move(int x, int y, bool menuMode = false);
    void release();
    void doubleClick() { doubleClickPending_ = true; }
    // Esc: a drag in progress is taken back, a rectangle dropped.
    void cancelDrag();

    // The tool buttons: the dropper locks the view to the top; back to the mouse tool the front
    // view returns when it was the view before.
    void useDropper();
    void useMouse();
    bool dropperActive() const { return dropperOn_; }
    bool dragging() const { return leftDrag_ || rightDrag_ || rectangle_.has_value(); }
    // The selection rectangle being dragged.
    const std::optional<ScreenRectangle>& rectangle() const { return rectangle_; }
    // The shown things whose positions lie inside a rectangle of the current view.
    std::vector<Selection> thingsInside(const ScreenRectangle& rectangle) const;

    // What is under a point, without selecting it.
    std::optional<PickedThing> hoverAt(int x, int y) const;
    // Selects what is under a point; false (and nothing selected) when nothing is.
    bool pickAt(int x, int y);

private:
    bool dropsHere() const { return dropperOn_ && keys_.view() == WorkspaceView::Top; }
    void pressLeft(int x, int y, PressKeys keys);
    void pressRight(int x, int y);
    void beginDrag(const char* what, const PickedThing& on, int x, int y);
    void finishRectangle();
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
    int originX_ = 0, originY_ = 0;    // the mouse where the selection was picked
    engine::Vector3 originPosition_;   // where the picked thing stood then
    std::vector<ThingOrigin> origins_; // where every selected thing stood then
    engine::Vector3 centre_;           // their common centre
    int turned_ = 0;                   // degrees turned so far
    int lastX_ = 0;                    // the mouse at the last turning step
    // A plain press on a thing of a larger selection: the click selects it alone, unless the
    // press turns into a drag of all.
    std::optional<Selection> clickSelects_;
    bool moved_ = false;
    enum class RectangleMode { Replace, Add, Remove };
    std::optional<ScreenRectangle> rectangle_;
    RectangleMode rectangleMode_ = RectangleMode::Replace;
    int snapTurn_ = 0;       // snapped turns: plain steps gathered toward the next
    int headingAtStart_ = 0; // snapped turns: the turned thing's heading at the press
};

} // namespace zev::edit
