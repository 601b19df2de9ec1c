// The workspace's camera under the mouse: wheel, pan, orbit and look, Frame Selection, camera
// bookmarks and the camera each mission file was left with, and the grid snapping draws.

#include "WorkspaceHost.h"

#include "DesignForm.h"

#include "platform/EditorSettings.h"
#include "workspace/MissionScene.h"
#include "workspace/WorkspaceWidget.h"

#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

namespace zev::app {

namespace {

// Markers have no box of their own worth framing: a few units around them.
constexpr double kMarkerReach = 3;

std::int64_t nowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock.elapsed();
}

} // namespace

bool WorkspaceHost::navigationEvent(QEvent* event) {
    auto* widget = Widget();
    if (!navigator_ || !keys_ || !widget || menuMode_ || suspended_)
        return false;
    const engine::Viewport* view = viewport();
    if (!view)
        return false;
    const edit::WorkspaceView current = keys_->view();
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint at = widget->ToRenderPixels(wheel->position().toPoint());
        flight_.reset();
        navigator_->wheel(*view, current, at.x(), at.y(), wheel->angleDelta().y() / 120.0);
        widget->update();
        return true;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = widget->ToRenderPixels(mouse->position().toPoint());
    using Drag = edit::CameraNavigator::Drag;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (navigator_->dragging() != Drag::None || tools_->dragging())
            return navigator_->dragging() != Drag::None;
        std::optional<engine::Vector3> centre;
        const auto button = mouse->button() == Qt::MiddleButton  ? edit::CameraButton::Middle
                            : mouse->button() == Qt::RightButton ? edit::CameraButton::Right
                                                                 : edit::CameraButton::Left;
        const bool known = mouse->button() & (Qt::LeftButton | Qt::MiddleButton | Qt::RightButton);
        Drag drag =
            known ? edit::cameraDragFor(button, mouse->modifiers() & Qt::AltModifier) : Drag::None;
        if (drag == Drag::Orbit) {
            if (const auto box = boundsOf(form_.editor().selectedThings()))
                centre = box->centre();
        } else if (drag == Drag::Look) {
            if (tools_->dropperActive() || tools_->hoverAt(at.x(), at.y()))
                return false;
            // The right button over nothing: the tools clear the selection as always, and the
            // front camera looks about while the button is held.
            tools_->press(edit::MouseButton::Right, at.x(), at.y(), menuMode_);
            navigator_->begin(Drag::Look, *view, current, at.x(), at.y());
            return true;
        }
        if (drag == Drag::None)
            return false;
        flight_.reset();
        navigator_->begin(drag, *view, current, at.x(), at.y(), centre);
        return true;
    }
    case QEvent::MouseMove:
        if (navigator_->dragging() == Drag::None)
            return false;
        widget->SetPointerPosition(mouse->position().toPoint());
        navigator_->dragTo(*view, at.x(), at.y());
        shownCameras_ = currentCameras();
        widget->update();
        return true;
    case QEvent::MouseButtonRelease:
        if (navigator_->dragging() == Drag::None)
            return false;
        if (mouse->buttons() & (Qt::LeftButton | Qt::MiddleButton | Qt::RightButton))
            return true; // the drag's own button is the one that ends it
        navigator_->end();
        tools_->release();
        return true;
    default:
        return false;
    }
}

edit::WorkspaceCameras WorkspaceHost::currentCameras() const {
    edit::WorkspaceCameras cameras;
    if (!scene_ || !keys_)
        return cameras;
    const engine::Frame* root = scene_->Scene();
    cameras.view = keys_->view();
    cameras.side = edit::poseOf(*scene_->SideCamera(), root);
    cameras.top = edit::poseOf(*scene_->TopCamera(), root);
    return cameras;
}

void WorkspaceHost::showCameras(const edit::WorkspaceCameras& cameras, bool glide) {
    if (!scene_ || !keys_)
        return;
    engine::Frame* root = scene_->Scene();
    // The view follows the bookmark unless the dropper holds the top view.
    const bool viewLocked = tools_ && tools_->dropperActive();
    const edit::WorkspaceView view = viewLocked ? keys_->view() : cameras.view;
    if (view == edit::WorkspaceView::Top)
        keys_->showTopView();
    else
        keys_->showFrontView();
    syncView();
    engine::Frame* shown =
        view == edit::WorkspaceView::Top ? scene_->TopCamera().get() : scene_->SideCamera().get();
    // The camera not shown goes straight there; the one shown glides.
    if (view == edit::WorkspaceView::Top)
        edit::applyPose(*scene_->SideCamera(), root, cameras.side);
    else
        edit::applyPose(*scene_->TopCamera(), root, cameras.top);
    const edit::CameraPose& to = view == edit::WorkspaceView::Top ? cameras.top : cameras.side;
    if (glide) {
        flight_.emplace(edit::poseOf(*shown, root), to, nowMs());
        flightCamera_ = shown;
    } else {
        edit::applyPose(*shown, root, to);
    }
    RequestFrame();
}

