#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace zev::app {

namespace {

std::optional<QString> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    return joinDialogPath(QDir::toNativeSeparators(chosen.absolutePath()), chosen.fileName());
}

void prepare(QFileDialog& dialog, const QString& folder) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
}

} // namespace

QString joinDialogPath(const QString& folder, const QString& fileName) {
    return folder + QDir::separator() + fileName;
}

std::optional<QString> askMissionOpenPath(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("ZEVEDIT 3D FileOpen"));
    prepare(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("ZEVEDIT Files (*.mdb)"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Open"));
    return run(dialog);
}

QString withMissionExtension(const QString& path) {
    return path.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive)
               ? path
               : path + QStringLiteral(".mdb");
}

QString suggestedMissionFileName(const QString& missionName) {
    QString name = missionName.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")),
                 QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name = QStringLiteral("mission");
    return withMissionExtension(name);
}

std::optional<QString> askMissionSavePath(QWidget* parent, const QString& folder,
                                          const QString& missionName) {
    QFileDialog dialog(parent, QStringLiteral("ZEVEDIT 3D FileSave"));
    prepare(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("ZEVEDIT Files (*.mdb)"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Save"));
    dialog.selectFile(suggestedMissionFileName(missionName));
    // Added here, not by the dialog: its default suffix leaves "raid.v2" as it is.
    dialog.setDefaultSuffix(QString());
    const auto path = run(dialog);
    if (!path)
        return std::nullopt;
    return withMissionExtension(*path);
}

std::optional<QString> askProjectFilePath(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("ZEV Talvorendix Project File Location (zev.prj)"));
    prepare(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Game data copied from a CD may carry an upper-case name.
    dialog.setNameFilter(QStringLiteral("zev.prj (zev.prj ZEV.PRJ Zev.prj)"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Ok"));
    return run(dialog);
}

} // namespace zev::app
