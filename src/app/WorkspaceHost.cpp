#include "WorkspaceHost.h"

#include "DesignForm.h"
#include "WelcomeForm.h"

#include "workspace/DescribeResult.h"
#include "workspace/DeviceEnumeration.h"
#include "workspace/MissionScene.h"
#include "workspace/ObjectPiece.h"
#include "workspace/SceneColours.h"
#include "workspace/Sprites.h"
#include "workspace/WorkspaceWidget.h"

#include <QApplication>
#include <QBitmap>
#include <QDockWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace zev::app {

using common::MessageIcon;

namespace {

constexpr const char* kSetup = platform::SettingsStore::kSetup;

edit::WorkspaceSpeeds toWorkspaceSpeeds(const platform::SpeedSettings& stored) {
    return {stored.objectRotation, stored.objectMovement,   stored.cameraMovement,
            stored.cameraUpDown,   stored.cameraSteerSpeed, stored.autoZoom};
}

platform::SpeedSettings toStoredSpeeds(const edit::WorkspaceSpeeds& speeds) {
    return {speeds.objectRotation, speeds.objectMovement, speeds.cameraMovement,
            speeds.cameraUpDown,   speeds.cameraSteering, speeds.autoZoom};
}

} // namespace

WorkspaceHost::WorkspaceHost(TDesignForm& form)
    : QObject(&form), form_(form),
      nativeKeys_(workspace::nativeKeyCodesOf(QGuiApplication::platformName())) {
    loop_ = new QTimer(this);
    loop_->setSingleShot(true);
    connect(loop_, &QTimer::timeout, this, &WorkspaceHost::Frame);
}

WorkspaceHost::~WorkspaceHost() {
    discardWorkspace();
}

workspace::WorkspaceWidget* WorkspaceHost::Widget() const {
    return qobject_cast<workspace::WorkspaceWidget*>(widget_.data());
}

void WorkspaceHost::discardWorkspace() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
    form_.removeEventFilter(this);
    disconnect(&form_, nullptr, this, nullptr);
    disconnect(form_.AutoZoom, nullptr, this, nullptr);
    form_.reporter().setFullScreenHook(nullptr);
    form_.setShowCheck({});
    edit::ObjectDropper& dropper = form_.dropper();
    dropper.prepareFrame = nullptr;
    dropper.zoomOver = nullptr;
    dropper.showBusy = nullptr;
    form_.paster().prepareFrame = nullptr;
    form_.pastePoint = nullptr;
    delete rubberBand_.data();
    tools_.reset();
    navigator_.reset();
    flight_.reset();
    keys_.reset();
    form_.editor().removeListener(this);
    if (scene_)
        scene_->Attach(nullptr);
    if (widget_) {
        widget_->removeEventFilter(this);
        delete widget_.data();
    }
}

void WorkspaceHost::replaceObjectPiece() {
    objectPiece_ = std::make_unique<workspace::TObjectPiece>(
        form_.context().archivePath().toStdString(), form_.context().programDirectory);
    objectPiece_->SetAutoZoom(form_.autoZoom());
    if (scene_)
        scene_->SetObjectPiece(objectPiece_.get());
}

bool WorkspaceHost::SetupWindowed(int device) {
    windowed_ = true;
    speeds_ = toWorkspaceSpeeds(platform::readSpeeds(*form_.context().settings, false));
    form_.AutoZoom->setChecked(speeds_.autoZoom);

    (void)device; // the list holds the one OpenGL driver that can draw here
    if (!checkGraphics("Failure Creating Device And View...") || !createWorkspace(false))
        return false;
    // The workspace's keys work whichever control of the window has the focus.
    qApp->installEventFilter(this);
    // The window opens where it was last time; the first time over the screen's available
    // area, maximised, so that a window manager keeps its title bar on the screen. (After the
    // workspace is made: its OpenGL surface makes the window anew.)
    if (!form_.restoreWindowLayout()) {
        if (QScreen* screen = form_.screen() ? form_.screen() : QGuiApplication::primaryScreen())
            form_.setGeometry(screen->availableGeometry());
        form_.setWindowState(form_.windowState() | Qt::WindowMaximized);
    }
    deviceReady_ = true;
    RequestFrame();
    return true;
}

