#pragma once

#include "common/Reporter.h"
#include "engine/Frame.h"
#include "engine/MeshBuilder.h"
#include "engine/RenderQuality.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace zev::workspace {

// The object viewer's frame tree: a camera at (0, 0, -50) looking along +z, the object frame
// at (0, -5, 0) and the workspace's lights, on a black background. Shows one geometry at a
// time, fitted to the viewer's size and turning about Y. No OpenGL: a renderer draws
// SceneFrame() through a viewport on Camera() with back distance kBackDistance.
class ViewerScene {
public:
    static constexpr double kBackDistance = 5000.0;

    ViewerScene();

    const std::shared_ptr<engine::Frame>& SceneFrame() const { return scene_; }
    const std::shared_ptr<engine::Frame>& Camera() const { return camera_; }
    engine::Frame* ObjectFrame() const { return object_.get(); }
    // The shown geometry; null when none is shown.
    engine::MeshBuilder* Builder() const { return builder_.get(); }

    // Takes the shown geometry off the object frame and lets it go.
    void ClearObject();
    // Shows the geometry at `dataOffset` of the archive named by the configured project path
    // `archivePath`, with normals, in `quality`, scaled so its largest extent is the viewer's
    // size, turning about Y. The archive's open failure is reported ("Could Not open ZEV.PRJ");
    // a geometry that cannot be converted shows nothing. False when nothing is shown.
    bool ShowGeometry(const std::filesystem::path& archivePath, std::uint32_t dataOffset,
                      engine::RenderQuality quality, common::Reporter& reporter);
    // The fill and shade menus' choice, on the shown geometry.
    void ApplyQuality(engine::RenderQuality quality);
    // Advances every turning frame by `milliseconds`.
    void Move(double milliseconds) { scene_->Move(milliseconds); }

private:
    std::shared_ptr<engine::Frame> scene_;
    std::shared_ptr<engine::Frame> camera_;
    std::shared_ptr<engine::Frame> object_;
    std::shared_ptr<engine::Frame> lights_;
    std::shared_ptr<engine::MeshBuilder> builder_;
};

} // namespace zev::workspace
