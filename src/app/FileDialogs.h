#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zev::app {

// The mission open and save dialogs and the project file dialog. Each gives one full path: the
// folder, a separator and the file name as chosen or typed; no extension is added.

std::optional<QString> askMissionOpenPath(QWidget* parent, const QString& folder = {});
std::optional<QString> askMissionSavePath(QWidget* parent, const QString& folder = {});
std::optional<QString> askProjectFilePath(QWidget* parent, const QString& folder = {});

// The result path of the save dialog: folder + separator + typed name, nothing normalised.
QString joinDialogPath(const QString& folder, const QString& fileName);

} // namespace zev::app