bool WorkspaceHost::SetupFullScreen(const platform::RenderChoice& choice, int screenIndex,
                                    QSize mode) {
    windowed_ = false;
    speeds_ = toWorkspaceSpeeds(platform::readSpeeds(*form_.context().settings, true));
    form_.AutoZoom->setChecked(speeds_.autoZoom);
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screenIndex < 0 || screenIndex >= screens.size()) {
        form_.reporter().report(workspace::DescribeResult(workspace::RenderResult::kNoScreen),
                                "Direct Draw Error!", MessageIcon::Stop);
        return false;
    }
    QScreen* screen = screens[screenIndex];
    const QSize screenSize = screen->size() * screen->devicePixelRatio();
    if (mode.width() > screenSize.width() || mode.height() > screenSize.height()) {
        form_.reporter().report(workspace::DescribeResult(workspace::RenderResult::kNoModeFits),
                                "Failed to Set Display Mode!", MessageIcon::Stop);
        return false;
    }
    if (!checkGraphics("Failed to Create Direct3DRM!"))
        return false;

    // A borderless window over the whole chosen screen.
    form_.SpeedPanel->hide();
    form_.PaletteDock->hide();
    form_.statusBar()->hide();
    form_.menuBar()->hide();
    // The docks beside the workspace would cover the picture; "View" shows them in menu mode.
    for (QDockWidget* dock : {form_.OutlineDock, form_.InspectorDock, form_.ProblemsDock})
        dock->hide();
    form_.setWindowFlag(Qt::FramelessWindowHint, true);
    if (form_.windowHandle())
        form_.windowHandle()->setScreen(screen);
    form_.setGeometry(screen->geometry());
    form_.showFullScreen();

    spriteMouse_ = choice.spriteMouse;
    depthBuffering_ = choice.zBuffering;
    renderSize_ = mode;
    if (!createWorkspace(true))
        return false;
    // Space toggles menu mode whichever control of the window has the focus.
    qApp->installEventFilter(this);
    form_.reporter().setFullScreenHook(
        [this](const std::function<void()>& box) { showSafely(box); });
    menuMode_ = false;
    deviceReady_ = true;
    RequestFrame();

    if (!form_.context().setup.hideInfoForm) {
        EnterMenuMode();
        TWelcomeForm welcome(&form_);
        welcome.exec();
        if (welcome.doNotShowAgain())
            form_.context().settings->setBoolean(kSetup, "Hide Info Form", true);
    }
    return true;
}

bool WorkspaceHost::checkGraphics(const char* failureCaption) {
    const int version = workspace::probeGraphicsVersion();
    if (version >= workspace::kRequiredGraphicsVersion)
        return true;
    const auto code = version == 0 ? workspace::RenderResult::kNoContext
                                   : workspace::RenderResult::kVersionTooOld;
    form_.reporter().report(workspace::DescribeResult(code), failureCaption, MessageIcon::Stop);
    return false;
}

bool WorkspaceHost::createWorkspace(bool fullScreen) {
    // A widget of an earlier set-up draws the scene about to be replaced.
    discardWorkspace();
    replaceObjectPiece();
    scene_ =
        std::make_unique<workspace::MissionScene>(*form_.context().settings, objectPiece_.get());
    if (!scene_->Setup(fullScreen)) {
        form_.reporter().report(workspace::DescribeResult(workspace::RenderResult::kOk),
                                "Failure Setting Light State...", MessageIcon::Stop);
        return false;
    }
    widget_ = makeWidget();
    connectForm();
    connectTools();
    return true;
}

QWidget* WorkspaceHost::makeWidget() {
    auto* widget = new workspace::WorkspaceWidget(*scene_);
    widget->setObjectName(QStringLiteral("Workspace"));
    widget->setFocusPolicy(Qt::StrongFocus);
    if (!windowed_) {
        widget->SetRenderSize(renderSize_);
        widget->SetSpritePointer(spriteMouse_);
        widget->Renderer().SetDepthBuffering(depthBuffering_);
    }
    widget->SetGroundGrid(form_.GroundGrid->isChecked());
    widget->SetEditorLighting(form_.EditorLighting->isChecked());
    const edit::GridSnap& snap = form_.gridSnap();
    if (snap.on)
        widget->SetGridSpacing(snap.size, snap.size * 10.0);
    connect(widget, &workspace::WorkspaceWidget::RenderingFailed, this,
            &WorkspaceHost::renderingFailed, Qt::QueuedConnection);
    connect(widget, &QOpenGLWidget::frameSwapped, this, &WorkspaceHost::frameShown);
    form_.setWorkspaceWidget(widget);
    widget->installEventFilter(this);
    return widget;
}

