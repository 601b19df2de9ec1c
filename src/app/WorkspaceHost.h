#pragma once

#include "edit/CameraMoves.h"
#include "edit/EditorListener.h"
#include "edit/KeyActions.h"
#include "edit/WorkspaceTools.h"
#include "platform/EditorSettings.h"

#include "workspace/DeviceEnumeration.h"
#include "workspace/KeyboardState.h"
#include "workspace/WorkspaceWidget.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>

class QKeyEvent;
class QTimer;

namespace zev::workspace {
class MissionScene;
class TObjectPiece;
class WorkspaceWidget;
} // namespace zev::workspace

namespace zev::app {

class TDesignForm;

// The rendering device of a main window: the workspace widget over the mission scene (a picture
// of the window's mission editor), set up windowed or full screen, and the frame loop that polls
// the keyboard, runs the held keys' actions, moves the scene and redraws it while the window is
// active. Frames are drawn on demand: while a key with an action is held or a frame of the scene
// turns, one after the other as each reaches the screen; otherwise once for each change (of the
// mission, the selection, the view or a setting), and not at all while nothing changes. Mouse
// events become the workspace tools' input here; a drag draws each step itself. Full screen, the
// space bar toggles menu mode, in which the menu and dialogs are usable and nothing is drawn.
class WorkspaceHost : public QObject, public edit::ToolView, private edit::EditorListener {
    Q_OBJECT
public:
    explicit WorkspaceHost(TDesignForm& form);
    ~WorkspaceHost() override;

    // Both report their failures through the main window's message routine.
    bool SetupWindowed(int device);
    bool SetupFullScreen(const platform::RenderChoice& choice, int screenIndex, QSize mode);

    bool IsWindowed() const { return windowed_; }
    bool InMenuMode() const { return menuMode_; }
    bool DeviceReady() const { return deviceReady_; }
    void EnterMenuMode();
    void LeaveMenuMode();

    // Suspends drawing while the scene is rebuilt or a long job runs.
    void SetSuspended(bool suspended);
    // While frozen the frame loop advances the scene by 0.
    void SetFrozen(bool frozen) { frozen_ = frozen; }

    workspace::MissionScene& Scene() { return *scene_; }
    workspace::WorkspaceWidget* Widget() const;
    workspace::KeyboardState& Keyboard() { return keyboard_; }
    // The step sizes of the key actions, effective at once when changed.
    edit::WorkspaceSpeeds& Speeds() { return speeds_; }
    edit::KeyActions* Keys() const { return keys_.get(); }
    edit::WorkspaceTools* Tools() const { return tools_.get(); }
    // Frame steps run so far, and whether the loop is running (a key action held, the scene
    // turning, or a change still to draw).
    int FramesDrawn() const { return framesDrawn_; }
    bool Running() const;

    // The frame function, called by the loop's timer.
    void Frame();
    // Starts the loop when it rests: something changed that the next frame shows.
    void RequestFrame();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reports the failure under `failureCaption` when no OpenGL 3.3 context can be made.
    bool checkGraphics(const char* failureCaption);
    // The object piece, the scene and the widget in the main window's workspace area.
    bool createWorkspace(bool fullScreen);
    void connectForm();
    // Takes the workspace down: the filters come off before the widget is deleted, and the
    // window's connections and hooks into this host are cleared.
    void discardWorkspace();
    void replaceObjectPiece();
    // The tools and key actions over the scene's cameras and the window's editor.
    void connectTools();
    // The scene's camera, the view buttons and the picking viewport after a view change.
    void syncView();
    void chooseTool(bool dropper);
    bool mouseEvent(QEvent* event);
    // A key pressed or released anywhere in the main window; true when it was the workspace's
    // and goes no further.
    bool keyEvent(QObject* watched, QKeyEvent* key);
    // The mouse's camera moves (wheel, middle button, Alt + left, right button on nothing);
    // true when the event was one of them and goes no further.
    bool navigationEvent(QEvent* event);
    void frameSelection();
    // The camera glides until a thing of the mission fills about half the view.
    void frameThing(const edit::Selection& thing);
    void frameThings(const std::vector<edit::Selection>& things);
    // The box around things: objects by their frames, markers a few units around them.
    std::optional<edit::Bounds> boundsOf(const std::vector<edit::Selection>& things) const;
    void cameraBookmark(int slot, bool store);
    edit::WorkspaceCameras currentCameras() const;
    // Puts the cameras (and the view) where `cameras` says, gliding there when `glide`.
    void showCameras(const edit::WorkspaceCameras& cameras, bool glide);
    // The camera a mission file was left with, kept for its next opening.
    void keepLastCameras(const QString& missionFile);
    // One step of a camera glide; false when none runs.
    bool stepFlight();
    void applySnapToView();
    // The device made again over the same scene, the view kept (a minimised full-screen run
    // coming back, after the game or the object viewer); full screen then enters menu mode.
    void recreateDevice();
    void renderingFailed(const QString& text);
    QWidget* makeWidget();
    void showSafely(const std::function<void()>& box);
    void saveSpeeds();
    // The widget put the last frame on the screen: the next one may follow.
    void frameShown();
    // edit::EditorListener: every change of the mission or the selection is drawn.
    // The mission file left keeps its camera; an opened one comes back to its own.
    void missionReplaced() override;
    void objectAdded(int) override { RequestFrame(); }
    void objectRemoved(int) override { RequestFrame(); }
    void objectMoved(int) override { RequestFrame(); }
    void objectRecordChanged(int) override { RequestFrame(); }
    void startPointChanged(int) override { RequestFrame(); }
    void navPointsChanged() override { RequestFrame(); }
    void selectionChanged() override { RequestFrame(); }
    void hiddenChanged() override { RequestFrame(); }
    // Paste builds its frames in the scene and lands under the pointer in the top view.
    void connectPaste();

