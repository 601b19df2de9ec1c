// The workspace tools' window: what they ask of it, the mouse events they get, the selection
// rectangle and where a paste lands.

#include "WorkspaceHost.h"

#include "DesignForm.h"

#include "edit/ObjectDrop.h"
#include "workspace/MissionScene.h"
#include "workspace/Sprites.h"
#include "workspace/WorkspaceWidget.h"

#include <QBitmap>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QRubberBand>

namespace zev::app {

namespace {

// The windowed dropper pointer: the dropper sprite, black transparent, its tip the hot spot.
QCursor dropperCursor() {
    const QImage sprite = workspace::PointerSprite(workspace::PointerMode::Dropper);
    QPixmap picture = QPixmap::fromImage(sprite);
    picture.setMask(QBitmap::fromImage(sprite.createMaskFromColor(qRgb(0, 0, 0), Qt::MaskInColor)));
    return QCursor(picture, 0, workspace::kPointerHeight - 1);
}

} // namespace

// --- edit::ToolView

const engine::Viewport* WorkspaceHost::viewport() const {
    workspace::WorkspaceWidget* widget = Widget();
    if (!widget || !scene_)
        return nullptr;
    widget->Viewport().SetCamera(scene_->CurrentCamera());
    return &widget->Viewport();
}

void WorkspaceHost::capturePointer(bool captured) {
    if (!widget_)
        return;
    if (captured) {
        widget_->grabMouse(Qt::BlankCursor);
        return;
    }
    widget_->releaseMouse();
    applyToolCursor();
}

void WorkspaceHost::drawNow() {
    if (!widget_ || suspended_ || menuMode_)
        return;
    scene_->Scene()->Move(0.0);
    widget_->repaint();
}

void WorkspaceHost::showToolPointer(bool) {
    applyToolCursor();
}

void WorkspaceHost::applyToolCursor() {
    workspace::WorkspaceWidget* widget = Widget();
    if (!widget || !tools_)
        return;
    const bool dropper = tools_->dropperActive();
    if (!windowed_ && spriteMouse_) {
        widget->LoadPointerSprite(dropper ? workspace::PointerMode::Dropper
                                          : workspace::PointerMode::Arrow);
        return;
    }
    if (dropper)
        widget->setCursor(dropperCursor());
    else
        widget->unsetCursor();
}

void WorkspaceHost::editSelection() {
    // Full screen, the dialog needs the desktop: menu mode around it, unless already on.
    const bool switchMode = !windowed_ && !menuMode_;
    if (switchMode)
        EnterMenuMode();
    keyboard_.clear();
    form_.EditSelection();
    if (switchMode)
        LeaveMenuMode();
}

void WorkspaceHost::showStatus(const edit::StatusReadout& readout) {
    for (int panel = 0; panel < 4; ++panel)
        form_.StatusPanels[panel]->setText(QString::fromLatin1(readout.panel(panel).c_str()));
}

bool WorkspaceHost::mouseEvent(QEvent* event) {
    if (!tools_)
        return false;
    if (navigationEvent(event))
        return true;
    if (event->type() == QEvent::Wheel)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint widgetAt = mouse->position().toPoint();
    const QPoint at = Widget() ? Widget()->ToRenderPixels(widgetAt) : widgetAt;
    const auto button =
        mouse->button() == Qt::RightButton ? edit::MouseButton::Right : edit::MouseButton::Left;
    const bool known = mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton;
    const edit::PressKeys keys{(mouse->modifiers() & Qt::ControlModifier) != 0,
                               (mouse->modifiers() & Qt::ShiftModifier) != 0};
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (known)
            tools_->press(button, at.x(), at.y(), menuMode_, keys);
        return true;
    case QEvent::MouseButtonDblClick:
        // The second press of a double-click: a press, and the editor opens at its release.
        if (known) {
            tools_->press(button, at.x(), at.y(), menuMode_, keys);
            tools_->doubleClick();
        }
        return true;
    case QEvent::MouseMove:
        if (auto* widget = Widget())
            widget->SetPointerPosition(widgetAt);
        tools_->move(at.x(), at.y(), menuMode_);
        return true;
    case QEvent::MouseButtonRelease:
        if (known)
            tools_->release();
        return true;
    default:
        return false;
    }
}

void WorkspaceHost::connectPaste() {
    form_.paster().prepareFrame = [this](int slot, const mission::MissionObjectRecord& record) {
        return scene_->PrepareObject(slot, record);
    };
    form_.pastePoint = [this]() -> std::optional<engine::Vector3> {
        workspace::WorkspaceWidget* widget = Widget();
        if (!widget || !keys_ || keys_->view() != edit::WorkspaceView::Top)
            return std::nullopt;
        const QPoint local = widget->mapFromGlobal(QCursor::pos());
        const engine::Viewport* view = viewport();
        if (!view || !widget->rect().contains(local))
            return std::nullopt;
        const QPoint at = widget->ToRenderPixels(local);
        return edit::pointUnderMouse(*view, *scene_->TopCamera(), at.x(), at.y());
    };
}

void WorkspaceHost::showRectangle(const std::optional<edit::ScreenRectangle>& rectangle) {
    workspace::WorkspaceWidget* widget = Widget();
    if (!widget)
        return;
    if (!rectangle) {
        if (rubberBand_)
            rubberBand_->hide();
        return;
    }
    if (!rubberBand_)
        rubberBand_ = new QRubberBand(QRubberBand::Rectangle, widget);
    const QPoint from = widget->FromRenderPixels({rectangle->x0, rectangle->y0});
    const QPoint to = widget->FromRenderPixels({rectangle->x1, rectangle->y1});
    rubberBand_->setGeometry(QRect(from, to).normalized());
    rubberBand_->show();
}

} // namespace zev::app
