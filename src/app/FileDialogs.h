#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zev::app {

// The mission open and save dialogs and the project file dialog. Each gives one full path: the
// folder, a separator and the file name as chosen or typed. They start in `folder`.

std::optional<QString> askMissionOpenPath(QWidget* parent, const QString& folder = {});
// The save dialog suggests the mission's name as the file name and adds ".mdb" to a name typed
// without it, so the Open dialog, which lists "*.mdb", shows the file again.
std::optional<QString> askMissionSavePath(QWidget* parent, const QString& folder = {},
                                          const QString& missionName = {});
// "name" becomes "name.mdb"; a name ending in ".mdb" (any case) stays as it is.
QString withMissionExtension(const QString& path);
// The file name the save dialog suggests for a mission: its name with the characters a file
// name may not hold replaced by "_", and ".mdb"; "mission.mdb" for a mission without a name.
QString suggestedMissionFileName(const QString& missionName);
std::optional<QString> askProjectFilePath(QWidget* parent, const QString& folder = {});

// The result path of the save dialog: folder + separator + typed name, nothing normalised.
QString joinDialogPath(const QString& folder, const QString& fileName);

} // namespace zev::app
