#pragma once

#include "engine/Viewport.h"
#include "workspace/FrameClock.h"
#include "workspace/MissionScene.h"
#include "workspace/Sprites.h"
#include "workspace/WorkspaceRenderer.h"

#include <QOpenGLFramebufferObject>
#include <QOpenGLWidget>

#include <QString>
#include <memory>

namespace zev::workspace {

// The 3D workspace in a window: draws a MissionScene's frame tree through a viewport bound to
// the scene's current camera (front or top view) and sized to the widget, with the scene's
// background, render quality and, in full-screen runs, the background picture and the pointer
// sprite. Each paint draws one frame; whoever drives the frame loop calls update().
class WorkspaceWidget : public QOpenGLWidget {
    Q_OBJECT

public:
    explicit WorkspaceWidget(MissionScene& scene, QWidget* parent = nullptr);
    ~WorkspaceWidget() override;

    MissionScene& Scene() { return scene_; }
    WorkspaceRenderer& Renderer() { return renderer_; }
    // The viewport of the last paint (camera, size, back distance 30000), for picking.
    engine::Viewport& Viewport() { return viewport_; }
    FrameClock& Clock() { return clock_; }

    // Full-screen runs (a scene set up with Setup(true)): the background picture is drawn
    // behind the scene whenever the scene shows it (day time), and with the sprite pointer on,
    // the pointer is drawn as a sprite at SetPointerPosition instead of the system cursor.
    void SetSpritePointer(bool on);
    // Makes the background picture again at the widget's size (after a loss or a resize).
    void LoadBackgroundSurface();
    // The pointer sprite of a mode: arrow (mouse tool), dropper, busy; remembered so that a
    // reload shows the same one.
    void LoadPointerSprite(PointerMode mode);
    PointerMode PointerSpriteMode() const { return pointerMode_; }
    void SetPointerPosition(QPoint at);

    // Full-screen runs draw at the chosen display mode's size and stretch the picture over the
    // widget; an empty size draws at the widget's own size.
    void SetRenderSize(QSize size);
    QSize RenderSize() const;
    // A widget position in the pixels the scene is drawn in (picking, the pointer sprite).
    QPoint ToRenderPixels(QPoint at) const;
    // And back: a point of the drawn picture on the widget (the selection rectangle).
    QPoint FromRenderPixels(QPoint at) const;

    // The renderer's drawing aids (see WorkspaceRenderer); each change is drawn at once.
    void SetGroundGrid(bool on);
    // The ground grid's lines every `minor` units, stronger ones every `major`.
    void SetGridSpacing(double minor, double major);
    bool GroundGrid() const { return renderer_.GroundGrid(); }
    void SetEditorLighting(bool on);
    bool EditorLighting() const { return renderer_.EditorLighting(); }

    // Empty while rendering works; otherwise why no OpenGL 3.3 context could be used.
    const QString& InitError() const { return initError_; }

signals:
    // OpenGL could not be set up; `text` says why.
    void RenderingFailed(const QString& text);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    void ReleaseGl();
    void PaintScaled(QSize size);
    void ApplyLayers();
    void ApplyPointer();

    MissionScene& scene_;
    WorkspaceRenderer renderer_;
    engine::Viewport viewport_;
    FrameClock clock_;
    bool spritePointer_ = false;
    PointerMode pointerMode_ = PointerMode::Arrow;
    bool blankCursor_ = false;
    bool backgroundLoaded_ = false;
    QSize backgroundSize_;
    QString initError_;
    QSize renderSize_;
    std::unique_ptr<QOpenGLFramebufferObject> scaledTarget_;
};

} // namespace zev::workspace
