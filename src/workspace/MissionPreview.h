#pragma once

#include "common/Reporter.h"
#include "engine/RenderQuality.h"
#include "mission/MissionDocument.h"
#include "platform/SettingsStore.h"

#include <QImage>

#include <filesystem>
#include <string>

namespace zev::workspace {

struct PreviewOptions {
    std::filesystem::path archivePath;      // the configured project path
    std::filesystem::path programDirectory; // where WTB.IDX is
    bool topView = false;
    int width = 1024;
    int height = 768;
    bool night = false;
    engine::RenderQuality quality;
};

// The picture of a mission as the workspace shows it right after Open: objects, markers and
// cameras over player 1, drawn offscreen from the front (side camera) or the top camera.
// Objects that cannot be shown are left out with their message, as Open does. Colours come from
// `settings`. Fails (with `error` set) only when no picture can be rendered.
bool RenderMissionPreview(const mission::MissionDocument& document, const PreviewOptions& options,
                          platform::SettingsStore& settings, common::Reporter& reporter,
                          QImage& image, std::string& error);

} // namespace zev::workspace
