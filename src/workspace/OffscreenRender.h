#pragma once

#include "workspace/WorkspaceRenderer.h"

#include <QImage>
#include <QSurfaceFormat>

#include <memory>
#include <string>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace zev::workspace {

// Chooses Qt's platform for a QGuiApplication that is made only to render offscreen, unless
// QT_QPA_PLATFORM already names one: the desktop's own (X11 or Wayland) with Qt's offscreen
// platform as a fallback when that display cannot be reached, or the offscreen platform alone
// when there is no display. Call it before the application is made.
void PrepareOffscreenPlatform();

// The surface format the workspace asks for: OpenGL 3.3 core profile with a 24-bit depth buffer.
QSurfaceFormat WorkspaceSurfaceFormat();

// Renders frames into an image without a window: an offscreen surface, its own OpenGL 3.3
// context and a framebuffer object. Needs a QGuiApplication. When no OpenGL 3.3 context can be
// made, Begin() fails and ErrorText() says so.
class OffscreenRender {
public:
    OffscreenRender();
    ~OffscreenRender();
    OffscreenRender(const OffscreenRender&) = delete;
    OffscreenRender& operator=(const OffscreenRender&) = delete;

    // Makes the context and a framebuffer of `width` x `height` pixels (a later call with
    // another size replaces the framebuffer).
    bool Begin(int width, int height);
    const std::string& ErrorText() const { return error_; }

    // Draws into the framebuffer; the result is read with Image().
    void Render(const engine::Frame& scene, const engine::Viewport& viewport,
                engine::RenderQuality quality);
    // The framebuffer's pixels (top row first).
    QImage Image();
    // Waits until the GPU has finished the frames drawn so far (for timing).
    void Finish();

    // The renderer, usable while the context is current (after Begin).
    WorkspaceRenderer& Renderer() { return renderer_; }
    bool MakeCurrent();

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
    WorkspaceRenderer renderer_;
    int width_ = 0;
    int height_ = 0;
    std::string error_;
};

} // namespace zev::workspace
