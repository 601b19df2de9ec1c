#include "workspace/MissionPreview.h"

#include "workspace/MissionScene.h"
#include "workspace/ObjectPiece.h"
#include "workspace/OffscreenRender.h"

namespace zev::workspace {

bool RenderMissionPreview(const mission::MissionDocument& document, const PreviewOptions& options,
                          platform::SettingsStore& settings, common::Reporter& reporter,
                          QImage& image, std::string& error) {
    OffscreenRender offscreen;
    if (!offscreen.Begin(options.width, options.height)) {
        error = offscreen.ErrorText();
        return false;
    }
    edit::MissionEditor editor; // outlives the scene that listens to it
    TObjectPiece piece(options.archivePath, options.programDirectory);
    MissionScene scene(settings, &piece);
    scene.Setup();
    if (options.night)
        scene.NightTime1Click();
    scene.Attach(&editor);
    editor.openMission(document, scene.ShowCheck(), reporter);
    scene.UseTopView(options.topView);
    scene.SetQuality(options.quality);

    engine::Viewport viewport(scene.CurrentCamera(), 0, 0, options.width, options.height);
    viewport.SetBack(MissionScene::kBackDistance);
    offscreen.Render(*scene.Scene(), viewport, scene.Quality());
    image = offscreen.Image();
    if (image.isNull()) {
        error = "The picture could not be read back from the offscreen framebuffer.";
        return false;
    }
    return true;
}

} // namespace zev::workspace
