#pragma once

#include "platform/EditorSettings.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <filesystem>

namespace zev::app {

// What the editor runs with: the program directory, the settings store and the values read
// from it when the main window is created.
struct EditorContext {
    std::filesystem::path programDirectory;
    platform::SettingsStore* settings = nullptr;
    // The project archive path given on the command line for this run; over "Prj Path".
    QString archiveOverride;
    // The mission file named on the command line (absolute), opened when the main window shows.
    QString startMission;

    platform::SetupValues setup;

    // The project archive path in effect.
    QString archivePath() const {
        return archiveOverride.isEmpty() ? setup.projectPath : archiveOverride;
    }
};

} // namespace zev::app