void WorkspaceHost::connectTools() {
    edit::MissionEditor& editor = form_.editor();
    const edit::CameraRig rig{scene_->Scene(), scene_->SideCamera().get(),
                              scene_->TopCamera().get()};
    keys_ = std::make_unique<edit::KeyActions>(editor, rig, speeds_);
    keys_->onToolSwitch = [this](bool dropper) {
        dropper ? form_.DropperBtnClick() : form_.MouseBtnClick();
    };
    keys_->onViewKey = [this](edit::WorkspaceView) { syncView(); };
    keys_->snap = &form_.gridSnap();
    navigator_ = std::make_unique<edit::CameraNavigator>(rig, speeds_);
    tools_ = std::make_unique<edit::WorkspaceTools>(editor, *keys_, rig, form_.dropper(), *this);
    tools_->palette = [this] { return form_.paletteChoice(); };
    tools_->windowed = windowed_;
    if (form_.DropperBtn->isChecked())
        tools_->useDropper();

    edit::ObjectDropper& dropper = form_.dropper();
    dropper.prepareFrame = [this](int slot, const mission::MissionObjectRecord& record) {
        return scene_->PrepareObject(slot, record);
    };
    dropper.zoomOver = [this](int slot) { scene_->ZoomOver(slot, scene_->TopCamera().get()); };
    dropper.showBusy = [this](bool busy) {
        auto* widget = Widget();
        if (!windowed_ && spriteMouse_ && widget) {
            widget->LoadPointerSprite(busy                      ? workspace::PointerMode::Wait
                                      : tools_->dropperActive() ? workspace::PointerMode::Dropper
                                                                : workspace::PointerMode::Arrow);
            widget->repaint();
        } else if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    };
    connectPaste();
    scene_->Attach(&editor);
    editor.addListener(this);
    form_.setShowCheck(scene_->ShowCheck());
    syncView();
}

void WorkspaceHost::syncView() {
    if (!keys_ || !scene_)
        return;
    const bool top = keys_->view() == edit::WorkspaceView::Top;
    scene_->UseTopView(top);
    form_.SideBtn->setChecked(!top);
    form_.TopBtn->setChecked(top);
    if (widget_)
        widget_->update();
}

void WorkspaceHost::chooseTool(bool dropper) {
    if (!tools_)
        return;
    dropper ? tools_->useDropper() : tools_->useMouse();
    // The dropper works in the top view only, so the view buttons rest while it is on.
    form_.SideBtn->setEnabled(!dropper);
    form_.TopBtn->setEnabled(!dropper);
    syncView();
}

void WorkspaceHost::renderingFailed(const QString& text) {
    if (deviceMadeAgain_) {
        // The device made again (after the object viewer, a game or a minimised full-screen
        // run) failed: the window and its mission stay, the device not ready, so the user can
        // still save. Said once, however often the widget tries again.
        if (!deviceReady_)
            return;
        deviceReady_ = false;
        loop_->stop();
        form_.reporter().report(
            (text + QStringLiteral("\r\nThe mission stays open: save it, then restart the editor."))
                .toStdString(),
            "Failure Creating Device And View...", MessageIcon::Stop);
        return;
    }
    // As a failed set-up: the failure is shown and the start-up form comes back.
    deviceReady_ = false;
    loop_->stop();
    form_.reporter().report(text.toStdString(), "Failure Creating Device And View...",
                            MessageIcon::Stop);
    emit form_.setupFailed();
}

void WorkspaceHost::recreateDevice() {
    deviceMadeAgain_ = true;
    const bool top = keys_ && keys_->view() == edit::WorkspaceView::Top;
    if (widget_) {
        widget_->removeEventFilter(this);
        delete widget_.data();
    }
    widget_ = makeWidget();
    if (keys_ && top)
        keys_->showTopView();
    syncView();
    applyToolCursor();
    deviceReady_ = true;
    if (!windowed_)
        EnterMenuMode();
    RequestFrame();
}