    // edit::ToolView
    const engine::Viewport* viewport() const override;
    void capturePointer(bool captured) override;
    void drawNow() override;
    void showToolPointer(bool dropper) override;
    void showStatus(const edit::StatusReadout& readout) override;
    void editSelection() override;
    void showRectangle(const std::optional<edit::ScreenRectangle>& rectangle) override;
    void applyToolCursor();

    TDesignForm& form_;
    std::unique_ptr<workspace::TObjectPiece> objectPiece_;
    std::unique_ptr<workspace::MissionScene> scene_;
    // The workspace widget draws `scene_`, so this host deletes it and it never outlives the
    // host. Held as a QWidget: the event filter compares it with the watched object, which may
    // be this very widget half destroyed, and a pointer of the derived class would cast it down.
    QPointer<QWidget> widget_;
    // The selection rectangle over the workspace, made at its first use.
    QPointer<QWidget> rubberBand_;
    QTimer* loop_;
    workspace::KeyboardState keyboard_;
    workspace::NativeKeyCodes nativeKeys_ = workspace::NativeKeyCodes::None;
    std::unique_ptr<edit::CameraNavigator> navigator_;
    // A camera gliding to a framing or a bookmark, and the camera it moves.
    std::optional<edit::CameraFlight> flight_;
    engine::Frame* flightCamera_ = nullptr;
    // The cameras as last drawn: what a mission file is left with when another replaces it.
    edit::WorkspaceCameras shownCameras_;
    bool restoreCamerasPending_ = false;
    // Bookmarks of a mission without a file live as long as the session.
    std::array<std::optional<edit::WorkspaceCameras>, 5> untitledBookmarks_;
    edit::WorkspaceSpeeds speeds_;
    std::unique_ptr<edit::KeyActions> keys_;
    std::unique_ptr<edit::WorkspaceTools> tools_;
    QElapsedTimer clock_;
    bool spriteMouse_ = false;
    // The full-screen "Z-Buffering" choice; a windowed run always has its depth buffer.
    bool depthBuffering_ = true;
    QSize renderSize_; // full screen: the chosen display mode
    bool minimised_ = false;
    bool windowed_ = true;
    bool menuMode_ = false;
    bool deviceReady_ = false;
    // The device was made again during the run: a failure then keeps the window (and the
    // mission) with the device not ready instead of going back to the start-up form.
    bool deviceMadeAgain_ = false;
    bool suspended_ = false;
    bool frozen_ = false;
    bool paused_ = false;
    int framesDrawn_ = 0;
    // The last step held a key action or turned the scene: the next one follows once this
    // frame is on the screen (or after kFrameShownWait, should the notice not come).
    bool live_ = false;
    bool awaitingFrame_ = false;
    static constexpr int kFrameShownWait = 50; // milliseconds
};

// Brings the workspace up in a new main window on the start-up form's choice: windowed on the
// chosen device, or full screen on the chosen screen and resolution.
bool setUpWorkspace(TDesignForm& form, const platform::RenderChoice& choice,
                    const workspace::DriverList& drivers, const workspace::ModeList& modes);

} // namespace zev::app