bool WorkspaceHost::stepFlight() {
    if (!flight_ || !flightCamera_ || !scene_)
        return false;
    const std::int64_t now = nowMs();
    edit::applyPose(*flightCamera_, scene_->Scene(), flight_->poseAt(now));
    if (flight_->arrived(now)) {
        flight_.reset();
        return false;
    }
    return true;
}

std::optional<edit::Bounds>
WorkspaceHost::boundsOf(const std::vector<edit::Selection>& things) const {
    if (!scene_)
        return std::nullopt;
    const edit::MissionEditor& editor = form_.editor();
    engine::Box box;
    for (const edit::Selection& thing : things) {
        if (thing.kind == edit::Selection::Kind::Object) {
            if (const auto own = scene_->ObjectBox(thing.id); own && !own->empty) {
                box.Include(own->min);
                box.Include(own->max);
                continue;
            }
        }
        // Markers have no box worth framing: a few units around them.
        if (const auto p = editor.positionOf(thing)) {
            const engine::Vector3 reach{kMarkerReach, kMarkerReach, kMarkerReach};
            box.Include(*p - reach);
            box.Include(*p + reach);
        }
    }
    if (box.empty)
        return std::nullopt;
    return edit::Bounds{box.min, box.max};
}

void WorkspaceHost::frameSelection() {
    frameThings(form_.editor().selectedThings());
}

void WorkspaceHost::frameThing(const edit::Selection& thing) {
    frameThings({thing});
}

void WorkspaceHost::frameThings(const std::vector<edit::Selection>& things) {
    if (!scene_ || !keys_ || !Widget())
        return;
    const auto bounds = boundsOf(things);
    if (!bounds)
        return;
    edit::WorkspaceCameras cameras = currentCameras();
    const double field = Widget()->Viewport().GetField();
    edit::CameraPose& shown = cameras.view == edit::WorkspaceView::Top ? cameras.top : cameras.side;
    shown = edit::framingPose(shown, cameras.view, *bounds, field);
    showCameras(cameras, true);
}

void WorkspaceHost::cameraBookmark(int slot, bool store) {
    if (!scene_ || slot < 1 || slot > 4)
        return;
    const QString file = QString::fromStdString(form_.controller().fileName());
    if (store) {
        const edit::WorkspaceCameras cameras = currentCameras();
        if (file.isEmpty())
            untitledBookmarks_[std::size_t(slot)] = cameras;
        else
            platform::setMissionCameras(*form_.context().settings, file, slot,
                                        QString::fromStdString(edit::camerasText(cameras)));
        form_.statusBar()->showMessage(QStringLiteral("Camera %1 stored").arg(slot), 2000);
        return;
    }
    std::optional<edit::WorkspaceCameras> cameras =
        file.isEmpty()
            ? untitledBookmarks_[std::size_t(slot)]
            : edit::camerasFromText(
                  platform::missionCameras(*form_.context().settings, file, slot).toStdString());
    if (!cameras) {
        form_.statusBar()->showMessage(
            QStringLiteral("No camera stored as %1 (Ctrl+Shift+%1 stores one)").arg(slot), 3000);
        return;
    }
    showCameras(*cameras, true);
}

void WorkspaceHost::keepLastCameras(const QString& missionFile) {
    if (missionFile.isEmpty() || !scene_)
        return;
    platform::setMissionCameras(*form_.context().settings, missionFile, 0,
                                QString::fromStdString(edit::camerasText(shownCameras_)));
}

void WorkspaceHost::missionReplaced() {
    // The file name still is the one left: the file opened is told by missionFileUsed.
    keepLastCameras(QString::fromStdString(form_.controller().fileName()));
    untitledBookmarks_ = {};
    flight_.reset();
    // An Open names its file at once, in the same call; a New names none, and a later Save As
    // must not jump to the cameras of the file it writes over.
    restoreCamerasPending_ = true;
    QTimer::singleShot(0, this, [this] { restoreCamerasPending_ = false; });
    shownCameras_ = currentCameras();
    RequestFrame();
}

void WorkspaceHost::applySnapToView() {
    auto* widget = Widget();
    if (!widget)
        return;
    const edit::GridSnap& snap = form_.gridSnap();
    if (snap.on)
        widget->SetGridSpacing(snap.size, snap.size * 10.0);
    else
        widget->SetGridSpacing(workspace::WorkspaceRenderer::kGridSpacing,
                               workspace::WorkspaceRenderer::kGridMajorSpacing);
}

} // namespace zev::app