void WorkspaceHost::saveSpeeds() {
    platform::writeSpeeds(*form_.context().settings, !windowed_, toStoredSpeeds(speeds_));
    form_.context().settings->sync();
}

void WorkspaceHost::SetSuspended(bool suspended) {
    suspended_ = suspended;
    if (!suspended)
        RequestFrame();
}

bool WorkspaceHost::Running() const {
    return loop_->isActive();
}

void WorkspaceHost::RequestFrame() {
    if (loop_->isActive() || !widget_)
        return;
    // The time spent at rest is no frame time: nothing turns by it.
    Widget()->Clock().Tick();
    awaitingFrame_ = false;
    loop_->start(0);
}

void WorkspaceHost::frameShown() {
    if (!awaitingFrame_)
        return;
    awaitingFrame_ = false;
    loop_->start(0);
}

void WorkspaceHost::Frame() {
    // A step that finds nothing held and nothing turning is the last until the next change.
    live_ = false;
    awaitingFrame_ = false;
    if (paused_ || !widget_)
        return; // coming back from the task bar asks for frames again
    if (!form_.isActiveWindow()) {
        // A change made from another window (a dialog's last notice before it closes) is
        // drawn; keys and motion wait until the window is active again, which asks for frames.
        widget_->update();
        return;
    }
    const std::int64_t frameTime = Widget()->Clock().Tick();
    if (suspended_ || menuMode_)
        return; // as does the end of either
    bool held = false;
    if (keys_) {
        keys_->dropperEnabled = form_.DropperBtn->isEnabled();
        const std::int64_t now = clock_.elapsed();
        const edit::WorkspaceView before = keys_->view();
        for (int action : form_.keyTable().actionsFor(keyboard_.poll())) {
            keys_->run(action, now);
            held = true;
        }
        if (keys_->view() != before)
            syncView();
    }
    held = stepFlight() || held;
    shownCameras_ = currentCameras();
    const bool turning = scene_->Scene()->Move(frozen_ ? 0.0 : static_cast<double>(frameTime));
    widget_->update();
    ++framesDrawn_;
    if (held || turning) {
        // Key actions run once per drawn frame: the next step waits for this frame to reach
        // the screen, or for a while should no notice come (a hidden widget draws nothing).
        live_ = true;
        awaitingFrame_ = true;
        loop_->start(kFrameShownWait);
    }
}

bool WorkspaceHost::eventFilter(QObject* watched, QEvent* event) {
    // The application-wide filter only looks at this window's keys.
    if (watched != &form_ && watched != widget_) {
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != &form_ ||
            (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
            return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (keyEvent(watched, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::FocusOut:
        keyboard_.clear();
        break;
    case QEvent::WindowDeactivate:
        // Keys released while another window has the focus never reach us.
        if (watched == &form_)
            keyboard_.clear();
        break;
    case QEvent::Leave:
        // What was under the pointer is no longer: the read-out's text goes with it.
        if (watched == widget_)
            form_.StatusPanels[0]->clear();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        if (watched == widget_)
            return mouseEvent(event);
        break;
    case QEvent::WindowStateChange:
        if (watched == &form_) {
            paused_ = form_.isMinimized();
            if (paused_) {
                minimised_ = true;
            } else {
                form_.checkIndexFiles();
                if (minimised_ && !windowed_ && deviceReady_)
                    recreateDevice();
                minimised_ = false;
                RequestFrame();
            }
        }
        break;
    case QEvent::WindowActivate:
        if (watched == &form_)
            RequestFrame();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool setUpWorkspace(TDesignForm& form, const platform::RenderChoice& choice,
                    const workspace::DriverList& drivers, const workspace::ModeList& modes) {
    auto* host = new WorkspaceHost(form);
    if (!choice.fullScreen)
        return host->SetupWindowed(choice.windowedDevice);
    const int last = std::max(0, static_cast<int>(drivers.rows.size()) - 1);
    const int driver = std::clamp(choice.fullscreenDriver, 0, last);
    const int screen = drivers.rows.empty() ? 0 : drivers.rows[driver].screenIndex;
    QSize mode(640, 480);
    if (choice.displayMode >= 0 && choice.displayMode < static_cast<int>(modes.rows.size()))
        mode = QSize(modes.rows[choice.displayMode].width, modes.rows[choice.displayMode].height);
    return host->SetupFullScreen(choice, screen, mode);
}

} // namespace zev::app
