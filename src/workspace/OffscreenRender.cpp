#include "workspace/OffscreenRender.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

namespace zev::workspace {

void PrepareOffscreenPlatform() {
#if defined(__unix__) && !defined(__APPLE__)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
    else if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

QSurfaceFormat WorkspaceSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    return format;
}

OffscreenRender::OffscreenRender() = default;

OffscreenRender::~OffscreenRender() {
    if (context_ && MakeCurrent()) {
        renderer_.Release();
        framebuffer_.reset();
        context_->doneCurrent();
    }
}

bool OffscreenRender::MakeCurrent() {
    return context_ && surface_ && context_->makeCurrent(surface_.get());
}

bool OffscreenRender::Begin(int width, int height) {
    error_.clear();
    if (!QGuiApplication::instance()) {
        error_ = "Offscreen rendering needs a running Qt GUI application.";
        return false;
    }
    if (width <= 0 || height <= 0) {
        error_ = "The picture size must be at least 1 x 1.";
        return false;
    }
    if (!context_) {
        surface_ = std::make_unique<QOffscreenSurface>();
        surface_->setFormat(WorkspaceSurfaceFormat());
        surface_->create();
        context_ = std::make_unique<QOpenGLContext>();
        context_->setFormat(WorkspaceSurfaceFormat());
        if (!surface_->isValid() || !context_->create()) {
            error_ = "No OpenGL 3.3 context can be made on this display (platform \"" +
                     QGuiApplication::platformName().toStdString() + "\").";
            context_.reset();
            surface_.reset();
            return false;
        }
    }
    if (!MakeCurrent()) {
        error_ = "The OpenGL context cannot be made current.";
        return false;
    }
    if (!renderer_.IsInitialized() && !renderer_.Initialize()) {
        error_ = "No OpenGL 3.3 context can be made: " + renderer_.ErrorText();
        return false;
    }
    if (!framebuffer_ || width != width_ || height != height_) {
        framebuffer_.reset();
        framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(
            width, height, QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!framebuffer_->isValid()) {
            error_ = "The offscreen framebuffer of " + std::to_string(width) + " x " +
                     std::to_string(height) + " pixels cannot be made.";
            framebuffer_.reset();
            return false;
        }
        width_ = width;
        height_ = height;
    }
    return true;
}

void OffscreenRender::Render(const engine::Frame& scene, const engine::Viewport& viewport,
                             engine::RenderQuality quality) {
    if (!framebuffer_ || !MakeCurrent())
        return;
    framebuffer_->bind();
    renderer_.Render(scene, viewport, quality, width_, height_);
    framebuffer_->release();
}

QImage OffscreenRender::Image() {
    if (!framebuffer_ || !MakeCurrent())
        return {};
    return framebuffer_->toImage(true).convertToFormat(QImage::Format_RGB32);
}

void OffscreenRender::Finish() {
    if (MakeCurrent())
        context_->functions()->glFinish();
}

} // namespace zev::workspace
