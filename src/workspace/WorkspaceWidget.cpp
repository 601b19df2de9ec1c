#include "workspace/WorkspaceWidget.h"

#include "workspace/OffscreenRender.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace zev::workspace {

WorkspaceWidget::WorkspaceWidget(MissionScene& scene, QWidget* parent)
    : QOpenGLWidget(parent), scene_(scene), viewport_(scene.CurrentCamera(), 0, 0, 1, 1) {
    setFormat(WorkspaceSurfaceFormat());
    viewport_.SetBack(MissionScene::kBackDistance);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

WorkspaceWidget::~WorkspaceWidget() {
    ReleaseGl();
    // The base class destroys the context after this object is gone; its notice must not
    // reach this object then.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void WorkspaceWidget::ReleaseGl() {
    if (!renderer_.IsInitialized() || !context())
        return;
    makeCurrent();
    renderer_.Release();
    scaledTarget_.reset();
    doneCurrent();
}

void WorkspaceWidget::SetRenderSize(QSize size) {
    renderSize_ = size;
    update();
}

QSize WorkspaceWidget::RenderSize() const {
    return renderSize_.isEmpty() ? size() : renderSize_;
}

QPoint WorkspaceWidget::ToRenderPixels(QPoint at) const {
    if (renderSize_.isEmpty() || width() <= 0 || height() <= 0)
        return at;
    return {at.x() * renderSize_.width() / width(), at.y() * renderSize_.height() / height()};
}

QPoint WorkspaceWidget::FromRenderPixels(QPoint at) const {
    if (renderSize_.isEmpty() || renderSize_.width() <= 0 || renderSize_.height() <= 0)
        return at;
    return {at.x() * width() / renderSize_.width(), at.y() * height() / renderSize_.height()};
}

void WorkspaceWidget::initializeGL() {
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &WorkspaceWidget::ReleaseGl,
            Qt::DirectConnection);
    if (!renderer_.Initialize()) {
        initError_ = QString::fromStdString(renderer_.ErrorText());
        emit RenderingFailed(initError_);
        return;
    }
    initError_.clear();
    backgroundLoaded_ = false;
    ApplyLayers();
}

void WorkspaceWidget::resizeGL(int width, int height) {
    if (!renderSize_.isEmpty()) {
        width = renderSize_.width();
        height = renderSize_.height();
    }
    engine::Viewport resized(scene_.CurrentCamera(), 0, 0, width, height);
    resized.SetBack(MissionScene::kBackDistance);
    viewport_ = resized;
    backgroundLoaded_ = false; // the picture is made at the new size
}

void WorkspaceWidget::ApplyLayers() {
    const bool wantBackground = scene_.BackgroundPictureShown();
    if (wantBackground && (!backgroundLoaded_ || backgroundSize_ != size())) {
        renderer_.SetBackgroundPicture(BackgroundPicture(width(), height()));
        backgroundSize_ = size();
        backgroundLoaded_ = true;
    } else if (!wantBackground && renderer_.HasBackgroundPicture()) {
        renderer_.SetBackgroundPicture({});
        backgroundLoaded_ = false;
    }
}

void WorkspaceWidget::paintGL() {
    if (!renderer_.IsInitialized())
        return;
    viewport_.SetCamera(scene_.CurrentCamera());
    const QSize size = RenderSize();
    if (viewport_.GetWidth() != size.width() || viewport_.GetHeight() != size.height())
        resizeGL(size.width(), size.height());
    ApplyLayers();
    if (!renderSize_.isEmpty() && renderSize_ != this->size()) {
        PaintScaled(renderSize_);
        return;
    }
    const double ratio = devicePixelRatioF();
    renderer_.Render(*scene_.Scene(), viewport_, scene_.Quality(),
                     static_cast<int>(width() * ratio), static_cast<int>(height() * ratio), ratio);
}

void WorkspaceWidget::PaintScaled(QSize size) {
    // Drawn at the display mode's size into a framebuffer of its own, then stretched over the
    // widget as a display of that resolution would show it.
    if (!scaledTarget_ || scaledTarget_->size() != size)
        scaledTarget_ = std::make_unique<QOpenGLFramebufferObject>(
            size, QOpenGLFramebufferObject::CombinedDepthStencil);
    scaledTarget_->bind();
    renderer_.Render(*scene_.Scene(), viewport_, scene_.Quality(), size.width(), size.height());
    const double ratio = devicePixelRatioF();
    const QRect target(0, 0, int(width() * ratio), int(height() * ratio));
    QOpenGLFramebufferObject::blitFramebuffer(nullptr, target, scaledTarget_.get(),
                                              QRect(QPoint(0, 0), size), GL_COLOR_BUFFER_BIT,
                                              GL_LINEAR);
    QOpenGLContext::currentContext()->functions()->glBindFramebuffer(GL_FRAMEBUFFER,
                                                                     defaultFramebufferObject());
}

void WorkspaceWidget::SetSpritePointer(bool on) {
    spritePointer_ = on;
    ApplyPointer();
    update();
}

void WorkspaceWidget::LoadBackgroundSurface() {
    backgroundLoaded_ = false;
    update();
}

void WorkspaceWidget::LoadPointerSprite(PointerMode mode) {
    pointerMode_ = mode;
    ApplyPointer();
    update();
}

void WorkspaceWidget::ApplyPointer() {
    const bool drawn = spritePointer_ && scene_.IsFullScreen();
    renderer_.SetPointerSprite(drawn ? PointerSprite(pointerMode_) : QImage());
    // The system cursor is hidden only while the sprite stands in for it; otherwise whatever
    // cursor the window chose stays.
    if (drawn && !blankCursor_) {
        setCursor(Qt::BlankCursor);
        blankCursor_ = true;
    } else if (!drawn && blankCursor_) {
        unsetCursor();
        blankCursor_ = false;
    }
}

void WorkspaceWidget::SetGroundGrid(bool on) {
    renderer_.SetGroundGrid(on);
    update();
}

void WorkspaceWidget::SetGridSpacing(double minor, double major) {
    renderer_.SetGridSpacing(minor, major);
    update();
}

void WorkspaceWidget::SetEditorLighting(bool on) {
    renderer_.SetEditorLighting(on);
    update();
}

void WorkspaceWidget::SetPointerPosition(QPoint at) {
    renderer_.SetPointerPosition(ToRenderPixels(at));
    if (spritePointer_ && scene_.IsFullScreen())
        update();
}

} // namespace zev::workspace
