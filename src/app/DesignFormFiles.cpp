// The main window's recent files and recovery copies.

#include "DesignForm.h"

#include "platform/EditorSettings.h"

#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace zev::app {

namespace {

QStringList toStringList(const std::vector<std::string>& files) {
    QStringList list;
    for (const std::string& f : files)
        list << QString::fromStdString(f);
    return list;
}

} // namespace

void TDesignForm::fileUsed(const std::filesystem::path& path) {
    emit missionFileUsed(QString::fromStdString(path.string()));
    recent_.add(path.string());
    platform::writeRecentFiles(*context_.settings, toStringList(recent_.files()));
    showRecentFiles();
}

void TDesignForm::showRecentFiles() {
    qDeleteAll(RecentItems);
    RecentItems.clear();
    const auto& files = recent_.files();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString file = QString::fromStdString(files[i]);
        auto* a =
            new QAction(QString::fromStdString(edit::RecentFiles::menuText(i, files[i])), this);
        a->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        a->setStatusTip(file);
        connect(a, &QAction::triggered, this, [this, file] { openRecentFile(file); });
        FileMenu->insertAction(RecentSeparator, a);
        RecentItems << a;
    }
}

void TDesignForm::openRecentFile(const QString& file) {
    if (busy_)
        return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file.toStdString(), ec)) {
        reporter_.report("The mission file is no longer there and leaves the list:\n" +
                             file.toStdString(),
                         "ZEVEDIT 3D", common::MessageIcon::Information);
        recent_.remove(file.toStdString());
        platform::writeRecentFiles(*context_.settings, toStringList(recent_.files()));
        showRecentFiles();
        return;
    }
    controller_->openFile(file.toStdString());
}

void TDesignForm::startAutosave() {
    const int minutes = platform::readAutosaveMinutes(*context_.settings);
    autosave_->stop();
    if (minutes > 0) {
        autosave_->setInterval(minutes * 60 * 1000);
        autosave_->start();
    }
}

void TDesignForm::AutosaveInterval1Click() {
    bool ok = false;
    const int minutes = QInputDialog::getInt(
        this, QStringLiteral("Recovery Copies"),
        QStringLiteral("Minutes between recovery copies of a modified mission (0: none):"),
        platform::readAutosaveMinutes(*context_.settings), 0, 240, 1, &ok);
    if (!ok)
        return;
    platform::writeAutosaveMinutes(*context_.settings, minutes);
    startAutosave();
}

void TDesignForm::writeRecoveryCopy() {
    // Never in the middle of a Build or a drag: the next tick takes it.
    if (!editor_.isModified() || busy_ || editor_.inGesture())
        return;
    if (!recovery_->write(editor_.document(), editor_, controller_->patchSetting(),
                          QString::fromStdString(controller_->fileName())))
        statusBar()->showMessage(QStringLiteral("The recovery copy could not be written to %1")
                                     .arg(QString::fromStdString(recovery_->directory().string())),
                                 10000);
}

TDesignForm::RecoveryChoice TDesignForm::askRecovery(const RecoveryCopy& copy) {
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("ZEVEDIT 3D"),
        QStringLiteral("An editor ended without saving the mission \"%1\"%2.\n"
                       "Its recovery copy is from %3.")
            .arg(copy.missionName,
                 copy.fileName.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(copy.fileName),
                 QLocale().toString(copy.time, QLocale::ShortFormat)),
        QMessageBox::NoButton, this);
    QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    restore->setObjectName(QStringLiteral("RestoreBtn"));
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("DiscardBtn"));
    QPushButton* later = box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
    later->setObjectName(QStringLiteral("LaterBtn"));
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore)
        return RecoveryChoice::Restore;
    if (box.clickedButton() == discard)
        return RecoveryChoice::Discard;
    return RecoveryChoice::Later;
}

void TDesignForm::offerRecovery() {
    for (const RecoveryCopy& copy : recovery_->leftBehind()) {
        switch (askRecovery(copy)) {
        case RecoveryChoice::Restore:
            // The restored mission gets a recovery copy of this editor's own.
            if (controller_->restore(copy.mission))
                RecoveryCopies::remove(copy);
            break;
        case RecoveryChoice::Discard:
            RecoveryCopies::remove(copy);
            break;
        case RecoveryChoice::Later:
            break;
        }
    }
}

} // namespace zev::app
